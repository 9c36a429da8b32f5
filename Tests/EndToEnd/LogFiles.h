// The files in the module's log directory, shared by the end-to-end suites.
#ifndef TWAINMON_TESTS_LOGFILES_H
#define TWAINMON_TESTS_LOGFILES_H

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TwainLogPaths.h"

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The names of the files in the log directory.
inline std::vector<std::string> LogFiles() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(TWAINMON_LOG_DIRECTORY)) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.push_back(entry->d_name);
            }
        }
        closedir(dir);
    }
    return names;
}

inline void RemoveLogDirectory() {
    for (const std::string& name : LogFiles()) {
        unlink((std::string(TWAINMON_LOG_DIRECTORY) + "/" + name).c_str());
    }
    rmdir(TWAINMON_LOG_DIRECTORY);
}

#endif // TWAINMON_TESTS_LOGFILES_H
