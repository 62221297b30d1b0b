#pragma once
// Runs a program with its standard input and output on pipes, so a test can
// drive it line by line the way a script would.
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lumeno::test {

class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> argv)
    {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            std::vector<char*> args;
            for (auto& a : argv)
                args.push_back(a.data());
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        input_ = in[1];
        output_ = out[0];
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !exitCode_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (input_ >= 0)
            ::close(input_);
        if (output_ >= 0)
            ::close(output_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }

    void Send(const std::string& line)
    {
        const std::string text = line + "\n";
        [[maybe_unused]] const auto ignored = ::write(input_, text.data(), text.size());
    }
    void CloseInput()
    {
        ::close(input_);
        input_ = -1;
    }

    // The next output line, or nullopt after limit or at the end of output.
    std::optional<std::string> ReadLine(std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            if (const auto eol = buffer_.find('\n'); eol != std::string::npos) {
                std::string line = buffer_.substr(0, eol);
                buffer_.erase(0, eol + 1);
                lines_.push_back(line);
                return line;
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{output_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return std::nullopt;
            char chunk[4096];
            const ssize_t n = ::read(output_, chunk, sizeof chunk);
            if (n <= 0)
                return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }
    // Reads lines until one starts with prefix; returns it, or nullopt.
    std::optional<std::string> WaitForLine(const std::string& prefix,
                                           std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            auto line = ReadLine(left);
            if (!line)
                return std::nullopt;
            if (line->rfind(prefix, 0) == 0)
                return line;
        }
    }
    // Waits for the exit (bounded); the exit code, or nullopt.
    std::optional<int> Wait(std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return exitCode_;
            }
            ::usleep(10000);
        }
        return std::nullopt;
    }
    void Signal(int signal) { ::kill(pid_, signal); }

    // SIGSTOP, then waits (bounded) until the child has stopped: a child
    // still running on another core could answer one more request.
    bool Stop()
    {
        Signal(SIGSTOP);
        for (int i = 0; i < 500; ++i) {
            siginfo_t info{};
            if (::waitid(P_PID, id_t(pid_), &info, WSTOPPED | WNOHANG) == 0 && info.si_pid == pid_)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    // Every line read so far.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffer_;
    std::vector<std::string> lines_;
    std::optional<int> exitCode_;
};

} // namespace lumeno::test
