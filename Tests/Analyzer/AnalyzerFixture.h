// Drives one analyzer the way DS_Entry does and returns the text of each pass.
#ifndef TWAINMON_TESTS_ANALYZERFIXTURE_H
#define TWAINMON_TESTS_ANALYZERFIXTURE_H

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "ParaAnalyze.h"
#include "twaintbl.h"

// A vendor DAT that no table names. The vendor numbers its DATs up from 0x8001; this one sits
// at the other end of the range, and the build stops should a table ever name it.
constexpr TW_UINT16 kUnnamedVendorDat = 0xfffe;

constexpr bool IsNamed(MacroTable table, int64_t value) {
    for (size_t i = 0; i < table.count; ++i) {
        if (table.rows[i].value == value) {
            return true;
        }
    }
    return false;
}
static_assert(!IsNamed(MacroRows(dat_xq_macros), kUnnamedVendorDat),
              "kUnnamedVendorDat must stay a DAT without a name");

// The bytes of the file at path (none when it cannot be read).
inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines, each ended by CR LF.
inline std::string Crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The low 32 bits of a pointer, as the log prints them.
inline std::string Hex32(const void* pointer) {
    char text[16];
    snprintf(text, sizeof text, "%08x",
             static_cast<unsigned int>(reinterpret_cast<uintptr_t>(pointer)));
    return text;
}

// The result section of a successful call ending in state (4 unless given), with the block
// between the pData line and the state line.
inline std::string Section(const void* data, const std::string& block, int state = 4) {
    return "        Return Code = [TWRC_SUCCESS]\r\npData   = <0x" + Hex32(data) + ">\r\n" + block +
           "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
}

inline const char kErrorStatus[] =
    "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n";

// Entry n as the log shows a DG_CONTROL call with a null pData: a success ends with the line
// of state, a failure with the error-status lines after notes.
inline std::string NullDataEntry(int n, const std::string& datMsg, int state, bool failed = false,
                                 const std::string& notes = "", const std::string& label = "APP") {
    char number[16];
    snprintf(number, sizeof number, "[%05d]", n);
    return number + (" [" + label + "] DG_CONTROL/" + datMsg) + "\r\n        Return Code = [TWRC_" +
           (failed ? "FAILURE" : "SUCCESS") + "]\r\npData   = <0x00000000>\r\n" + notes +
           (failed ? kErrorStatus : "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n");
}

struct AnalyzerHarness {
    CParaAnalyze analyzer;
    char text[RESULT_TEXT_SIZE];

    explicit AnalyzerHarness(int state = 3) { analyzer.SetTwainStatus(state); }

    std::string Triplet(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data = nullptr) {
        text[0] = '\0';
        analyzer.TripletAnalyze(nullptr, nullptr, dg, dat, msg, static_cast<char*>(data), text);
        return text;
    }

    std::string Result(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data, TW_UINT16 rc) {
        text[0] = '\0';
        analyzer.ParaAnalyze(nullptr, nullptr, dg, dat, msg, static_cast<char*>(data), rc, text);
        return text;
    }

    // Both passes of one call, as the log receives them.
    std::string Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data, TW_UINT16 rc) {
        std::string all = Triplet(dg, dat, msg, data);
        return all + Result(dg, dat, msg, data, rc);
    }
};

#endif // TWAINMON_TESTS_ANALYZERFIXTURE_H
