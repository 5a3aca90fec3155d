#include "tavoctl_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace tavo::test {

namespace {

std::string ReadAndRemove(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::filesystem::remove(path);
    return text.str();
}

std::string TempName(const char* what) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavoctl-").string() + what + "-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) close(fd);
    return pattern;
}

} // namespace

TavoctlResult RunTavoctl(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment, const std::string& program) {
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("TAVO_PREFIX=", 0) != 0 && entry.rfind("TAVO_DEBUG=", 0) != 0) env.push_back(entry);
    }
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string outPath = TempName("out");
    const std::string errPath = TempName("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);

    TavoctlResult result;
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    result.out = ReadAndRemove(outPath);
    result.err = ReadAndRemove(errPath);
    return result;
}

} // namespace tavo::test
