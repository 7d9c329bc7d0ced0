#include "form/quenlor_form.h"
#include "runtime/start.h"

int main() {
    return rt::start(quenlor::project());
}
