// Reading speed of twainlog's log reader, in bytes of log text per second, on a long session
// made of the entries the monitor writes: capability negotiation with its containers,
// identities, memory transfers strip by strip, events, failures with their error-status lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "LogReader.h"

namespace {

std::string Session(size_t pages) {
    std::string text;
    long sequence = 0;
    auto entry = [&](const char* triplet, const char* rc, const std::string& block, int state) {
        char line[160];
        if (triplet != nullptr) {
            std::snprintf(line, sizeof line, "[%05ld] [APP] %s\r\n", ++sequence, triplet);
            text += line;
        }
        text += std::string("        Return Code = [") + rc + "]\r\npData   = <0x5f3c1a20>\r\n";
        text += block;
        if (std::string(rc) == "TWRC_FAILURE") {
            text += "*** Inspect Error Status Start ***\r\n*** Inspect Error Status End   ***\r\n";
        } else {
            text += "\r\nTWAIN Status = [" + std::to_string(state) + "]\r\n";
        }
    };
    const std::string identity =
        "  TW_IDENTITY = {\r\n    Id              = [2]\r\n    Version         =\r\n"
        "    TW_VERSION = {\r\n      MajorNum = [1]\r\n      MinorNum = [10]\r\n"
        "      Language = [TWLG_USA]\r\n      Country  = [TWCY_USA]\r\n"
        "      Info     = [1.10 sample]\r\n    }\r\n    ProtocolMajor   = [2]\r\n"
        "    ProtocolMinor   = [1]\r\n    SupportedGroups = [3]\r\n"
        "    Manufacturer    = [Sample Imaging]\r\n    ProductFamily   = [Flatbed]\r\n"
        "    ProductName     = [Sample Flatbed 1200]\r\n  }\r\n";
    const std::string enumeration =
        "  TW_CAPABILITY = {\r\n    Cap        = [ICAP_PIXELTYPE]\r\n"
        "    ConType    = [TWON_ENUMERATION]\r\n    hContainer = <0x00600010>\r\n"
        "    TW_ENUMERATION = {\r\n      ItemType     = [TWTY_UINT16]\r\n"
        "      NumItems     = [3]\r\n      CurrentIndex = [2]\r\n      DefaultIndex = [0]\r\n"
        "      ItemList = {\r\n          0:TWPT_BW,\r\n          1:TWPT_GRAY,\r\n"
        "          2:TWPT_RGB\r\n      }\r\n    }\r\n  }\r\n";
    const std::string strip =
        "  TW_IMAGEMEMXFER = {\r\n    Compression  = [TWCP_NONE]\r\n    BytesPerRow  = [7650]\r\n"
        "    Columns      = [2550]\r\n    Rows         = [64]\r\n    XOffset      = [0]\r\n"
        "    YOffset      = [640]\r\n    BytesWritten = [489600]\r\n    Memory       =\r\n"
        "    TW_MEMORY = {\r\n      Flags  = [0x11]\r\n      Length = [489600]\r\n"
        "      TheMem = <0x79588000>\r\n    }\r\n}\r\n";
    entry("DG_CONTROL/DAT_IDENTITY/MSG_OPENDS", "TWRC_SUCCESS", identity, 4);
    for (size_t page = 0; page < pages; ++page) {
        for (int i = 0; i < 6; ++i) {
            entry("DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)", "TWRC_SUCCESS", enumeration,
                  4);
        }
        entry("DG_CONTROL/DAT_CAPABILITY/MSG_GET (CAP_FEEDERENABLED)", "TWRC_FAILURE", "", 4);
        entry("DG_CONTROL/DAT_STATUS/MSG_GET", "TWRC_SUCCESS",
              "  TW_STATUS = {\r\n    ConditionCode = [TWCC_CAPUNSUPPORTED]\r\n  }\r\n", 4);
        entry("DG_CONTROL/DAT_USERINTERFACE/MSG_ENABLEDS", "TWRC_SUCCESS", "", 5);
        entry(nullptr, "TWRC_DSEVENT",
              "  TW_EVENT = {\r\n    pEvent    = <0x00001000>\r\n"
              "    TWMessage = [MSG_XFERREADY]\r\n  }\r\n",
              6);
        for (int i = 0; i < 50; ++i) {
            entry("DG_IMAGE/DAT_IMAGEMEMXFER/MSG_GET", "TWRC_SUCCESS", strip, 7);
        }
        entry("DG_CONTROL/DAT_PENDINGXFERS/MSG_ENDXFER", "TWRC_SUCCESS",
              "  TW_PENDINGXFERS = {\r\n    Count = [0]\r\n    EOJ   = [0]\r\n  }\r\n", 5);
        entry("DG_CONTROL/DAT_USERINTERFACE/MSG_DISABLEDS", "TWRC_SUCCESS", "", 4);
    }
    entry("DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS", "TWRC_SUCCESS", identity, 3);
    return text;
}

void BM_ReadLog(benchmark::State& state) {
    const std::string text = Session(static_cast<size_t>(state.range(0)));
    size_t records = 0;
    for (auto _ : state) {
        const twainlog::Log log = twainlog::ReadLog(text);
        records = log.records.size();
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["log_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["entries"] = static_cast<double>(records);
}
BENCHMARK(BM_ReadLog)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
