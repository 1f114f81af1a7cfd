#pragma once

#include <cstring>
#include <fstream>
#include <string>

// A figure of /proc/self/status in kB ("VmHWM:" is the peak resident
// memory so far); -1 where there is no such line.
inline long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field)));
    return -1;
}
