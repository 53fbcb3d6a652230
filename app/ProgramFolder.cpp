#include "app/ProgramFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

#ifdef _WIN32

std::string programPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return "";
    return std::string(path, length);
}

#else

std::string programPath() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof path))
        return "";
    return std::string(path, static_cast<size_t>(length));
}

#endif

std::string programFolder() {
    const std::string program = programPath();
    return program.substr(0, program.find_last_of("\\/") + 1);
}
