#include "sim/driver/SimDriver.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#endif

#include <cstdio>

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

std::string ReadTextFile(const std::string& path) {
    constexpr size_t kMaxFile = 1 << 20;
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        text.append(buffer, n);
        if (text.size() > kMaxFile) break;
    }
    std::fclose(file);
    return text;
}

void WaitMilliseconds(uint32_t ms) {
#ifdef _WIN32
    Sleep(ms);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
}

void EndProcessAtOnce() {
    constexpr int kCrashExitCode = 3;
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), kCrashExitCode);
#endif
    _exit(kCrashExitCode);
}

std::optional<int32_t> LiveFailure(const std::string& fn) {
    const std::string path = NativePath(EnvironmentVariable("OSKARA_SIM_FAULTS"));
    if (path.empty()) return std::nullopt;
    const SimCard faults = ParseCard(ReadTextFile(path));
    const auto failure = faults.failures.find(fn);
    if (failure == faults.failures.end()) return std::nullopt;
    return failure->second;
}

}  // namespace simdriver
