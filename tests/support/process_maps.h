// The mappings of the running process that are both writable and executable, as the kernel
// lists them in /proc/self/maps ("rwxp ..."): none may exist, or written data could run.
#pragma once

#include <fstream>
#include <string>
#include <vector>

inline std::vector<std::string> WritableExecutableMappings() {
    std::vector<std::string> found;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        // "start-end perms offset dev inode path": the permissions are the second field.
        const std::size_t blank = line.find(' ');
        if (blank == std::string::npos || line.size() < blank + 4) continue;
        const std::string perms = line.substr(blank + 1, 3);
        if (perms[1] == 'w' && perms[2] == 'x') found.push_back(line);
    }
    return found;
}

// Whether the maps can be read at all, so that an empty list means something.
inline bool ProcessMapsReadable() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    return static_cast<bool>(std::getline(maps, line));
}
