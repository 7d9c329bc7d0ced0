#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace bench {

// Starts a program the harness measures; command ends with a null pointer.
inline pid_t start_program(char* const* command) {
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    return pid;
}

inline void stop_program(pid_t pid) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

} // namespace bench
