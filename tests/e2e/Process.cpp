// Process.cpp - fork, exec and pipes for the end-to-end tests.
#include "Process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testutil {

RunResult runProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workingDir,
                     const std::map<std::string, std::string>& env, const std::string& input)
{
    RunResult result;
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0) return result;
    if (::pipe(fromChild) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return result;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(toChild[0], 0);
        ::dup2(fromChild[1], 1);
        ::dup2(fromChild[1], 2);
        ::close(toChild[0]);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::close(fromChild[1]);
        if (::chdir(workingDir.c_str()) != 0) ::_exit(126);
        for (const auto& [name, value] : env) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (pid < 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        return result;
    }

    // Feed the input and drain the output together, so neither side blocks on a full pipe.
    std::signal(SIGPIPE, SIG_IGN);
    std::size_t written = 0;
    int inFd = toChild[1];
    if (input.empty()) {
        ::close(inFd);
        inFd = -1;
    } else {
        ::fcntl(inFd, F_SETFL, O_NONBLOCK);
    }
    char buffer[4096];
    for (;;) {
        struct pollfd fds[2] = {{fromChild[0], POLLIN, 0}, {inFd, POLLOUT, 0}};
        if (::poll(fds, inFd >= 0 ? 2 : 1, 10000) <= 0) {
            ::kill(pid, SIGKILL);  // 10 s without a sign of life: the program hangs
            break;
        }
        if (inFd >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n < 0 || written == input.size()) {
                ::close(inFd);
                inFd = -1;
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            ssize_t n = ::read(fromChild[0], buffer, sizeof buffer);
            if (n <= 0) break;
            result.output.append(buffer, static_cast<std::size_t>(n));
        }
    }
    if (inFd >= 0) ::close(inFd);
    ::close(fromChild[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace testutil
