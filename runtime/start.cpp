#include "runtime/start.h"

#include "runtime/backend.h"
#include "runtime/form.h"

namespace rt {

namespace {

// The window and form of a program whose event loop outlives start().
std::unique_ptr<Backend> kept_backend;
std::unique_ptr<Form> kept_form;

} // namespace

int start(const Project& project) {
    std::unique_ptr<Backend> backend = make_backend(project);
    auto form = std::make_unique<Form>(project.startup_form, *backend, project.title);
    if (!form->open()) return form->exit_status();
    const int status = backend->run();
    const int result = form->ended() ? form->exit_status() : status;
    if (backend->outlives_start()) {
        kept_form = std::move(form);
        kept_backend = std::move(backend);
    }
    return result;
}

} // namespace rt
