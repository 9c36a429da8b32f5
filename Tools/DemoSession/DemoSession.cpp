// twain_demo_session: plays the Data Source Manager and a scanning application against the
// built data source module, then prints the log the module wrote for the session.
//
// The module logs only when its log directory exists when it is loaded, and closes the log
// when it is unloaded, so the directory is made first and the log read after dlclose.
#include <dlfcn.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <system_error>

#include <CLI/CLI.hpp>

#include "ScanSession.h"

namespace fs = std::filesystem;

namespace {

const char* const kModulePath = TWAINMON_DEMO_MODULE_PATH;
const char* const kLogDirectory = TWAINMON_DEMO_LOG_DIRECTORY;

// The module's log files: Twainlog_YYYYMMDD_HHMMSS_mmmm.txt.
std::set<fs::path> LogFiles(const fs::path& directory) {
    std::set<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && name.rfind("Twainlog_", 0) == 0 && name.size() > 4 &&
            name.compare(name.size() - 4, 4, ".txt") == 0) {
            files.insert(entry.path());
        }
    }
    return files;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "twain_demo_session: %s\n", message.c_str());
    return 2;
}

} // namespace

static int Run(int argc, char** argv) {
    CLI::App app{"Plays a scan session through the built data source and prints its log.",
                 "twain_demo_session"};
    ScanSettings settings;
    const std::map<std::string, TW_UINT16> pixelTypes = {
        {"bw", TWPT_BW}, {"gray", TWPT_GRAY}, {"rgb", TWPT_RGB}};
    app.add_option("--pixel-type", settings.pixelType, "bw, gray (the default) or rgb")
        ->transform(CLI::CheckedTransformer(pixelTypes, CLI::ignore_case));
    app.add_option("--resolution", settings.resolution,
                   "Dots per inch (the source's default: "
                   "keep it)");
    app.add_option("--pages", settings.pages, "Pages to scan (CAP_XFERCOUNT)");
    CLI11_PARSE(app, argc, argv);

    std::error_code error;
    fs::create_directories(kLogDirectory, error);
    if (error) {
        return Fail(std::string("cannot create the log directory ") + kLogDirectory + ": " +
                    error.message());
    }
    const std::set<fs::path> earlierLogs = LogFiles(kLogDirectory);

    void* module = dlopen(kModulePath, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        return Fail(std::string("cannot load the data source ") + kModulePath + ": " + dlerror());
    }
    const auto entry = reinterpret_cast<DSEntryProc>(dlsym(module, "DS_Entry"));
    if (entry == nullptr) {
        dlclose(module);
        return Fail(std::string("the data source ") + kModulePath + " has no DS_Entry");
    }
    CScanSession session(entry, settings);
    const bool asExpected = session.Run();
    dlclose(module);

    unsigned long long logBytes = 0;
    bool anyLog = false;
    for (const fs::path& log : LogFiles(kLogDirectory)) {
        if (earlierLogs.count(log) != 0) {
            continue;
        }
        anyLog = true;
        std::cout << "Log file: " << log.string() << "\n";
        std::ifstream in(log, std::ios::binary);
        std::cout << in.rdbuf();
        std::cout.flush();
        logBytes += fs::file_size(log, error);
    }
    if (!anyLog) {
        return Fail(std::string("the session left no log file in ") + kLogDirectory);
    }
    std::cout << "Summary: " << session.Calls() << " DS_Entry calls, " << session.Pages()
              << " page(s) in " << session.Strips() << " strips (" << session.ImageBytes()
              << " image bytes), log " << logBytes << " bytes\n";
    if (!asExpected) {
        std::fprintf(stderr, "twain_demo_session: the session did not go as a scan should "
                             "(see the messages above)\n");
        return 1;
    }
    return 0;
}

// Nothing is thrown on purpose; whatever a library throws ends the program with a message.
int main(int argc, char** argv) {
#ifdef _WIN32
    // The log is printed as it is, its CR LF line ends included, not through text mode.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "twain_demo_session: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "twain_demo_session: unexpected error\n");
    }
    return 2;
}
