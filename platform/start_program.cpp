#include "platform/error.h"
#include "platform/paths.h"
#include "platform/system.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace plat {

namespace {

constexpr std::uint32_t kStarted = 42;       // what ShellExecute returns for a started program
constexpr std::uint32_t kOutOfResources = 8; // SE_ERR_OOM

std::uint32_t Fail(std::uint32_t code) {
    SetLastError(code);
    return code;
}

// Splits parameters the way a Windows program's C runtime splits its command line: blanks and tabs
// separate words, double quotes group them ("" inside quotes is a quote), 2n backslashes before
// a quote give n backslashes and the quote opens or closes, 2n+1 give n and a literal quote, and
// backslashes anywhere else are plain characters.
std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size()) return words;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            if (line[i] == '\\') {
                std::size_t count = 0;
                for (; i < line.size() && line[i] == '\\'; ++i)
                    ++count;
                if (i < line.size() && line[i] == '"') {
                    word.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(count, '\\');
                }
            } else if (line[i] == '"') {
                ++i;
                if (quoted && i < line.size() && line[i] == '"') {
                    word += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else {
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
}

std::string ParentOf(const std::string& hostPath) {
    std::size_t slash = hostPath.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? std::string("/") : hostPath.substr(0, slash);
}

bool IsHostFolder(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Checks that the program exists and the host can run it: 0, or the ShellExecute error.
std::uint32_t CheckProgram(const std::string& hostPath) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return IsHostFolder(ParentOf(hostPath)) ? kErrorFileNotFound : kErrorPathNotFound;
        return errno == ENOTDIR ? kErrorPathNotFound : kErrorAccessDenied;
    }
    if (!S_ISREG(st.st_mode) || ::access(hostPath.c_str(), X_OK) != 0) return kErrorAccessDenied;
    return 0;
}

std::uint32_t ErrorFromExec(int err) {
    switch (err) {
    case ENOENT:
        return kErrorFileNotFound;
    case ENOTDIR:
        return kErrorPathNotFound;
    case ENOMEM:
    case EAGAIN:
        return kOutOfResources;
    default:
        return kErrorAccessDenied;
    }
}

void WriteErrno(int fd) {
    int err = errno;
    [[maybe_unused]] ssize_t written = ::write(fd, &err, sizeof err);
}

// Runs in the started program's process, between fork and exec: async-signal-safe calls only.
[[noreturn]] void BecomeProgram(char* const* argv, const char* folder, int errorFd) {
    int nullFd = ::open("/dev/null", O_RDONLY);
    if (nullFd > 0) {
        ::dup2(nullFd, 0);
        ::close(nullFd);
    }
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC); // descriptors of this process are not the program's
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        ::sigaction(sig, &defaults, nullptr);
    if (folder && ::chdir(folder) != 0) {
        WriteErrno(errorFd);
        ::_exit(127);
    }
    ::execve(argv[0], argv, environ);
    WriteErrno(errorFd);
    ::_exit(127);
}

} // namespace

std::uint32_t StartProgram(std::string_view file, std::string_view parameters, std::string_view folder) {
    if (file.empty()) return Fail(kErrorFileNotFound);
    auto program = ToHostPath(FullWindowsPath(file));
    if (!program) return Fail(LastError() == kErrorPathNotFound ? kErrorPathNotFound : kErrorFileNotFound);
    if (std::uint32_t error = CheckProgram(*program)) return Fail(error);

    // The program starts in the given folder, else in this process's current one.
    std::optional<std::string> workFolder;
    if (!folder.empty()) {
        workFolder = ToHostPath(FullWindowsPath(folder));
        if (!workFolder || !IsHostFolder(*workFolder)) return Fail(kErrorPathNotFound);
    } else if (auto current = ToHostPath(CurrentFolder()); current && IsHostFolder(*current)) {
        workFolder = current;
    }

    std::vector<std::string> words = SplitCommandLine(parameters);
    words.insert(words.begin(), *program);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // The program's grandparent ends at once, so the program is nobody's child here and is never
    // waited for; a pipe closed by a successful exec reports a failed one.
    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) return Fail(kOutOfResources);
    pid_t child = ::fork();
    if (child < 0) {
        ::close(errorPipe[0]);
        ::close(errorPipe[1]);
        return Fail(kOutOfResources);
    }
    if (child == 0) {
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild < 0) WriteErrno(errorPipe[1]);
        if (grandchild != 0) ::_exit(0);
        BecomeProgram(argv.data(), workFolder ? workFolder->c_str() : nullptr, errorPipe[1]);
    }
    ::close(errorPipe[1]);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t got;
    while ((got = ::read(errorPipe[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    ::close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof execError)) return Fail(ErrorFromExec(execError));
    return kStarted;
}

} // namespace plat
