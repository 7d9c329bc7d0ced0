#include "runtime/control_array.h"

#include "runtime/form.h"
#include "runtime/run_time_error.h"

#include <string>

namespace rt {

Control ControlArray::Item(Index index) const {
    for (Row row : m_array.rows)
        if (m_form.control(row).index == index) return Control(m_form, row);
    throw RunTimeError(ErrorNumber::IndexOutOfRange, "Index out of range: the control array " +
                                                         std::string(m_array.name) +
                                                         " has no member " + std::to_string(index));
}

} // namespace rt
