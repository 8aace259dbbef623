#include "record/ProcessIdentity.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <string>
#endif

namespace quendrix::record {

#ifdef _WIN32

std::string thisHostName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

long long thisProcessId() {
    return static_cast<long long>(GetCurrentProcessId());
}

bool processLives(long long pid) {
    if (pid <= 0 || pid > 0xFFFFFFFFLL) {
        return false;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        // Denied means it exists.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

#else

std::string thisHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return {};
    }
    return name;
}

long long thisProcessId() {
    return static_cast<long long>(getpid());
}

namespace {

// A process that has ended but whose parent has not yet collected it still answers kill();
// Linux tells it by the state "Z" after the command name in /proc.
bool ended(long long pid) {
#ifdef __linux__
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && line.compare(nameEnd, 3, ") Z") == 0;
#else
    (void)pid;
    return false;
#endif
}

}  // namespace

bool processLives(long long pid) {
    // 0 and negative ids name process groups, not a process.
    if (pid <= 0 || pid > INT_MAX) {
        return false;
    }
    const bool exists = kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    return exists && !ended(pid);
}

#endif

}  // namespace quendrix::record
