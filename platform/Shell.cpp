#include "platform/Shell.h"

#include "platform/CrtShims.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

HINSTANCE Result(intptr_t code)
{
    return reinterpret_cast<HINSTANCE>(code);
}

// The first executable xdg-open on the PATH, or "".
std::string FindXdgOpen()
{
    const char* path = std::getenv("PATH");
    if (!path)
        return "";
    std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (folder.empty())
            folder = ".";
        std::string candidate = folder + "/xdg-open";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

}  // namespace

HINSTANCE ShellExecuteA(HWND, const char* verb, const char* file, const char*, const char*, int)
{
    if (!file || !*file || (verb && *verb && _stricmp(verb, "open") != 0))
        return Result(SE_ERR_NOASSOC);
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return Result(SE_ERR_NOASSOC);
    std::string program = FindXdgOpen();
    if (program.empty())
        return Result(SE_ERR_NOASSOC);

    // Everything the children need is prepared before forking.
    char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(file), nullptr};
    pid_t child = fork();
    if (child < 0)
        return Result(SE_ERR_NOASSOC);
    if (child == 0) {
        // The grandchild runs the application in a session of its own; the
        // child ends at once, so nothing waits for the application.
        pid_t grandchild = fork();
        if (grandchild == 0) {
            setsid();
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            execv(program.c_str(), argv);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            break;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Result(SE_ERR_NOASSOC);
    return Result(42);
}
