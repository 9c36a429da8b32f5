#include "Summary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace twainlog {

namespace {

bool IsImageTransfer(const Record& record) {
    return record.msg == "MSG_GET" &&
           (record.dat == "DAT_IMAGEMEMXFER" || record.dat == "DAT_IMAGENATIVEXFER" ||
            record.dat == "DAT_IMAGEFILEXFER");
}

// Messages whose container holds the capability's value after the call.
bool ShowsValue(const std::string& msg) {
    return msg == "MSG_GET" || msg == "MSG_GETCURRENT" || msg == "MSG_SET" || msg == "MSG_RESET";
}

bool ParseNumber(const std::string& text, unsigned long long& value) {
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        return false;
    }
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return *end == '\0';
}

std::string ValueOf(const Record& record, const char* path) {
    const Node* node = record.Find(path);
    return node != nullptr ? node->value : std::string();
}

void CountTriplets(const Log& log, Summary& summary) {
    std::map<std::string, size_t> tripletIndex;
    std::map<std::string, size_t> codeIndex;
    for (const Record& record : log.records) {
        const std::string key =
            record.kind == EntryKind::FailureOnly ? "(error-status lines only)" : record.Triplet();
        auto [triplet, added] = tripletIndex.emplace(key, summary.triplets.size());
        if (added) {
            summary.triplets.push_back({key, 0, 0});
        }
        TripletCount& count = summary.triplets[triplet->second];
        ++count.calls;
        count.failed += record.Failed() ? 1 : 0;
        const std::string code = record.returnCode.empty() ? "(none)" : record.returnCode;
        auto [rc, codeAdded] = codeIndex.emplace(code, summary.returnCodes.size());
        if (codeAdded) {
            summary.returnCodes.push_back({code, 0});
        }
        ++summary.returnCodes[rc->second].count;
    }
    std::stable_sort(
        summary.triplets.begin(), summary.triplets.end(),
        [](const TripletCount& a, const TripletCount& b) { return a.calls > b.calls; });
    std::stable_sort(summary.returnCodes.begin(), summary.returnCodes.end(),
                     [](const CodeCount& a, const CodeCount& b) { return a.count > b.count; });
}

void FindFailures(const Log& log, Summary& summary) {
    const auto& records = log.records;
    for (size_t i = 0; i < records.size(); ++i) {
        if (!records[i].Failed() || records[i].Is("DAT_STATUS", "MSG_GET")) {
            continue;
        }
        FailureReport failure{records[i].sequence, records[i].line, records[i].Title(), "", -1};
        // The next DAT_STATUS, unless another failure comes first and takes its place.
        for (size_t j = i + 1; j < records.size(); ++j) {
            if (records[j].Is("DAT_STATUS", "MSG_GET")) {
                failure.condition = ValueOf(records[j], "TW_STATUS.ConditionCode");
                if (failure.condition.empty()) {
                    failure.condition = "?";
                }
                failure.statusSequence = records[j].sequence;
                break;
            }
            if (records[j].Failed()) {
                break;
            }
        }
        summary.failures.push_back(std::move(failure));
    }
}

void FollowImages(const Log& log, Summary& summary) {
    ImageReport info; // the latest TW_IMAGEINFO, copied into the transfer that follows
    bool open = false;
    for (const Record& record : log.records) {
        if (record.Failed()) {
            continue;
        }
        if (record.Is("DAT_IMAGEINFO", "MSG_GET")) {
            info.width = ValueOf(record, "TW_IMAGEINFO.ImageWidth");
            info.length = ValueOf(record, "TW_IMAGEINFO.ImageLength");
            info.pixelType = ValueOf(record, "TW_IMAGEINFO.PixelType");
            info.bitsPerPixel = ValueOf(record, "TW_IMAGEINFO.BitsPerPixel");
        } else if (IsImageTransfer(record)) {
            if (!open || !summary.images.back().outcome.empty()) {
                ImageReport image = info;
                image.sequence = record.sequence;
                image.mechanism = record.dat == "DAT_IMAGEMEMXFER"      ? "memory"
                                  : record.dat == "DAT_IMAGENATIVEXFER" ? "native"
                                                                        : "file";
                image.bytesKnown = image.mechanism == "memory";
                summary.images.push_back(image);
                open = true;
            }
            ImageReport& image = summary.images.back();
            if (image.mechanism == "memory" && record.returnCode != "TWRC_CANCEL") {
                ++image.strips;
                unsigned long long written = 0;
                if (ParseNumber(ValueOf(record, "TW_IMAGEMEMXFER.BytesWritten"), written)) {
                    image.bytes += written;
                } else {
                    image.bytesKnown = false;
                }
            }
            if (record.returnCode == "TWRC_XFERDONE" || record.returnCode == "TWRC_CANCEL") {
                image.outcome = record.returnCode;
            }
        } else if (record.Is("DAT_PENDINGXFERS", "MSG_ENDXFER") && open) {
            unsigned long long count = 0;
            const std::string text = ValueOf(record, "TW_PENDINGXFERS.Count");
            if (ParseNumber(text, count)) {
                summary.images.back().pendingAfter = static_cast<long>(count);
            } else if (text == "-1") {
                summary.images.back().pendingAfter = -1;
            }
            open = false;
            info = ImageReport{};
        }
    }
}

void FollowCapabilities(const Log& log, Summary& summary) {
    std::map<std::string, size_t> index;
    for (const Record& record : log.records) {
        if (record.dat != "DAT_CAPABILITY" || record.Failed() || !ShowsValue(record.msg)) {
            continue;
        }
        CapabilityReport report;
        report.cap = record.cap;
        report.msg = record.msg;
        report.sequence = record.sequence;
        if (const Node* block = record.Find("TW_CAPABILITY")) {
            if (const Node* cap = block->Child("Cap")) {
                report.cap = cap->value;
            }
            report.value = CapabilityValue(*block, report.container);
        }
        auto [at, added] = index.emplace(report.cap, summary.capabilities.size());
        if (added) {
            summary.capabilities.push_back(std::move(report));
        } else {
            summary.capabilities[at->second] = std::move(report);
        }
    }
}

std::string Plural(size_t n, const std::string& word) {
    if (n == 1) {
        return "1 " + word;
    }
    return std::to_string(n) + " " +
           (word.back() == 'y' ? word.substr(0, word.size() - 1) + "ies" : word + "s");
}

} // namespace

std::string CapabilityValue(const Node& capability, std::string& container) {
    for (const Node& child : capability.children) {
        if (child.kind != Node::Kind::Block) {
            continue;
        }
        const Node* list = child.Child("ItemList");
        if (child.type == "TW_ONEVALUE") {
            container = child.type;
            const Node* item = child.Child("Item");
            return item ? item->value : "";
        }
        if (child.type == "TW_RANGE") {
            container = child.type;
            const Node* item = child.Child("CurrentValue");
            return item ? item->value : "";
        }
        if (child.type == "TW_ENUMERATION") {
            container = child.type;
            const Node* current = child.Child("CurrentIndex");
            const Node* item = list && current ? list->Child(current->value) : nullptr;
            return item ? item->value : "";
        }
        if (child.type == "TW_ARRAY") {
            container = child.type;
            std::string joined;
            for (const Node& item : list ? list->children : std::vector<Node>()) {
                joined += (joined.empty() ? "" : ",") + item.value;
            }
            return joined;
        }
    }
    container.clear();
    return "";
}

Summary Summarize(const Log& log) {
    Summary summary;
    summary.entries = log.records.size();
    summary.diagnostics = log.diagnostics.size();
    int state = 3; // the state the monitor sets when it opens its log
    summary.states.push_back(state);
    for (const Record& record : log.records) {
        switch (record.kind) {
        case EntryKind::Call:
            ++summary.calls;
            break;
        case EntryKind::Event:
            ++summary.events;
            break;
        case EntryKind::FailureOnly:
            ++summary.failuresOnly;
            break;
        }
        summary.cutEntries += record.cut ? 1 : 0;
        summary.truncated = summary.truncated || record.truncated;
        if (record.state >= 0 && record.state != state) {
            state = record.state;
            summary.states.push_back(state);
        }
    }
    CountTriplets(log, summary);
    FindFailures(log, summary);
    FollowImages(log, summary);
    FollowCapabilities(log, summary);
    return summary;
}

void PrintSummary(const Summary& s, const std::string& name, std::ostream& out) {
    out << name << ": " << Plural(s.entries, "entry") << " (" << Plural(s.calls, "call") << ", "
        << Plural(s.events, "event") << ", " << s.failuresOnly << " without text)";
    if (s.cutEntries > 0) {
        out << ", " << s.cutEntries << " cut at 5120 bytes";
    }
    if (s.truncated) {
        out << ", the file ends inside an entry";
    }
    if (s.diagnostics > 0) {
        out << ", " << Plural(s.diagnostics, "unreadable spot");
    }
    out << "\n\n";
    char line[512];
    out << " calls  failed  triplet\n";
    for (const TripletCount& t : s.triplets) {
        std::snprintf(line, sizeof line, "%6zu  %6zu  %s\n", t.calls, t.failed, t.triplet.c_str());
        out << line;
    }
    out << "\n count  return code\n";
    for (const CodeCount& c : s.returnCodes) {
        std::snprintf(line, sizeof line, "%6zu  %s\n", c.count, c.code.c_str());
        out << line;
    }
    out << "\nFailures:" << (s.failures.empty() ? " none" : "") << "\n";
    for (const FailureReport& f : s.failures) {
        out << "  " << SequenceText(f.sequence) << " " << f.title << ": "
            << (f.condition.empty()
                    ? "no DAT_STATUS asked"
                    : f.condition + " (DAT_STATUS " + SequenceText(f.statusSequence) + ")")
            << "\n";
    }
    out << "\nStates:";
    for (size_t i = 0; i < s.states.size(); ++i) {
        out << (i == 0 ? " " : " -> ") << s.states[i];
    }
    out << "\n";
    unsigned long long bytes = 0;
    bool bytesKnown = true;
    size_t done = 0;
    for (const ImageReport& image : s.images) {
        bytes += image.bytes;
        bytesKnown = bytesKnown && image.bytesKnown;
        done += image.outcome == "TWRC_XFERDONE" ? 1 : 0;
    }
    out << "\nImages: " << done << " transferred";
    if (!s.images.empty()) {
        out << ", " << (bytesKnown ? std::to_string(bytes) : "?") << " bytes";
    }
    out << "\n";
    for (size_t i = 0; i < s.images.size(); ++i) {
        const ImageReport& image = s.images[i];
        out << "  " << i + 1 << ": " << SequenceText(image.sequence) << " " << image.mechanism;
        if (image.mechanism == "memory") {
            out << ", " << Plural(image.strips, "strip") << ", "
                << (image.bytesKnown ? std::to_string(image.bytes) : "?") << " bytes";
        }
        if (!image.width.empty()) {
            out << ", " << image.width << "x" << image.length << " " << image.pixelType << " "
                << image.bitsPerPixel << " bits";
        }
        out << ", " << (image.outcome.empty() ? "not finished" : image.outcome);
        if (image.pendingAfter != -2) {
            out << ", " << image.pendingAfter << " pending after";
        }
        out << "\n";
    }
    out << "\nCapabilities:" << (s.capabilities.empty() ? " none" : "") << "\n";
    size_t width = 0;
    for (const CapabilityReport& c : s.capabilities) {
        width = std::max(width, c.cap.size());
    }
    for (const CapabilityReport& c : s.capabilities) {
        out << "  " << c.cap << std::string(width - c.cap.size(), ' ') << " = "
            << (c.container.empty() ? "(container not in the log)" : "[" + c.value + "]") << "  "
            << c.msg << " " << SequenceText(c.sequence) << "\n";
    }
}

nlohmann::json SummaryJson(const Summary& s, const std::string& name) {
    using nlohmann::json;
    json j;
    j["file"] = name;
    j["entries"] = s.entries;
    j["calls"] = s.calls;
    j["events"] = s.events;
    j["failuresWithoutText"] = s.failuresOnly;
    j["cutEntries"] = s.cutEntries;
    j["truncated"] = s.truncated;
    j["diagnostics"] = s.diagnostics;
    j["triplets"] = json::array();
    for (const TripletCount& t : s.triplets) {
        j["triplets"].push_back({{"triplet", t.triplet}, {"calls", t.calls}, {"failed", t.failed}});
    }
    j["returnCodes"] = json::object();
    for (const CodeCount& c : s.returnCodes) {
        j["returnCodes"][c.code] = c.count;
    }
    j["failures"] = json::array();
    for (const FailureReport& f : s.failures) {
        json failure = {{"sequence", f.sequence}, {"line", f.line}, {"call", f.title}};
        failure["conditionCode"] = f.condition.empty() ? json(nullptr) : json(f.condition);
        failure["statusSequence"] = f.statusSequence >= 0 ? json(f.statusSequence) : json(nullptr);
        j["failures"].push_back(failure);
    }
    j["states"] = s.states;
    j["images"] = json::array();
    for (const ImageReport& image : s.images) {
        json item = {{"sequence", image.sequence},
                     {"mechanism", image.mechanism},
                     {"outcome", image.outcome.empty() ? json(nullptr) : json(image.outcome)},
                     {"strips", image.strips},
                     {"bytes", image.bytesKnown ? json(image.bytes) : json(nullptr)}};
        if (!image.width.empty()) {
            item["width"] = image.width;
            item["length"] = image.length;
            item["pixelType"] = image.pixelType;
            item["bitsPerPixel"] = image.bitsPerPixel;
        }
        if (image.pendingAfter != -2) {
            item["pendingAfter"] = image.pendingAfter;
        }
        j["images"].push_back(item);
    }
    j["capabilities"] = json::array();
    for (const CapabilityReport& c : s.capabilities) {
        j["capabilities"].push_back(
            {{"capability", c.cap},
             {"value", c.container.empty() ? json(nullptr) : json(c.value)},
             {"container", c.container.empty() ? json(nullptr) : json(c.container)},
             {"message", c.msg},
             {"sequence", c.sequence}});
    }
    return j;
}

} // namespace twainlog
