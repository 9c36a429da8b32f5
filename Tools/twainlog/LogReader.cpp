#include "LogReader.h"

#include "LogVocabulary.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

namespace twainlog {

namespace {

constexpr std::string_view kCutMarker = LOG_CUT_MARKER;
constexpr std::string_view kReturnCode = LOG_RETURN_CODE_LABEL;
constexpr std::string_view kPData = LOG_PDATA_LABEL;
constexpr std::string_view kState = LOG_STATE_LABEL;
constexpr std::string_view kErrorStart = LOG_ERROR_STATUS_START;
constexpr std::string_view kErrorEnd = LOG_ERROR_STATUS_END;
constexpr std::string_view kNote = LOG_NOTE_PREFIX;
constexpr std::string_view kBannerRule = LOG_BANNER_RULE;
constexpr std::string_view kBannerTitle = LOG_BANNER_TITLE;
constexpr std::string_view kBannerTime = LOG_BANNER_TIME;
constexpr std::string_view kLoggerStamp = LOG_LOGGER_STAMP_SHAPE;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimLeft(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return text.substr(i);
}

std::string_view TrimRight(std::string_view text) {
    size_t n = text.size();
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\r')) {
        --n;
    }
    return text.substr(0, n);
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

// "[dddd/dd/dd dd:dd:dd.ddd] ": the diagnostic logger's time stamp, its shape up to the
// milliseconds (LOG_LOGGER_STAMP_SHAPE, '0' for a digit), then at least the milliseconds.
bool IsLoggerLine(std::string_view text) {
    if (text.size() < kLoggerStamp.size() + 4) {
        return false;
    }
    for (size_t i = 0; i < kLoggerStamp.size(); ++i) {
        if (kLoggerStamp[i] == '0' ? !IsDigit(text[i]) : text[i] != kLoggerStamp[i]) {
            return false;
        }
    }
    return true;
}

bool IsBannerLine(std::string_view text) {
    return text == kBannerRule || StartsWith(text, kBannerTitle) || StartsWith(text, kBannerTime);
}

// Inside brackets or angle brackets: the text up to the last closing one, or to the end of
// the line when the closing one is missing (a cut line).
std::string_view Enclosed(std::string_view rest, char close) {
    rest.remove_prefix(1);
    const size_t end = rest.rfind(close);
    return end == std::string_view::npos ? rest : rest.substr(0, end);
}

struct TripletLine {
    long sequence = 0;
    std::string_view label, dg, dat, msg, cap;
    bool hasCap = false;
};

// "[%05ld] [%s] DG/DAT/MSG" with " (CAP)" for DAT_CAPABILITY.
bool ParseTriplet(std::string_view text, TripletLine& out) {
    if (text.size() < 4 || text[0] != '[' || !IsDigit(text[1])) {
        return false;
    }
    size_t i = 1;
    long sequence = 0;
    while (i < text.size() && IsDigit(text[i])) {
        // Read no further than 10^11, nor than a long holds (32 bits on Windows).
        if (sequence <
            std::min<long long>(100000000000LL, (std::numeric_limits<long>::max() - 9) / 10)) {
            sequence = sequence * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i + 2 >= text.size() || text[i] != ']' || text[i + 1] != ' ' || text[i + 2] != '[') {
        return false;
    }
    const size_t labelStart = i + 3;
    const size_t labelEnd = text.find("] ", labelStart);
    if (labelEnd == std::string_view::npos) {
        return false;
    }
    std::string_view rest = text.substr(labelEnd + 2);
    out.hasCap = false;
    out.cap = {};
    const size_t paren = rest.find(" (");
    if (paren != std::string_view::npos) {
        if (rest.back() != ')') {
            return false;
        }
        out.hasCap = true;
        out.cap = rest.substr(paren + 2, rest.size() - paren - 3);
        rest = rest.substr(0, paren);
    }
    const size_t slash1 = rest.find('/');
    const size_t slash2 = slash1 == std::string_view::npos ? slash1 : rest.find('/', slash1 + 1);
    if (slash2 == std::string_view::npos || rest.find('/', slash2 + 1) != std::string_view::npos ||
        rest.find(' ') != std::string_view::npos) {
        return false;
    }
    out.dg = rest.substr(0, slash1);
    out.dat = rest.substr(slash1 + 1, slash2 - slash1 - 1);
    out.msg = rest.substr(slash2 + 1);
    if (out.dg.empty() || out.dat.empty() || out.msg.empty()) {
        return false;
    }
    out.sequence = sequence;
    out.label = text.substr(labelStart, labelEnd - labelStart);
    return true;
}

// One line of a structure block.
struct BlockLine {
    enum class Kind { Bad, Close, Value, Pointer, Open, OpenJoined, List, Label, Entry };
    Kind kind = Kind::Bad;
    std::string_view name, type, value;
};

BlockLine ParseBlockLine(std::string_view text) {
    BlockLine out;
    const std::string_view line = Trim(text);
    if (line.empty()) {
        return out;
    }
    if (line == "}") {
        out.kind = BlockLine::Kind::Close;
        return out;
    }
    if (IsDigit(line[0])) { // "  0:TWPT_BW," in an item list
        size_t i = 0;
        while (i < line.size() && IsDigit(line[i])) {
            ++i;
        }
        if (i < line.size() && line[i] == ':') {
            out.kind = BlockLine::Kind::Entry;
            out.name = line.substr(0, i);
            out.value = line.substr(i + 1);
            if (!out.value.empty() && out.value.back() == ',') {
                out.value.remove_suffix(1);
            }
            return out;
        }
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0) {
        return out;
    }
    out.name = TrimRight(line.substr(0, eq));
    const std::string_view rest = TrimLeft(line.substr(eq + 1));
    if (rest.empty()) {
        out.kind = BlockLine::Kind::Label;
        return out;
    }
    switch (rest[0]) {
    case '[':
        out.kind = BlockLine::Kind::Value;
        out.value = Enclosed(rest, ']');
        return out;
    case '<':
        out.kind = BlockLine::Kind::Pointer;
        out.value = Enclosed(rest, '>');
        return out;
    case '{':
        break;
    default:
        return out;
    }
    const std::string_view inner = Trim(rest.substr(1));
    const size_t colon = out.name.find(':'); // "pOrigin:TW_IDENTITY"
    if (colon != std::string_view::npos) {
        out.type = out.name.substr(colon + 1);
        out.name = out.name.substr(0, colon);
    } else {
        out.type = out.name;
    }
    if (inner.empty()) {
        out.kind = BlockLine::Kind::Open;
    } else if (inner.back() == '}') {
        out.kind = BlockLine::Kind::List;
        out.value = Trim(inner.substr(0, inner.size() - 1));
    } else if (inner.size() > 3 && inner.compare(inner.size() - 3, 3, "= {") == 0) {
        // "QuantTable[0]   = {    TW_MEMORY = {": the opener and the block it holds.
        out.kind = BlockLine::Kind::OpenJoined;
        out.type = TrimRight(inner.substr(0, inner.size() - 3));
    } else {
        out.kind = BlockLine::Kind::List; // a list cut short
        out.value = inner;
    }
    return out;
}

enum class Ending { CrLf, Lf, Cut, None };

// A damaged line in a diagnostic: its first kMaxQuoted bytes, in quotes.
std::string Quote(std::string_view text) {
    return "\"" + std::string(text.substr(0, kMaxQuoted)) +
           (text.size() > kMaxQuoted ? "\"..." : "\"");
}

// Where a triplet line begins after a logger message's prefix on the same line, or npos.
// The triplet ends the line, and its text after the label holds no blank but the one before
// the capability's parentheses, so one candidate is tried, found from the end.
size_t TripletAt(std::string_view text) {
    size_t blank = text.rfind(' ');
    if (blank != std::string_view::npos && blank > 0 && blank + 1 < text.size() &&
        text[blank + 1] == '(') {
        blank = text.rfind(' ', blank - 1);
    }
    if (blank == std::string_view::npos || blank < 4 || text[blank - 1] != ']') {
        return std::string_view::npos;
    }
    const size_t open = text.rfind("] [", blank - 4);
    if (open == std::string_view::npos) {
        return std::string_view::npos;
    }
    size_t at = open;
    while (at > 0 && IsDigit(text[at - 1])) {
        --at;
    }
    if (at == open || at < 2 || text[at - 1] != '[') {
        return std::string_view::npos;
    }
    TripletLine triplet;
    return ParseTriplet(text.substr(at - 1), triplet) ? at - 1 : std::string_view::npos;
}

class Collector : public LogSink {
public:
    explicit Collector(Log& log) : m_log(log) {}
    void OnRecord(const Record& record) override { m_log.records.push_back(record); }
    void OnDiagnostic(const Diagnostic& diagnostic) override {
        m_log.diagnostics.push_back(diagnostic);
    }
    void OnLoggerLine(const LoggerLine& line) override { m_log.loggerLines.push_back(line); }
    void OnNote(const LoggerLine& note) override { m_log.notes.push_back(note); }

private:
    Log& m_log;
};

} // namespace

class LogReader::Impl {
public:
    explicit Impl(LogSink& sink) : m_sink(sink) {}

    void Feed(std::string_view bytes);
    void Finish();
    size_t Lines() const { return m_number; }

private:
    enum class Phase { Triplet, Result, Data, Blank, ErrorLines, Done };

    void Physical(std::string_view line, bool ended);
    void Line(std::string_view text, size_t number, Ending ending);
    void Diagnose(size_t line, std::string message) {
        m_sink.OnDiagnostic({line, std::move(message)});
    }
    void Logger(std::string_view text, size_t number, Ending ending);
    void Start(EntryKind kind, size_t number);
    void EndRecord(bool atEnd);
    void NameEvent(Record& record);
    void BlockText(std::string_view text, size_t number, bool lenient);
    void AddNode(Node node);
    void FlushLabel();
    void CloseAll(bool quietly);
    std::string Where() const {
        return m_cur.sequence >= 0 ? "entry " + SequenceText(m_cur.sequence)
                                   : "the entry on line " + std::to_string(m_cur.line);
    }

    LogSink& m_sink;
    std::string m_partial; // a line not yet ended, up to kMaxLineBytes of it
    bool m_overlong = false;
    size_t m_number = 0;
    bool m_has = false;
    Record m_cur;
    Phase m_phase = Phase::Done;
    std::vector<Node> m_stack;
    size_t m_excess = 0;      // blocks open beyond kMaxDepth, skipped
    size_t m_entryBytes = 0;  // text of the entry's fields kept so far
    bool m_entryFull = false; // kMaxEntryBytes reached: the rest of the fields is skipped
    bool m_hasLabel = false;
    Node m_label;
    long m_lastSequence = 0;
    bool m_noted = false; // a note came after the latest triplet line
    int m_eventState = 3; // the state before the next event, to name it
};

void LogReader::Impl::Start(EntryKind kind, size_t number) {
    EndRecord(false);
    m_cur = Record{};
    m_cur.kind = kind;
    m_cur.line = number;
    m_has = true;
    m_excess = 0;
    m_entryBytes = 0;
    m_entryFull = false;
}

void LogReader::Impl::AddNode(Node node) {
    if (m_stack.empty()) {
        m_cur.blocks.push_back(std::move(node));
    } else {
        m_stack.back().children.push_back(std::move(node));
    }
}

void LogReader::Impl::FlushLabel() {
    if (m_hasLabel) {
        m_hasLabel = false;
        m_label.kind = Node::Kind::Label;
        AddNode(std::move(m_label));
    }
}

void LogReader::Impl::CloseAll(bool quietly) {
    FlushLabel();
    m_excess = 0;
    while (!m_stack.empty()) {
        Node node = std::move(m_stack.back());
        m_stack.pop_back();
        if (!quietly && !m_entryFull) {
            Diagnose(node.line, "block " + node.name + " of " + Where() + " is not closed");
        }
        AddNode(std::move(node));
    }
}

// Names an event entry from its TW_EVENT block, or, while that is not logged, from the state
// the event led to.
void LogReader::Impl::NameEvent(Record& record) {
    if (record.kind == EntryKind::Call && record.sequence == 1) {
        m_eventState = 3; // a load begins; a second one may append to the same file
    }
    if (record.kind == EntryKind::Event) {
        record.dg = "DG_CONTROL";
        record.dat = "DAT_EVENT";
        record.msg = "MSG_PROCESSEVENT";
        if (const Node* message = record.Find("TW_EVENT.TWMessage")) {
            record.eventMessage = message->value;
        } else if (m_eventState == 5 && record.state == 6) {
            record.eventMessage = "MSG_XFERREADY";
        } else if (m_eventState == 5 && record.state == 4) {
            record.eventMessage = "MSG_CLOSEDSREQ";
        }
    }
    if (record.state >= 0) {
        m_eventState = record.state;
    }
}

void LogReader::Impl::EndRecord(bool atEnd) {
    if (!m_has) {
        return;
    }
    m_has = false;
    const bool complete = m_phase == Phase::Done || m_cur.cut;
    if (!complete) {
        if (atEnd) {
            m_cur.truncated = true;
            Diagnose(m_cur.line, "the file ends inside " + Where());
        } else if (m_phase == Phase::Triplet) {
            Diagnose(m_cur.line, Where() + " has no result section");
        } else if (m_phase == Phase::ErrorLines) {
            Diagnose(m_cur.line, Where() + " lacks the second error-status line");
        } else if (m_cur.Failed()) {
            Diagnose(m_cur.line, Where() + " failed but lacks the error-status lines");
        } else {
            Diagnose(m_cur.line, Where() + " ends without its TWAIN Status line");
        }
    }
    CloseAll(m_cur.cut || m_cur.truncated);
    NameEvent(m_cur);
    m_sink.OnRecord(m_cur);
    m_cur = Record{};
}

void LogReader::Impl::BlockText(std::string_view text, size_t number, bool lenient) {
    const BlockLine parsed = ParseBlockLine(text);
    using K = BlockLine::Kind;
    if (parsed.kind == K::Bad) {
        if (!lenient) {
            Diagnose(number, "unreadable line in " + Where() + ": " + Quote(text));
        }
        return;
    }
    if (m_excess > 0 || m_entryFull) { // skipped: only the depth is followed
        m_hasLabel = false;
        m_excess += parsed.kind == K::Open || parsed.kind == K::OpenJoined ? 1 : 0;
        m_excess -= parsed.kind == K::Close && m_excess > 0 ? 1 : 0;
        return;
    }
    m_entryBytes += text.size();
    if (m_entryBytes > kMaxEntryBytes) {
        m_entryFull = true;
        Diagnose(number, Where() + " holds more than " + std::to_string(kMaxEntryBytes) +
                             " bytes of fields: the rest of them is skipped");
        return;
    }
    if (parsed.kind == K::Close) {
        FlushLabel();
        if (m_stack.empty()) {
            Diagnose(number, "closing brace without an open block in " + Where());
            return;
        }
        Node node = std::move(m_stack.back());
        m_stack.pop_back();
        AddNode(std::move(node));
        return;
    }
    if (parsed.kind == K::Open || parsed.kind == K::OpenJoined) {
        if (m_stack.size() >= kMaxDepth) {
            m_hasLabel = false;
            m_excess = 1;
            Diagnose(number, "blocks nested deeper than " + std::to_string(kMaxDepth) +
                                 " levels in " + Where() + ": the deeper lines are skipped");
            return;
        }
        Node node;
        node.kind = Node::Kind::Block;
        node.line = number;
        node.type = std::string(parsed.type);
        if (m_hasLabel) {
            m_hasLabel = false;
            node.name = std::move(m_label.name);
        } else {
            node.name = std::string(parsed.name);
        }
        m_stack.push_back(std::move(node));
        return;
    }
    FlushLabel();
    Node node;
    node.line = number;
    node.name = std::string(parsed.name);
    node.value = std::string(parsed.value);
    switch (parsed.kind) {
    case K::Label:
        m_label = std::move(node);
        m_hasLabel = true;
        return;
    case K::Pointer:
        node.kind = Node::Kind::Pointer;
        break;
    case K::List:
        node.kind = Node::Kind::List;
        node.type = std::string(parsed.type);
        break;
    default:
        node.kind = Node::Kind::Value;
        break;
    }
    AddNode(std::move(node));
}

void LogReader::Impl::Logger(std::string_view text, size_t number, Ending ending) {
    // A logger message with an empty text leaves its prefix without a line feed, and the
    // next entry's text then follows on the same line.
    if (ending == Ending::CrLf && !IsBannerLine(text)) {
        size_t split = TripletAt(text);
        for (std::string_view start : {kReturnCode, kErrorStart}) {
            split = std::min(split, text.find(start));
        }
        if (split != std::string_view::npos) {
            m_sink.OnLoggerLine({number, std::string(text.substr(0, split))});
            Line(text.substr(split), number, ending);
            return;
        }
    }
    m_sink.OnLoggerLine({number, std::string(text)});
}

void LogReader::Impl::Line(std::string_view text, size_t number, Ending ending) {
    const bool lenient = ending == Ending::Cut || ending == Ending::None;
    if (text.empty()) {
        if (m_has && m_phase == Phase::Data && ending != Ending::Cut && ending != Ending::None) {
            CloseAll(false);
            m_phase = Phase::Blank;
        } else if (ending == Ending::CrLf) {
            Diagnose(number, "empty line out of place");
        }
    } else if (text[0] == '[' && text.size() > 1 && IsDigit(text[1])) {
        TripletLine triplet;
        if (ParseTriplet(text, triplet)) {
            Start(EntryKind::Call, number);
            m_cur.sequence = triplet.sequence;
            m_cur.label = std::string(triplet.label);
            m_cur.dg = std::string(triplet.dg);
            m_cur.dat = std::string(triplet.dat);
            m_cur.msg = std::string(triplet.msg);
            m_cur.hasCap = triplet.hasCap;
            m_cur.cap = std::string(triplet.cap);
            m_phase = Phase::Triplet;
            // After a note (entries lost), a gap is the note's to explain.
            if (triplet.sequence != m_lastSequence + 1 && triplet.sequence != 1 && !m_noted) {
                Diagnose(number, "sequence number " + SequenceText(triplet.sequence) + " follows " +
                                     SequenceText(m_lastSequence));
            }
            m_lastSequence = triplet.sequence;
            m_noted = false;
        } else if (IsLoggerLine(text)) {
            Logger(text, number, ending);
        } else if (!lenient) {
            Diagnose(number, "unreadable triplet line: " + Quote(text));
        }
    } else if (StartsWith(text, kReturnCode)) {
        if (!(m_has && m_phase == Phase::Triplet)) {
            Start(EntryKind::Event, number);
        }
        m_cur.returnCode = std::string(Enclosed(text.substr(kReturnCode.size() - 1), ']'));
        m_phase = Phase::Result;
    } else if (StartsWith(text, kPData)) {
        if (m_has && m_phase == Phase::Result) {
            m_cur.pData = std::string(Enclosed(text.substr(kPData.size() - 1), '>'));
            m_phase = Phase::Data;
        } else {
            Diagnose(number, "pData line out of place");
        }
    } else if (StartsWith(text, kState)) {
        int state = 0;
        size_t i = kState.size();
        while (i < text.size() && IsDigit(text[i]) && state < 100000) {
            state = state * 10 + (text[i++] - '0');
        }
        const bool whole = i > kState.size() && i + 1 == text.size() && text[i] == ']';
        if (!whole) {
            if (!lenient) {
                Diagnose(number, "unreadable state line: " + Quote(text));
            }
        } else if (m_has && (m_phase == Phase::Blank || m_phase == Phase::Data)) {
            if (m_phase == Phase::Data) {
                CloseAll(false);
                Diagnose(number, "no empty line before the state line of " + Where());
            }
            m_cur.state = state;
            m_phase = Phase::Done;
        } else {
            Diagnose(number, "state line out of place");
        }
    } else if (text == kErrorStart) {
        // After a failed call's section, or after the cut of that section.
        if (m_has && m_cur.Failed() && !m_cur.errorStatus &&
            (m_phase == Phase::Data || m_phase == Phase::Result || m_cur.cut)) {
            CloseAll(m_cur.cut);
        } else {
            Start(EntryKind::FailureOnly, number);
            m_cur.returnCode = "TWRC_FAILURE";
        }
        m_phase = Phase::ErrorLines;
    } else if (text == kErrorEnd) {
        if (m_has && m_phase == Phase::ErrorLines) {
            m_cur.errorStatus = true;
            m_phase = Phase::Done;
        } else {
            Diagnose(number, "error-status end line without its start line");
        }
    } else if (StartsWith(text, kNote)) {
        EndRecord(false); // an entry that a failed write cut short ends here
        m_sink.OnNote({number, std::string(text)}); // the monitor's word on the log itself
        m_noted = true;
    } else if (IsBannerLine(text)) {
        Logger(text, number, ending);
    } else if (m_has && m_phase == Phase::Data &&
               !(ending == Ending::Lf && ParseBlockLine(text).kind == BlockLine::Kind::Bad)) {
        BlockText(text, number, lenient || m_cur.cut);
    } else if (ending == Ending::Lf) {
        Logger(text, number, ending); // the text of a logger message
    } else if (!lenient) {
        Diagnose(number, "unexpected text outside a result section: " + Quote(text));
    }
    if (ending == Ending::Cut) {
        if (m_has) {
            m_cur.cut = true;
            m_phase = Phase::Done;
            CloseAll(true);
        } else {
            Diagnose(number, "cut marker outside any entry");
        }
    }
}

// One line of the file, without its line feed (ended) or the last one, without.
void LogReader::Impl::Physical(std::string_view line, bool ended) {
    ++m_number;
    if (m_overlong) {
        Diagnose(m_number, "the line is longer than " + std::to_string(kMaxLineBytes) +
                               " bytes: the rest of it is skipped");
    }
    Ending ending = Ending::None;
    if (ended) {
        ending = Ending::Lf;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            ending = Ending::CrLf;
        }
    }
    const std::string_view whole = line;
    // The cut marker has no line end: the text after it is the next entry's.
    for (size_t cut = line.find(kCutMarker); cut != std::string_view::npos;
         cut = line.find(kCutMarker)) {
        std::string_view before = line.substr(0, cut);
        if (!before.empty() && before.back() == '\r') {
            before.remove_suffix(1);
        }
        Line(before, m_number, Ending::Cut);
        line.remove_prefix(cut + kCutMarker.size());
    }
    if (!line.empty() || ending != Ending::None) {
        Line(line, m_number, ending);
    }
    m_sink.OnLine(whole, m_has);
}

void LogReader::Impl::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const void* found = std::memchr(bytes.data(), '\n', bytes.size());
        const size_t end = found
                               ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data())
                               : bytes.size();
        const std::string_view piece = bytes.substr(0, end);
        bytes.remove_prefix(found ? end + 1 : end);
        if (found && m_partial.empty() && !m_overlong && piece.size() <= kMaxLineBytes) {
            Physical(piece, true); // the usual case: a whole line in the piece, not copied
            continue;
        }
        const size_t room = kMaxLineBytes - m_partial.size();
        m_partial.append(piece.substr(0, room));
        m_overlong = m_overlong || piece.size() > room;
        if (found) {
            Physical(m_partial, true);
            m_partial.clear();
            m_overlong = false;
        }
    }
}

void LogReader::Impl::Finish() {
    if (!m_partial.empty() || m_overlong) {
        Physical(m_partial, false);
        m_partial.clear();
        m_overlong = false;
    }
    EndRecord(true);
}

LogReader::LogReader(LogSink& sink) : m_impl(std::make_unique<Impl>(sink)) {}
LogReader::~LogReader() = default;
void LogReader::Feed(std::string_view bytes) {
    m_impl->Feed(bytes);
}
void LogReader::Finish() {
    m_impl->Finish();
}
size_t LogReader::Lines() const {
    return m_impl->Lines();
}

const Node* Node::Child(std::string_view childName) const {
    for (const Node& child : children) {
        if (child.name == childName) {
            return &child;
        }
    }
    return nullptr;
}

const Node* Node::Find(std::string_view path) const {
    const Node* node = this;
    while (node != nullptr && !path.empty()) {
        const size_t dot = path.find('.');
        node = node->Child(path.substr(0, dot));
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    }
    return node;
}

std::string Record::Triplet() const {
    return dg + "/" + dat + "/" + msg;
}

std::string Record::Title() const {
    switch (kind) {
    case EntryKind::FailureOnly:
        return "(a failed call that left only the error-status lines)";
    case EntryKind::Event:
        return Triplet() + " -> " + (eventMessage.empty() ? "?" : eventMessage);
    default:
        return hasCap ? Triplet() + " (" + cap + ")" : Triplet();
    }
}

std::string Record::DirectedTitle() const {
    return FromSource() ? "[" + label + "] " + Title() : Title();
}

const Node* Record::Find(std::string_view path) const {
    const size_t dot = path.find('.');
    const std::string_view first = path.substr(0, dot);
    for (const Node& block : blocks) {
        if (block.name == first) {
            return dot == std::string_view::npos ? &block : block.Find(path.substr(dot + 1));
        }
    }
    return nullptr;
}

std::string SequenceText(long sequence) {
    if (sequence < 0) {
        return "[-----]";
    }
    char text[32];
    std::snprintf(text, sizeof text, "[%05ld]", sequence);
    return text;
}

Log ReadLog(std::string_view text) {
    Log log;
    Collector collector(log);
    LogReader reader(collector);
    reader.Feed(text);
    reader.Finish();
    log.lines = reader.Lines();
    return log;
}

bool ReadFile(const std::string& path, LogSink& sink, std::string& error) {
    std::error_code code;
    if (path != "-" && std::filesystem::is_directory(path, code)) {
        error = "cannot read " + path + ": it is a directory";
        return false;
    }
    FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    LogReader reader(sink);
    std::vector<char> buffer(1 << 20);
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        reader.Feed(std::string_view(buffer.data(), n));
    }
    const bool failed = std::ferror(file) != 0;
    const int failure = errno;
    if (file != stdin) {
        std::fclose(file);
    }
    if (failed) {
        error = "cannot read " + path + ": " + std::strerror(failure);
        return false;
    }
    reader.Finish();
    return true;
}

} // namespace twainlog
