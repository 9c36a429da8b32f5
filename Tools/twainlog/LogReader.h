// Reads a monitor log (the text DS_Entry appends for every call) back into records: the
// triplet, the return code, pData, the structure blocks as a tree, the state line, the
// error-status lines and the 5120-byte cut. Damaged text becomes a diagnostic with its line
// number; reading goes on with the rest of the file.
#ifndef TWAINLOG_LOGREADER_H
#define TWAINLOG_LOGREADER_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace twainlog {

// One node of a structure block.
struct Node {
    enum class Kind {
        Value,   // name = [value]
        Pointer, // name = <0x...>: an address or a handle
        Block,   // name = { ... }, several lines
        List,    // name = {a,b,c} on one line
        Label,   // name = with no block after it
    };
    Kind kind = Kind::Value;
    std::string name;  // "Cap", "Version", "ItemList", "0" for a list entry, or the block's type
    std::string type;  // a block's structure ("TW_VERSION"); its name when it has no label
    std::string value; // text in the brackets, the pointer's "0x..." or a one-line list
    std::vector<Node> children;
    size_t line = 0;

    const Node* Child(std::string_view childName) const;
    // Dotted path of child names: "TW_CAPABILITY.TW_ONEVALUE.Item".
    const Node* Find(std::string_view path) const;
};

enum class EntryKind {
    Call,        // a triplet line and its result section
    Event,       // MSG_PROCESSEVENT that delivered MSG_XFERREADY or MSG_CLOSEDSREQ
    FailureOnly, // a failed call that left nothing but the error-status lines
};

struct Record {
    EntryKind kind = EntryKind::Call;
    size_t line = 0;    // first line of the entry
    long sequence = -1; // -1 for entries without a triplet line
    std::string label;  // "APP", or "DS" for a call the source made to the manager
    std::string dg, dat, msg;
    bool hasCap = false; // DAT_CAPABILITY: the parentheses after the message
    std::string cap;
    std::string returnCode; // "TWRC_SUCCESS", "ERROR!(10)"; empty when the line is missing
    std::string pData;      // "0x5f3c1a20"
    std::vector<Node> blocks;
    int state = -1;           // the state line's number, -1 when there is none
    bool errorStatus = false; // the two error-status lines follow the entry
    bool cut = false;         // the result section was cut at 5120 bytes
    bool truncated = false;   // the file ends inside this entry
    std::string eventMessage; // Event: "MSG_XFERREADY" or "MSG_CLOSEDSREQ", "" if unknown

    bool Failed() const { return returnCode == "TWRC_FAILURE"; }
    // A call that moves an image: DAT_IMAGEMEMXFER, DAT_IMAGENATIVEXFER or DAT_IMAGEFILEXFER.
    bool IsImageTransfer() const {
        return msg == "MSG_GET" && (dat == "DAT_IMAGEMEMXFER" || dat == "DAT_IMAGENATIVEXFER" ||
                                    dat == "DAT_IMAGEFILEXFER");
    }
    // A call the source made to the manager (a [DS] entry), not the application's.
    bool FromSource() const { return label == "DS"; }
    bool Is(std::string_view datName, std::string_view msgName) const {
        return dat == datName && msg == msgName;
    }
    // "DG_CONTROL/DAT_CAPABILITY/MSG_GET"
    std::string Triplet() const;
    // The triplet with the capability: "DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)";
    // for an event "DG_CONTROL/DAT_EVENT/MSG_PROCESSEVENT -> MSG_XFERREADY".
    std::string Title() const;
    // The title, after "[DS] " for a call of the source: the two directions never match.
    std::string DirectedTitle() const;
    // The top-level block named name, or a field below it by dotted path.
    const Node* Find(std::string_view path) const;
};

struct Diagnostic {
    size_t line = 0;
    std::string message;
};

// A line of the diagnostic logger or of the banner, which the reader keeps apart; or a note,
// a line the monitor wrote about the log itself ("*** ... ***" outside an entry's fields).
struct LoggerLine {
    size_t line = 0;
    std::string text;
};

// Receives what the reader finds, in the order of the file.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void OnRecord(const Record& record) = 0;
    virtual void OnDiagnostic(const Diagnostic& /*diagnostic*/) {}
    virtual void OnLoggerLine(const LoggerLine& /*line*/) {}
    virtual void OnNote(const LoggerLine& /*note*/) {}
    // Each line of the file once read, without its line end; inEntry when it is text of the
    // latest entry begun (until the next one, a note or the end; a line cut by the cut marker
    // comes once, after the entry that the marker ended).
    virtual void OnLine(std::string_view /*text*/, bool /*inEntry*/) {}
};

// Limits that keep a damaged or hostile file from costing more than a real one would: the
// monitor writes lines of a few kilobytes, entries of at most a few hundred fields and blocks
// nested a few levels deep. Beyond them the reader skips with a diagnostic.
constexpr size_t kMaxLineBytes = 64 * 1024;
constexpr size_t kMaxEntryBytes = 64 * 1024; // the fields' text kept per entry
constexpr size_t kMaxDepth = 64;
constexpr size_t kMaxQuoted = 80; // bytes of a damaged line quoted in a diagnostic

// Reads a log in pieces of any size: memory stays that of one entry, whatever the length.
class LogReader {
public:
    explicit LogReader(LogSink& sink);
    ~LogReader();
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;

    void Feed(std::string_view bytes);
    void Finish(); // the end of the file
    size_t Lines() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

// The whole reading kept at once: for small logs and the tests.
struct Log {
    std::vector<Record> records;
    std::vector<LoggerLine> loggerLines;
    std::vector<LoggerLine> notes;
    std::vector<Diagnostic> diagnostics;
    size_t lines = 0;
};

Log ReadLog(std::string_view text);

// Streams a file ("-" for standard input) through a reader; false with a message on error.
bool ReadFile(const std::string& path, LogSink& sink, std::string& error);

// Sequence number as the log prints it: "[00012]", "[-----]" for entries without one.
std::string SequenceText(long sequence);

} // namespace twainlog

#endif // TWAINLOG_LOGREADER_H
