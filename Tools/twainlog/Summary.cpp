#include "Summary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iomanip>
#include <map>
#include <sstream>

#include "LogVocabulary.h"
#include "Escape.h"

namespace twainlog {

namespace {

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

} // namespace

std::string Plural(size_t n, const std::string& word) {
    if (n == 1) {
        return "1 " + word;
    }
    return std::to_string(n) + " " +
           (word.back() == 'y' ? word.substr(0, word.size() - 1) + "ies" : word + "s");
}

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

void SummaryBuilder::StartLoad(const std::string& name) {
    m_pendingFailure = -1; // a load's DAT_STATUS answers nothing of the load before it
    CloseImage();
    m_imageOpen = false;
    m_info = ImageReport{};
    m_summary.loads.push_back({name, 0, false});
    m_state = 3; // the state the monitor sets when it opens its log
    if (m_summary.states.empty() || m_summary.states.back() != m_state) {
        m_summary.states.push_back(m_state);
    }
}

void SummaryBuilder::Note(const LoggerLine& note) {
    if (m_summary.loads.empty()) {
        StartLoad("");
    }
    if (++m_summary.notes <= kShownNotes) {
        m_summary.shownNotes.push_back(note);
        m_summary.shownNoteLoads.push_back(m_summary.loads.size() - 1);
    }
}

void SummaryBuilder::Add(const Record& record) {
    if (m_summary.loads.empty()) {
        StartLoad("");
    }
    Summary& s = m_summary;
    const size_t load = s.loads.size() - 1;
    LoadReport& report = s.loads.back();
    report.identityOnly = (report.entries == 0 || report.identityOnly) &&
                          record.kind == EntryKind::Call && record.Is("DAT_IDENTITY", "MSG_GET");
    ++report.entries;
    ++s.entries;
    switch (record.kind) {
    case EntryKind::Call:
        ++s.calls;
        s.sourceCalls += record.FromSource() ? 1 : 0;
        break;
    case EntryKind::Event:
        ++s.events;
        break;
    case EntryKind::FailureOnly:
        ++s.failuresOnly;
        break;
    }
    s.cutEntries += record.cut ? 1 : 0;
    s.truncated = s.truncated || record.truncated;
    if (record.state >= 0 && record.state != m_state) {
        m_state = record.state;
        if (++s.stateChanges < kMaxListed) {
            s.states.push_back(m_state);
        }
    }

    // Counts per triplet and per return code.
    std::string key = record.kind == EntryKind::FailureOnly ? "(error-status lines only)"
                      : record.FromSource() ? "[" + record.label + "] " + record.Triplet()
                                            : record.Triplet();
    if (m_triplets.size() >= kMaxDistinct && m_triplets.count(key) == 0) {
        key = "(others)";
    }
    auto [triplet, added] = m_triplets.emplace(key, s.triplets.size());
    if (added) {
        s.triplets.push_back({key, 0, 0});
    }
    ++s.triplets[triplet->second].calls;
    s.triplets[triplet->second].failed += record.Failed() ? 1 : 0;
    std::string code = record.returnCode.empty() ? "(none)" : record.returnCode;
    if (m_codes.size() >= kMaxDistinct && m_codes.count(code) == 0) {
        code = "(others)";
    }
    auto [rc, codeAdded] = m_codes.emplace(code, s.returnCodes.size());
    if (codeAdded) {
        s.returnCodes.push_back({code, 0});
    }
    ++s.returnCodes[rc->second].count;

    // A failure's condition code: the next DAT_STATUS, unless another failure comes first.
    // The source's calls to the manager have none to ask, and leave the pairing alone.
    if (record.FromSource()) {
    } else if (record.Is("DAT_STATUS", "MSG_GET")) {
        if (m_pendingFailure >= 0) {
            FailureReport& failure = s.failures[static_cast<size_t>(m_pendingFailure)];
            failure.condition = ValueOf(record, "TW_STATUS.ConditionCode");
            failure.condition = failure.condition.empty() ? "?" : failure.condition;
            failure.statusSequence = record.sequence;
            failure.statusLine = record.line;
        }
        m_pendingFailure = -1;
    } else if (record.Failed() && ++s.failureCount <= kMaxListed) {
        m_pendingFailure = static_cast<long>(s.failures.size());
        s.failures.push_back(
            {load, record.sequence, record.line, record.DirectedTitle(), "", -1, 0});
    } else if (record.Failed()) {
        m_pendingFailure = -1;
    }
    if (record.Failed()) {
        return;
    }

    // Images: their strips and bytes, and the TW_IMAGEINFO before them.
    if (record.Is("DAT_IMAGEINFO", "MSG_GET")) {
        m_info.width = ValueOf(record, "TW_IMAGEINFO.ImageWidth");
        m_info.length = ValueOf(record, "TW_IMAGEINFO.ImageLength");
        m_info.pixelType = ValueOf(record, "TW_IMAGEINFO.PixelType");
        m_info.bitsPerPixel = ValueOf(record, "TW_IMAGEINFO.BitsPerPixel");
        m_info.compression = ValueOf(record, "TW_IMAGEINFO.Compression");
    } else if (record.IsImageTransfer()) {
        if (!m_imageOpen || !m_image.outcome.empty()) {
            CloseImage();
            m_image = m_info;
            m_image.load = load;
            m_image.sequence = record.sequence;
            m_image.line = record.line;
            m_image.mechanism = record.dat == "DAT_IMAGEMEMXFER"      ? "memory"
                                : record.dat == "DAT_IMAGENATIVEXFER" ? "native"
                                                                      : "file";
            m_image.bytesKnown = m_image.mechanism == "memory";
            m_hasImage = m_imageOpen = true;
        }
        if (m_image.mechanism == "memory" && record.returnCode != "TWRC_CANCEL") {
            const std::string compression = ValueOf(record, "TW_IMAGEMEMXFER.Compression");
            m_image.compression = compression.empty() ? m_image.compression : compression;
            ++m_image.strips;
            unsigned long long written = 0;
            if (ParseNumber(ValueOf(record, "TW_IMAGEMEMXFER.BytesWritten"), written)) {
                m_image.bytes += written;
            } else {
                m_image.bytesKnown = false;
            }
        }
        if (record.returnCode == "TWRC_XFERDONE" || record.returnCode == "TWRC_CANCEL") {
            m_image.outcome = record.returnCode;
        }
    } else if (record.Is("DAT_PENDINGXFERS", "MSG_ENDXFER") && m_imageOpen) {
        unsigned long long count = 0;
        const std::string text = ValueOf(record, "TW_PENDINGXFERS.Count");
        if (ParseNumber(text, count)) {
            m_image.pendingAfter = static_cast<long>(count);
        } else if (text == "-1") {
            m_image.pendingAfter = -1;
        }
        CloseImage();
        m_imageOpen = false;
        m_info = ImageReport{};
    }

    // A capability's value: its last negotiation that did not fail.
    if (record.dat == "DAT_CAPABILITY" && ShowsValue(record.msg)) {
        CapabilityReport cap;
        cap.load = load;
        cap.cap = record.cap;
        cap.msg = record.msg;
        cap.sequence = record.sequence;
        if (const Node* block = record.Find("TW_CAPABILITY")) {
            if (const Node* name = block->Child("Cap")) {
                cap.cap = name->value;
            }
            cap.value = CapabilityValue(*block, cap.container);
        }
        if (m_capabilities.size() >= kMaxDistinct && m_capabilities.count(cap.cap) == 0) {
            return;
        }
        auto [at, capAdded] = m_capabilities.emplace(cap.cap, s.capabilities.size());
        if (capAdded) {
            s.capabilities.push_back(std::move(cap));
        } else {
            s.capabilities[at->second] = std::move(cap);
        }
    }
}

void SummaryBuilder::CloseImage() {
    if (!m_hasImage) {
        return;
    }
    m_hasImage = false;
    Summary& s = m_summary;
    ++s.imageCount;
    s.imagesDone += m_image.outcome == "TWRC_XFERDONE" ? 1 : 0;
    s.imageBytes += m_image.bytes;
    s.imageBytesKnown = s.imageBytesKnown && m_image.bytesKnown;
    if (s.images.size() < kMaxListed) {
        s.images.push_back(m_image);
    }
}

Summary SummaryBuilder::Finish() {
    CloseImage();
    Summary s = std::move(m_summary);
    std::stable_sort(
        s.triplets.begin(), s.triplets.end(),
        [](const TripletCount& a, const TripletCount& b) { return a.calls > b.calls; });
    std::stable_sort(s.returnCodes.begin(), s.returnCodes.end(),
                     [](const CodeCount& a, const CodeCount& b) { return a.count > b.count; });
    if (s.states.empty()) {
        s.states.push_back(3);
    }
    return s;
}

std::string Summary::Ref(size_t load, long sequence) const {
    return loads.size() > 1 ? std::to_string(load + 1) + ":" + SequenceText(sequence)
                            : SequenceText(sequence);
}

Summary Summarize(const Log& log, const std::string& name) {
    SummaryBuilder builder;
    builder.StartLoad(name);
    for (const LoggerLine& note : log.notes) {
        builder.Note(note);
    }
    for (const Record& record : log.records) {
        builder.Add(record);
    }
    for (size_t i = 0; i < log.diagnostics.size(); ++i) {
        builder.Diagnostic();
    }
    return builder.Finish();
}

namespace {

// The line after a list cut at kMaxListed.
void More(std::ostream& out, size_t count, size_t listed) {
    if (count > listed) {
        out << "  ... and " << count - listed << " more\n";
    }
}

} // namespace

// Everything from the logs is written through Printable at the end: the text is built first.
void PrintSummary(const Summary& s, const std::string& name, std::ostream& stream) {
    std::ostringstream out;
    out << name << ": ";
    if (s.loads.size() > 1) {
        out << Plural(s.loads.size(), "load") << ", ";
    }
    out << Plural(s.entries, "entry") << " (" << Plural(s.calls, "call");
    if (s.sourceCalls > 0) {
        out << ": " << s.calls - s.sourceCalls << " of the application, " << s.sourceCalls
            << " of the source";
    }
    out << ", " << Plural(s.events, "event") << ", " << s.failuresOnly << " without text)";
    if (s.cutEntries > 0) {
        out << ", " << s.cutEntries << " cut at " << LOG_SECTION_LIMIT << " bytes";
    }
    if (s.truncated) {
        out << ", the file ends inside an entry";
    }
    if (s.diagnostics > 0) {
        out << ", " << Plural(s.diagnostics, "unreadable spot");
    }
    if (s.loads.size() > 1) {
        out << "\n\n load  entries  file\n";
        for (size_t i = 0; i < s.loads.size(); ++i) {
            const LoadReport& load = s.loads[i];
            out << std::setw(5) << i + 1 << "  " << std::setw(7) << load.entries << "  "
                << load.name
                << (load.identityOnly ? "  (identity only: the DSM listing sources)" : "") << "\n";
        }
    } else {
        out << "\n";
    }
    if (s.notes > 0) {
        out << "\nNotes:\n";
        for (size_t i = 0; i < s.shownNotes.size(); ++i) {
            out << "  " << (s.loads.size() > 1 ? std::to_string(s.shownNoteLoads[i] + 1) + ":" : "")
                << "line " << s.shownNotes[i].line << ": " << s.shownNotes[i].text << "\n";
        }
        if (s.notes > s.shownNotes.size()) {
            out << "  " << s.notes - s.shownNotes.size() << " more\n";
        }
    }
    out << "\n";
    out << " calls  failed  triplet\n";
    for (const TripletCount& t : s.triplets) {
        out << std::setw(6) << t.calls << "  " << std::setw(6) << t.failed << "  " << t.triplet
            << "\n";
    }
    out << "\n count  return code\n";
    for (const CodeCount& c : s.returnCodes) {
        out << std::setw(6) << c.count << "  " << c.code << "\n";
    }
    out << "\nFailures:" << (s.failures.empty() ? " none" : "") << "\n";
    for (const FailureReport& f : s.failures) {
        out << "  " << s.Ref(f.load, f.sequence) << " " << f.title << ": "
            << (f.condition.empty()
                    ? "no DAT_STATUS asked"
                    : f.condition + " (DAT_STATUS " + s.Ref(f.load, f.statusSequence) + ")")
            << "\n";
    }
    More(out, s.failureCount, s.failures.size());
    out << "\nStates:";
    for (size_t i = 0; i < s.states.size(); ++i) {
        out << (i == 0 ? " " : " -> ") << s.states[i];
    }
    if (s.stateChanges + 1 > s.states.size()) {
        out << " -> ... (" << s.stateChanges + 1 - s.states.size() << " more)";
    }
    out << "\n";
    out << "\nImages: " << s.imagesDone << " transferred";
    if (s.imageCount > 0) {
        out << ", " << (s.imageBytesKnown ? std::to_string(s.imageBytes) : "?") << " bytes";
    }
    out << "\n";
    for (size_t i = 0; i < s.images.size(); ++i) {
        const ImageReport& image = s.images[i];
        out << "  " << i + 1 << ": " << s.Ref(image.load, image.sequence) << " " << image.mechanism;
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
    More(out, s.imageCount, s.images.size());
    out << "\nCapabilities:" << (s.capabilities.empty() ? " none" : "") << "\n";
    size_t width = 0;
    for (const CapabilityReport& c : s.capabilities) {
        width = std::max(width, Printable(c.cap).size());
    }
    for (const CapabilityReport& c : s.capabilities) {
        out << "  " << c.cap << std::string(width - Printable(c.cap).size(), ' ') << " = "
            << (c.container.empty() ? "(container not in the log)" : "[" + c.value + "]") << "  "
            << c.msg << " " << s.Ref(c.load, c.sequence) << "\n";
    }
    stream << Printable(out.str(), true);
}

namespace {

// JSON holds valid UTF-8 only: every text from the logs, object keys included, made so.
void MakeValidUtf8(nlohmann::json& j) {
    if (j.is_string()) {
        j = ValidUtf8(j.get_ref<const std::string&>());
    } else if (j.is_array()) {
        for (nlohmann::json& item : j) {
            MakeValidUtf8(item);
        }
    } else if (j.is_object()) {
        nlohmann::json fixed = nlohmann::json::object();
        for (auto& [key, value] : j.items()) {
            MakeValidUtf8(value);
            fixed[ValidUtf8(key)] = std::move(value);
        }
        j = std::move(fixed);
    }
}

} // namespace

nlohmann::json SummaryJson(const Summary& s, const std::string& name) {
    using nlohmann::json;
    json j;
    j["file"] = name;
    j["loads"] = json::array();
    for (const LoadReport& load : s.loads) {
        j["loads"].push_back(
            {{"file", load.name}, {"entries", load.entries}, {"identityOnly", load.identityOnly}});
    }
    j["entries"] = s.entries;
    j["calls"] = s.calls;
    j["sourceCalls"] = s.sourceCalls;
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
        json failure = {
            {"load", f.load + 1}, {"sequence", f.sequence}, {"line", f.line}, {"call", f.title}};
        failure["conditionCode"] = f.condition.empty() ? json(nullptr) : json(f.condition);
        failure["statusSequence"] = f.statusSequence >= 0 ? json(f.statusSequence) : json(nullptr);
        j["failures"].push_back(failure);
    }
    j["failureCount"] = s.failureCount;
    j["states"] = s.states;
    j["stateChanges"] = s.stateChanges;
    j["imageCount"] = s.imageCount;
    j["images"] = json::array();
    for (const ImageReport& image : s.images) {
        json item = {{"load", image.load + 1},
                     {"sequence", image.sequence},
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
            {{"load", c.load + 1},
             {"capability", c.cap},
             {"value", c.container.empty() ? json(nullptr) : json(c.value)},
             {"container", c.container.empty() ? json(nullptr) : json(c.container)},
             {"message", c.msg},
             {"sequence", c.sequence}});
    }
    j["notes"] = s.notes;
    j["shownNotes"] = json::array();
    for (size_t i = 0; i < s.shownNotes.size(); ++i) {
        j["shownNotes"].push_back({{"load", s.shownNoteLoads[i] + 1},
                                   {"line", s.shownNotes[i].line},
                                   {"text", s.shownNotes[i].text}});
    }
    MakeValidUtf8(j);
    return j;
}

} // namespace twainlog
