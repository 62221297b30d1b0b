#pragma once
// A private Xvfb on a free display number for tests that need a real X
// server, stopped at the end. Display() is empty when Xvfb could not start.
#include <cerrno>
#include <csignal>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lumeno::test {

class PrivateXServer {
public:
    PrivateXServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // Xvfb writes the number once it accepts clients, ended by a newline.
        std::string number;
        for (int waited = 0; pid_ > 0 && waited < 10000 && number.find('\n') == std::string::npos;) {
            pollfd p{fds[0], POLLIN, 0};
            const int ready = poll(&p, 1, 100);
            if (ready < 0 && errno == EINTR)
                continue;
            waited += 100;
            if (ready <= 0)
                continue;
            char buffer[16];
            const ssize_t got = read(fds[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            number.append(buffer, size_t(got));
        }
        if (number.find('\n') != std::string::npos)
            display_ = ":" + number.substr(0, number.find('\n'));
        close(fds[0]);
    }
    ~PrivateXServer()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace lumeno::test
