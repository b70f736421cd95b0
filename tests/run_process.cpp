#include "run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace huoxing::testing {

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& input) {
    int in[2], out[2], err[2];
    if (pipe(in) || pipe(out) || pipe(err)) std::abort();
    pid_t pid = fork();
    if (pid == 0) {
        signal(SIGPIPE, SIG_DFL);  // the parent ignores it; the program gets what a shell would give it
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    // The child may stop reading early (an error), so feeding it must not block or kill us.
    signal(SIGPIPE, SIG_IGN);
    fcntl(in[1], F_SETFL, O_NONBLOCK);

    ProcessResult result;
    std::size_t fed = 0;
    if (input.empty()) {
        close(in[1]);
        in[1] = -1;
    }
    int open = 2;
    while (open > 0 || in[1] >= 0) {
        pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
        poll(fds, 3, -1);
        char buffer[65536];
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                (i == 0 ? out[0] : err[0]) = -1;
                --open;
            }
        }
        if (in[1] >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = write(in[1], input.data() + fed, input.size() - fed);
            if (n > 0) fed += static_cast<std::size_t>(n);
            if ((n < 0 && errno != EAGAIN) || fed == input.size()) {
                close(in[1]);
                in[1] = -1;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}  // namespace huoxing::testing
