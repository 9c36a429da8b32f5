// Hand-made monitor logs for the twainlog tests, written the way DS_Entry writes them.
#ifndef TWAINLOG_TESTS_LOGTEXT_H
#define TWAINLOG_TESTS_LOGTEXT_H

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "LogReader.h"

namespace twainlog::test {

// The lines, each ended by CR LF.
inline std::string Crlf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A whole entry: triplet line, return code, pData, the block lines, the state line (or the
// error-status lines for TWRC_FAILURE).
inline std::string Entry(const std::string& triplet, const std::string& rc,
                         const std::vector<const char*>& block = {}, int state = 4) {
    std::string text = triplet.empty() ? "" : triplet + "\r\n";
    text += "        Return Code = [" + rc + "]\r\npData   = <0x0badf00d>\r\n";
    for (const char* line : block) {
        text += std::string(line) + "\r\n";
    }
    if (rc == "TWRC_FAILURE") {
        text += "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n";
    } else {
        text += "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
    }
    return text;
}

#ifndef _WIN32
// Runs command in the shell: its standard output, and its exit status in status.
inline std::string Shell(const std::string& command, int& status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}
#endif

// One line per record and per diagnostic, for comparing whole readings at once.
inline std::string Shape(const Log& log) {
    std::string text;
    for (const Record& r : log.records) {
        text += SequenceText(r.sequence) + " " + r.Title() + " = " + r.returnCode;
        text += r.state >= 0 ? " state " + std::to_string(r.state) : "";
        text += r.errorStatus ? " errorstatus" : "";
        text += r.cut ? " cut" : "";
        text += r.truncated ? " truncated" : "";
        text += " (line " + std::to_string(r.line) + ")\n";
    }
    for (const Diagnostic& d : log.diagnostics) {
        text += "line " + std::to_string(d.line) + ": " + d.message + "\n";
    }
    return text;
}

} // namespace twainlog::test

#endif // TWAINLOG_TESTS_LOGTEXT_H
