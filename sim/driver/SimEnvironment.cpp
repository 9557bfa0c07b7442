#include "sim/driver/SimDriver.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace simdriver {

std::string EnvironmentVariable(const char* name) {
#ifdef _WIN32
    // The process environment itself: a test sets it after the C runtime took its copy.
    char buffer[1024];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
#else
    const char* value = std::getenv(name);
    return value ? value : "";
#endif
}

std::string NativePath(const std::string& path) {
#ifdef _WIN32
    // Under Wine the Unix root is drive Z:, so "/tmp/card" names "Z:/tmp/card".
    if (!path.empty() && path[0] == '/') return "Z:" + path;
#endif
    return path;
}

}  // namespace simdriver
