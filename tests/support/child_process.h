// Runs a program of the build as its own process, its output going to files, with a time limit:
// for tests of what only a whole process shows (signals, exit codes, files left behind).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace plazor::testing {

class ChildProcess {
  public:
    // Starts `program` with `args`; `environment` entries ("NAME=value") are added to this process's.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& environment = {}) {
        const std::string outPath = output_ / "out", errPath = output_ / "err";
        // Everything the child needs is prepared before the fork: after it, only exec-safe calls.
        std::vector<char*> envp;  // the added entries first: a lookup takes the first of a name
        for (const std::string& entry : environment)
            envp.push_back(const_cast<char*>(entry.c_str()));
        for (char** e = environ; *e; ++e)
            envp.push_back(*e);
        envp.push_back(nullptr);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ != 0) return;
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (running()) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }
    bool running() const { return pid_ > 0 && !ended_; }
    void signal(int sig) const { ::kill(pid_, sig); }

    // Waits up to `limit`; false when the process is still running then (it is killed).
    bool wait(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
                ended_ = true;
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status_, 0);
        ended_ = true;
        return false;
    }

    // The exit code, or -1 when a signal ended the process.
    int exitCode() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }
    std::string out() const { return readFile(output_.path() / "out"); }
    std::string err() const { return readFile(output_.path() / "err"); }

  private:
    TempDir output_;
    pid_t pid_ = -1;
    int status_ = 0;
    bool ended_ = false;
};

}  // namespace plazor::testing
