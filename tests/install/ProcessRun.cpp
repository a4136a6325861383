#include "ProcessRun.h"

#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestDir.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value)
            variables[name] = *value;
        else
            variables.erase(name);
    }
    std::vector<std::string> result;
    for (const auto& [name, value] : variables)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for the child; kills it, and what it started (the browser engine's
// processes), when the limit has passed.
int WaitFor(pid_t pid, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const fs::path& directory,
                         const EnvironmentChanges& changes, std::chrono::seconds limit)
{
    const TestDir outputs{false};
    const fs::path outPath = outputs.Path() / "out";
    const fs::path errPath = outputs.Path() / "err";
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = ChangedEnvironment(changes);
    std::vector<char*> argPointers = Pointers(args);
    std::vector<char*> envPointers = Pointers(environment);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (::chdir(directory.c_str()) != 0)
            ::_exit(126);
        environ = envPointers.data();
        ::execvp(argPointers[0], argPointers.data());
        ::_exit(127);
    }
    ProcessResult result;
    if (pid > 0)
        result.status = WaitFor(pid, limit);
    result.out = ReadFile(outPath);
    result.err = ReadFile(errPath);
    return result;
}
