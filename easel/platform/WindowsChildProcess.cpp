// RunInChild on Windows, which cannot fork: this program is started afresh with the task's
// arguments and a verdict file's name; the parent waits with a deadline, terminates the child
// at it, and reads the verdict file. The child's exit code tells a fault (an exception code,
// high bit set) from an ordinary end.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/ChildProcess.h"

namespace easel {
namespace {

// Arguments as main() received them, in the ANSI code page.
std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// Quotes one argument so that the C runtime's command-line parser gives it back unchanged:
// backslashes are literal except before a quote, where each pair stands for one.
std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

const char* ExceptionName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION: return "access violation";
        case EXCEPTION_STACK_OVERFLOW: return "stack overflow";
        case EXCEPTION_ILLEGAL_INSTRUCTION: return "illegal instruction";
        case EXCEPTION_INT_DIVIDE_BY_ZERO: return "integer division by zero";
        case EXCEPTION_BREAKPOINT: return "breakpoint";
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "array bounds exceeded";
        case EXCEPTION_IN_PAGE_ERROR: return "in-page error";
        case 0xC0000409: return "stack buffer overrun";
        default: return nullptr;
    }
}

std::filesystem::path VerdictPath() {
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = ".";
    return dir / ("easel-verdict-" + std::to_string(::GetCurrentProcessId()) + "-" +
                  std::to_string(::GetTickCount64()) + "-" + std::to_string(counter++));
}

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE h = nullptr) : h_(h) {}
    ~OwnedHandle() {
        if (h_ && h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* fault) {
    ::TerminateProcess(::GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

ChildOutcome RunInChild(const ChildTask& task, int timeoutSeconds, bool quiet) {
    ChildOutcome outcome;
    const std::optional<std::filesystem::path> exe = ThisExecutable();
    if (!exe) {
        outcome.detail = "cannot find this program's executable to start a child";
        return outcome;
    }
    const std::filesystem::path verdict = VerdictPath();
    std::wstring command = QuoteArgument(exe->wstring());
    for (const std::string& arg : task.arguments) command += L" " + QuoteArgument(Wide(arg));
    command += L" " + QuoteArgument(Wide(kChildVerdictOption)) + L" " + QuoteArgument(verdict.wstring());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    OwnedHandle null(quiet ? ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                           OPEN_EXISTING, 0, nullptr)
                           : nullptr);
    if (quiet && null.get() != INVALID_HANDLE_VALUE) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = null.get();
        startup.hStdError = null.get();
    }
    std::fflush(nullptr);
    PROCESS_INFORMATION child{};
    if (!::CreateProcessW(exe->wstring().c_str(), command.data(), nullptr, nullptr,
                          startup.dwFlags ? TRUE : FALSE, 0, nullptr, nullptr, &startup, &child)) {
        outcome.detail = "cannot start a child process (error " + std::to_string(::GetLastError()) + ")";
        return outcome;
    }
    OwnedHandle process(child.hProcess), thread(child.hThread);
    const DWORD limit = static_cast<DWORD>(timeoutSeconds) * 1000u;
    const bool timedOut = ::WaitForSingleObject(process.get(), limit) == WAIT_TIMEOUT;
    if (timedOut) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);

    std::string received;
    bool haveVerdict = false;
    {
        std::ifstream in(verdict, std::ios::binary);
        if (in) {
            received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            haveVerdict = !received.empty();
        }
    }
    std::error_code ec;
    std::filesystem::remove(verdict, ec);
    std::filesystem::path partial = verdict;
    std::filesystem::remove(partial += ".partial", ec);

    if (timedOut) {
        outcome.ending = ChildOutcome::Ending::TimedOut;
        outcome.detail = "did not finish within " + std::to_string(timeoutSeconds) + " s";
    } else if (code & 0x80000000u) {
        outcome.ending = ChildOutcome::Ending::Crashed;
        char text[96];
        const char* name = ExceptionName(code);
        std::snprintf(text, sizeof text, "crashed with exception 0x%08lX%s%s%s", static_cast<unsigned long>(code),
                      name ? " (" : "", name ? name : "", name ? ")" : "");
        outcome.detail = text;
    } else if (!haveVerdict) {
        outcome.detail = "the check ended without a verdict (exit status " + std::to_string(code) +
                         "; rerun with --verbose)";
    } else {
        outcome.ending = ChildOutcome::Ending::Finished;
        outcome.passed = received[0] == 'P';
        outcome.detail = received.substr(1);
    }
    return outcome;
}

void EndProcessOnFault() {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndWithExceptionCode);
}

std::optional<std::filesystem::path> ThisExecutable() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::nullopt;
        if (n < buffer.size()) return std::filesystem::path(buffer.substr(0, n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace easel
