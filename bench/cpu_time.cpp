// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command and prints the CPU time it took (user and system, in
// seconds, to the microsecond), its output discarded: the shell's own timing
// rounds to the millisecond, a tenth of the floor's shortest run.
//
//   cpu_time COMMAND [ARGUMENT]...
//
// Exits with the command's status (127 when it cannot be run).

#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: cpu_time COMMAND [ARGUMENT]...\n");
        return 2;
    }
    const pid_t pid = ::fork();
    if (pid < 0) return 127;
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, STDOUT_FILENO);
        ::execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return 127;
    const double seconds =
        static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("%.6f\n", seconds);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}
