#include "runtime/control_array.h"

#include "runtime/form.h"
#include "runtime/run_time_error.h"

#include <string>

namespace rt {

Control ControlArray::Item(Index index) const {
    const std::optional<Row> row = m_form.find(m_name, index);
    if (!row)
        throw RunTimeError(ErrorNumber::IndexOutOfRange,
                           "Index out of range: the control array " + std::string(m_name) +
                               " has no member " + std::to_string(index));
    return Control(m_form, *row);
}

} // namespace rt
