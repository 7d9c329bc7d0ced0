#include "runtime/start.h"

#include "runtime/backend.h"
#include "runtime/form.h"

namespace rt {

int start(const Project& project) {
    const std::unique_ptr<Backend> backend = make_backend(project);
    Form form(project.startup_form, *backend, project.title);
    if (!form.open()) return form.exit_status();
    const int status = backend->run();
    return form.ended() ? form.exit_status() : status;
}

} // namespace rt
