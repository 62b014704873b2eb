// Starts one of the built programs as a child process for a test: with extra
// environment variables, its standard output on a pipe (read line by line)
// and its standard error in a file. Every wait has a generous limit so that
// a hanging program fails the test instead of stalling it; nothing sleeps.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

class ProgramRun {
public:
    // `environment` entries are "NAME=value" and are added to this process's
    // environment; `errorFile` receives the program's standard error.
    ProgramRun(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, const std::string& errorFile) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            const int err = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(err, 2);
            for (const std::string& entry : environment) {
                ::putenv(const_cast<char*>(entry.c_str()));
            }
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& a : arguments) {
                argv.push_back(const_cast<char*>(a.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
        pidfd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
    }
    ~ProgramRun() {
        if (pid_ > 0 && !finished_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
        if (pidfd_ >= 0) {
            ::close(pidfd_);
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return pid_ > 0; }

    // The next line of standard output without its line end; false at the
    // end of the output or when none comes within `limitMs`.
    bool ReadLine(std::string& line, int limitMs = 120000) {
        for (;;) {
            if (const auto end = buffered_.find('\n'); end != std::string::npos) {
                line = buffered_.substr(0, end);
                buffered_.erase(0, end + 1);
                return true;
            }
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, limitMs) <= 0) {
                return false;
            }
            char chunk[512];
            const ssize_t n = ::read(out_, chunk, sizeof chunk);
            if (n <= 0) {
                return false;
            }
            buffered_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    void Signal(int signalNumber) { ::kill(pid_, signalNumber); }

    // Waits for the end; the wait status (as waitpid gives it), or -1 when
    // the program is still running after `limitMs`.
    int Wait(int limitMs = 120000) {
        if (pidfd_ >= 0) {
            pollfd p{pidfd_, POLLIN, 0};
            if (::poll(&p, 1, limitMs) <= 0) {
                return -1;
            }
        }
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        finished_ = true;
        return status;
    }

    static std::string FileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int pidfd_ = -1;
    bool finished_ = false;
    std::string buffered_;
};
