// RunInChild on POSIX: fork, a pipe for the verdict, poll with a deadline, SIGKILL at it.
// The forked copy runs the task's function; its arguments are for systems without fork.
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <exception>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ChildProcess.h"

namespace easel {
namespace {

void WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<size_t>(n);
    }
}

}  // namespace

ChildOutcome RunInChild(const ChildTask& task, int timeoutSeconds, bool quiet) {
    ChildOutcome outcome;
    int fds[2];
    if (::pipe(fds) != 0) {
        outcome.detail = std::string("cannot make a pipe: ") + std::strerror(errno);
        return outcome;
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        outcome.detail = std::string("cannot fork: ") + std::strerror(errno);
        return outcome;
    }
    if (pid == 0) {
        ::close(fds[0]);
        if (quiet) {
            const int null = ::open("/dev/null", O_WRONLY);
            if (null >= 0) {
                ::dup2(null, 1);
                ::dup2(null, 2);
            }
        }
        std::string detail;
        bool passed = false;
        try {
            passed = task.work(detail);
        } catch (const std::exception& e) {
            detail = std::string("exception: ") + e.what();
        } catch (...) {
            detail = "an exception of unknown type";
        }
        WriteAll(fds[1], std::string(passed ? "P" : "F") + detail);
        ::close(fds[1]);
        std::fflush(nullptr);
        ::_exit(0);
    }
    ::close(fds[1]);

    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;  // the deadline is checked above
        char buffer[4096];
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the child closed its end
        received.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    if (timedOut) {
        outcome.ending = ChildOutcome::Ending::TimedOut;
        outcome.detail = "did not finish within " + std::to_string(timeoutSeconds) + " s";
    } else if (WIFSIGNALED(status)) {
        outcome.ending = ChildOutcome::Ending::Crashed;
        const int sig = WTERMSIG(status);
        const char* name = ::strsignal(sig);
        outcome.detail = "crashed with signal " + std::to_string(sig) + (name ? std::string(" (") + name + ")" : "");
    } else if (received.empty()) {
        // A sanitizer's report of a crash ends the process this way too.
        outcome.detail = "the check ended without a verdict (exit status " +
                         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                         "; under a sanitizer, its report; rerun with --verbose)";
    } else {
        outcome.ending = ChildOutcome::Ending::Finished;
        outcome.passed = received[0] == 'P';
        outcome.detail = received.substr(1);
    }
    return outcome;
}

void EndProcessOnFault() {}

std::optional<std::filesystem::path> ThisExecutable() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::nullopt;
    return self;
}

}  // namespace easel
