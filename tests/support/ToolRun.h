#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace navoro::test {

// What a command-line program did: its exit status (-1 when it was killed or
// could not be started), what it printed on standard output and on standard
// error, and how long it ran.
struct ToolRun {
    int Status = -1;
    std::string Out, Err;
    std::chrono::milliseconds Took{0};
    bool TimedOut = false;
    // Both outputs, for looking for a message wherever it went.
    std::string All() const { return Out + Err; }
};

// Runs `program` with `args` (split by the shell) and captures both outputs.
// A program still running after `timeout` is killed (TimedOut is set).
inline ToolRun RunTool(const std::string& program, const std::string& args,
                       std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
    ToolRun run;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return run;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return run;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        const std::string command = "exec " + program + " " + args;
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    if (pid < 0) {
        close(out[0]);
        close(err[0]);
        return run;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.Out, &run.Err};
    int open = 2;
    const auto deadline = start + timeout;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.TimedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, static_cast<int>(left.count())) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& fd : fds)
        if (fd.fd >= 0) close(fd.fd);
    int status = 0;
    waitpid(pid, &status, 0);
    run.Took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    run.Status = !run.TimedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace navoro::test
