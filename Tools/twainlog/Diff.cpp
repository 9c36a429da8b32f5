#include "Diff.h"

#include <algorithm>
#include <map>

#include "Escape.h"
#include "LogVocabulary.h"

namespace twainlog {

namespace {

// The result section's labels as the log writes them, without their indentation or bracket:
// "Return Code = [", "TWAIN Status = ".
constexpr std::string_view kReturnCodeLabel =
    std::string_view(LOG_RETURN_CODE_LABEL)
        .substr(std::string_view(LOG_RETURN_CODE_LABEL).find('R'));
constexpr std::string_view kStateLabel =
    std::string_view(LOG_STATE_LABEL).substr(0, sizeof LOG_STATE_LABEL - 2);
static_assert(kReturnCodeLabel == "Return Code = [" && kStateLabel == "TWAIN Status = ");

using Script = std::vector<std::pair<long, long>>;

class Myers {
public:
    Myers(const std::vector<int>& a, const std::vector<int>& b, long maxEdits)
        : m_a(a), m_b(b), m_limit(std::max(maxEdits / 2, 1L)) {}

    Script Run(AlignNote* note) {
        Diff(0, static_cast<long>(m_a.size()), 0, static_cast<long>(m_b.size()));
        if (note != nullptr) {
            *note = m_note;
        }
        return std::move(m_script);
    }

private:
    // a[a0, a1) against b[b0, b1).
    void Diff(long a0, long a1, long b0, long b1) {
        while (a0 < a1 && b0 < b1 && m_a[a0] == m_b[b0]) {
            m_script.emplace_back(a0++, b0++);
        }
        long common = 0;
        while (a1 - common > a0 && b1 - common > b0 &&
               m_a[a1 - common - 1] == m_b[b1 - common - 1]) {
            ++common;
        }
        a1 -= common;
        b1 -= common;
        if (a0 == a1 || b0 == b1) {
            for (long i = a0; i < a1; ++i) {
                m_script.emplace_back(i, -1);
            }
            for (long j = b0; j < b1; ++j) {
                m_script.emplace_back(-1, j);
            }
        } else {
            long x = 0, y = 0;
            if (MiddleSnake(a0, a1, b0, b1, x, y)) {
                Diff(a0, x, b0, y);
                Diff(x, a1, y, b1);
            } else {
                // No snake within the search: every element differs, unless the search was
                // cut short by the cap, and then this part stays unaligned.
                if ((a1 - a0 + b1 - b0 + 1) / 2 > m_limit && m_note.unaligned++ == 0) {
                    m_note.a0 = a0, m_note.a1 = a1, m_note.b0 = b0, m_note.b1 = b1;
                }
                for (long i = a0; i < a1; ++i) {
                    m_script.emplace_back(i, -1);
                }
                for (long j = b0; j < b1; ++j) {
                    m_script.emplace_back(-1, j);
                }
            }
        }
        for (long k = 0; k < common; ++k) {
            m_script.emplace_back(a1 + k, b1 + k);
        }
    }

    // Finds a point (x, y) on a shortest edit path, searching from both ends at once.
    bool MiddleSnake(long a0, long a1, long b0, long b1, long& splitX, long& splitY) {
        const long n = a1 - a0, m = b1 - b0;
        const long maxD = std::min((n + m + 1) / 2, m_limit);
        const long offset = maxD;
        const long size = 2 * maxD + 2;
        std::vector<long> forward(size, -1), backward(size, -1);
        forward[offset + 1] = 0;
        backward[offset + 1] = 0;
        const long delta = n - m;
        const bool odd = (delta % 2) != 0;
        long k1start = 0, k1end = 0, k2start = 0, k2end = 0;
        for (long d = 0; d < maxD; ++d) {
            for (long k1 = -d + k1start; k1 <= d - k1end; k1 += 2) {
                const long i1 = offset + k1;
                long x1 = (k1 == -d || (k1 != d && forward[i1 - 1] < forward[i1 + 1]))
                              ? forward[i1 + 1]
                              : forward[i1 - 1] + 1;
                long y1 = x1 - k1;
                while (x1 < n && y1 < m && m_a[a0 + x1] == m_b[b0 + y1]) {
                    ++x1;
                    ++y1;
                }
                forward[i1] = x1;
                if (x1 > n) {
                    k1end += 2;
                } else if (y1 > m) {
                    k1start += 2;
                } else if (odd) {
                    const long i2 = offset + delta - k1;
                    if (i2 >= 0 && i2 < size && backward[i2] != -1 && x1 >= n - backward[i2]) {
                        splitX = a0 + x1;
                        splitY = b0 + y1;
                        return true;
                    }
                }
            }
            for (long k2 = -d + k2start; k2 <= d - k2end; k2 += 2) {
                const long i2 = offset + k2;
                long x2 = (k2 == -d || (k2 != d && backward[i2 - 1] < backward[i2 + 1]))
                              ? backward[i2 + 1]
                              : backward[i2 - 1] + 1;
                long y2 = x2 - k2;
                while (x2 < n && y2 < m && m_a[a1 - x2 - 1] == m_b[b1 - y2 - 1]) {
                    ++x2;
                    ++y2;
                }
                backward[i2] = x2;
                if (x2 > n) {
                    k2end += 2;
                } else if (y2 > m) {
                    k2start += 2;
                } else if (!odd) {
                    const long i1 = offset + delta - k2;
                    if (i1 >= 0 && i1 < size && forward[i1] != -1) {
                        const long x1 = forward[i1];
                        const long y1 = offset + x1 - i1;
                        if (x1 >= n - x2) {
                            splitX = a0 + x1;
                            splitY = b0 + y1;
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    const std::vector<int>& m_a;
    const std::vector<int>& m_b;
    const long m_limit; // the search from each end stops after this many edits
    Script m_script;
    AlignNote m_note;
};

struct Field {
    std::string path;
    std::string value;
};

bool Ignored(const std::string& path, const std::string& name, const DiffOptions& options) {
    return std::find_if(options.ignore.begin(), options.ignore.end(), [&](const std::string& i) {
               return i == name || i == path;
           }) != options.ignore.end();
}

// The compared text of an entry's fields is kept to a few times the entry's own bytes.
constexpr size_t kMaxFieldText = 4 * kMaxEntryBytes;

void Flatten(const Node& node, const std::string& parent, const DiffOptions& options,
             std::map<std::string, int>& seen, std::string& out) {
    if (out.size() > kMaxFieldText) {
        return;
    }
    std::string path = parent.empty() ? node.name : parent + "." + node.name;
    if (const int n = ++seen[path]; n > 1) {
        path += "#" + std::to_string(n);
    }
    if (node.kind == Node::Kind::Pointer || Ignored(path, node.name, options)) {
        return;
    }
    if (node.kind == Node::Kind::Block) {
        for (const Node& child : node.children) {
            Flatten(child, path, options, seen, out);
        }
        return;
    }
    out += path + " = " +
           (node.kind == Node::Kind::List ? "{" + node.value + "}" : "[" + node.value + "]") + "\n";
}

std::string FieldText(const Record& record, const DiffOptions& options) {
    std::string text;
    if (!Ignored("Return Code", "Return Code", options)) {
        text.append(kReturnCodeLabel).append(record.returnCode).append("]\n");
    }
    if (!Ignored("TWAIN Status", "TWAIN Status", options)) {
        text.append(kStateLabel)
            .append(record.state >= 0 ? "[" + std::to_string(record.state) + "]" : "(none)")
            .append("\n");
    }
    if (record.cut) {
        text += "(cut at " + std::to_string(LOG_SECTION_LIMIT) + " bytes) = \n";
    }
    std::map<std::string, int> seen;
    for (const Node& block : record.blocks) {
        Flatten(block, "", options, seen, text);
    }
    if (text.size() > kMaxFieldText) {
        text += "(fields beyond " + std::to_string(kMaxFieldText) + " bytes not compared) = \n";
    }
    return text;
}

std::vector<Field> Fields(const std::string& text) {
    std::vector<Field> fields;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(at, end - at);
        const size_t eq = line.find(" = ");
        fields.push_back(eq == std::string::npos ? Field{line, ""}
                                                 : Field{line.substr(0, eq), line.substr(eq + 3)});
        at = end + 1;
    }
    return fields;
}

struct Change {
    char side; // '-' or '+'
    std::string text;
};

std::vector<Change> Compare(const DiffEntry& a, const DiffEntry& b) {
    if (a.fields == b.fields) {
        return {};
    }
    const std::vector<Field> left = Fields(a.fields), right = Fields(b.fields);
    std::map<std::string, const Field*> rightByPath;
    for (const Field& field : right) {
        rightByPath.emplace(field.path, &field);
    }
    std::map<std::string, bool> inLeft;
    std::vector<Change> changes;
    for (const Field& field : left) {
        inLeft[field.path] = true;
        const auto other = rightByPath.find(field.path);
        if (other == rightByPath.end()) {
            changes.push_back({'-', field.path + " = " + field.value});
        } else if (other->second->value != field.value) {
            changes.push_back({'-', field.path + " = " + field.value});
            changes.push_back({'+', field.path + " = " + other->second->value});
        }
    }
    for (const Field& field : right) {
        if (inLeft.count(field.path) == 0) {
            changes.push_back({'+', field.path + " = " + field.value});
        }
    }
    return changes;
}

struct Step {
    long a = -1;
    long b = -1;
    bool differs = false;
};

class Printer {
public:
    Printer(std::ostream& out, bool color) : m_out(out), m_color(color) {}

    // Text from the logs is escaped; the colours are the printer's own.
    void Line(const char* color, const std::string& text) {
        if (m_color && color != nullptr) {
            m_out << color << Printable(text) << "\033[0m\n";
        } else {
            m_out << Printable(text) << "\n";
        }
    }

private:
    std::ostream& m_out;
    bool m_color;
};

constexpr const char* kRed = "\033[31m";
constexpr const char* kGreen = "\033[32m";
constexpr const char* kCyan = "\033[36m";
constexpr const char* kBold = "\033[1m";

bool IsLoad(const DiffEntry& entry) {
    return entry.identity[0] == 'L';
}

// The entry's line: its sequence number and title, or the load it begins.
std::string EntryText(const DiffEntry& entry) {
    const std::string title = entry.identity.substr(entry.identity.find(' ') + 1);
    return IsLoad(entry) ? "load " + title : SequenceText(entry.sequence) + " " + title;
}

} // namespace

std::vector<std::pair<long, long>> Align(const std::vector<int>& a, const std::vector<int>& b,
                                         long maxEdits, AlignNote* note) {
    return Myers(a, b, maxEdits).Run(note);
}

void DiffSide::StartLoad(const std::string& name, bool marked) {
    m_marker = -1;
    m_identityOnly = true;
    m_loadEntries = 0;
    if (marked) {
        m_marker = static_cast<long>(m_entries.size());
        m_entries.push_back({"L " + name, -1, "", ""});
    }
}

void DiffSide::Add(const Record& record) {
    m_identityOnly = m_identityOnly && record.Is("DAT_IDENTITY", "MSG_GET");
    ++m_loadEntries;
    m_entries.push_back(
        {std::to_string(static_cast<int>(record.kind)) + " " + record.DirectedTitle(),
         record.sequence, record.returnCode, FieldText(record, m_options)});
}

// A load's start is aligned with a load of the same kind: identity only or a session.
void DiffSide::EndLoad() {
    if (m_marker >= 0) {
        DiffEntry& marker = m_entries[static_cast<size_t>(m_marker)];
        const bool identityOnly = m_identityOnly && m_loadEntries > 0;
        marker.identity = (identityOnly ? "LI " : "LS ") + marker.identity.substr(2) +
                          (identityOnly ? " (identity only)" : "");
    }
}

bool DiffSides(const DiffSide& sideA, const DiffSide& sideB, const std::string& nameA,
               const std::string& nameB, const DiffOptions& options, std::ostream& out) {
    const std::vector<DiffEntry>& a = sideA.Entries();
    const std::vector<DiffEntry>& b = sideB.Entries();
    std::map<std::string, int> ids;
    auto keys = [&ids](const std::vector<DiffEntry>& entries) {
        std::vector<int> keys;
        keys.reserve(entries.size());
        for (const DiffEntry& entry : entries) {
            // A load's start aligns by its kind, not its file's name.
            const std::string key = IsLoad(entry) ? entry.identity.substr(0, 2) : entry.identity;
            keys.push_back(ids.emplace(key, static_cast<int>(ids.size())).first->second);
        }
        return keys;
    };
    const std::vector<int> keysA = keys(a), keysB = keys(b);
    AlignNote note;
    std::vector<Step> steps;
    for (const auto& [i, j] : Align(keysA, keysB, options.maxEdits, &note)) {
        const bool differs = i < 0 || j < 0 ||
                             (!IsLoad(a[static_cast<size_t>(i)]) &&
                              a[static_cast<size_t>(i)].fields != b[static_cast<size_t>(j)].fields);
        steps.push_back({i, j, differs});
    }
    std::vector<size_t> differing;
    for (size_t s = 0; s < steps.size(); ++s) {
        if (steps[s].differs) {
            differing.push_back(s);
        }
    }
    if (differing.empty()) {
        return false;
    }
    Printer print(out, options.color);
    print.Line(kBold, "--- " + nameA);
    print.Line(kBold, "+++ " + nameB);
    if (note.unaligned > 0) {
        print.Line(kCyan, "note: " + std::to_string(note.unaligned) +
                              (note.unaligned == 1 ? " part needs" : " parts need") +
                              " more than " + std::to_string(options.maxEdits) +
                              " edits and is shown unaligned (the first: entries " +
                              std::to_string(note.a0 + 1) + "-" + std::to_string(note.a1) +
                              " against " + std::to_string(note.b0 + 1) + "-" +
                              std::to_string(note.b1) + ")");
    }
    const size_t context = options.context;
    size_t counted = 0;            // steps counted into beforeA and beforeB
    long beforeA = 0, beforeB = 0; // entries of each side before the hunk
    for (size_t d = 0; d < differing.size();) {
        // A hunk: changes closer than twice the context share one.
        size_t last = d;
        while (last + 1 < differing.size() &&
               differing[last + 1] - differing[last] <= 2 * context + 1) {
            ++last;
        }
        const size_t from = differing[d] >= context ? differing[d] - context : 0;
        const size_t to = std::min(steps.size(), differing[last] + context + 1);
        long startA = -1, startB = -1, countA = 0, countB = 0;
        for (; counted < from; ++counted) {
            beforeA += steps[counted].a >= 0 ? 1 : 0;
            beforeB += steps[counted].b >= 0 ? 1 : 0;
        }
        for (size_t s = from; s < to; ++s) {
            if (steps[s].a >= 0) {
                startA = startA < 0 ? steps[s].a + 1 : startA;
                ++countA;
            }
            if (steps[s].b >= 0) {
                startB = startB < 0 ? steps[s].b + 1 : startB;
                ++countB;
            }
        }
        print.Line(kCyan, "@@ -" + std::to_string(startA < 0 ? beforeA : startA) + "," +
                              std::to_string(countA) + " +" +
                              std::to_string(startB < 0 ? beforeB : startB) + "," +
                              std::to_string(countB) + " @@");
        for (size_t s = from; s < to; ++s) {
            const Step& step = steps[s];
            if (step.b < 0) {
                const DiffEntry& r = a[static_cast<size_t>(step.a)];
                print.Line(kRed, "- " + EntryText(r) + (IsLoad(r) ? "" : " = " + r.returnCode));
                continue;
            }
            if (step.a < 0) {
                const DiffEntry& r = b[static_cast<size_t>(step.b)];
                print.Line(kGreen, "+ " + EntryText(r) + (IsLoad(r) ? "" : " = " + r.returnCode));
                continue;
            }
            const DiffEntry& ra = a[static_cast<size_t>(step.a)];
            const DiffEntry& rb = b[static_cast<size_t>(step.b)];
            if (IsLoad(ra)) {
                print.Line(nullptr, "  " + EntryText(ra) + " | " + EntryText(rb).substr(5));
                continue;
            }
            std::string head = "  " + SequenceText(ra.sequence);
            if (rb.sequence != ra.sequence) {
                head.pop_back();
                head += "|" + SequenceText(rb.sequence).substr(1);
            }
            head += EntryText(ra).substr(SequenceText(ra.sequence).size());
            const std::vector<Change> changes = Compare(ra, rb);
            if (changes.empty()) {
                print.Line(nullptr, head + " = " + ra.returnCode);
                continue;
            }
            print.Line(nullptr, head);
            for (const Change& change : changes) {
                print.Line(change.side == '-' ? kRed : kGreen,
                           std::string(1, change.side) + "       " + change.text);
            }
        }
        d = last + 1;
    }
    return true;
}

} // namespace twainlog

namespace twainlog {

bool DiffLogs(const Log& a, const Log& b, const std::string& nameA, const std::string& nameB,
              const DiffOptions& options, std::ostream& out) {
    DiffSide sideA(options), sideB(options);
    for (auto [log, side] : {std::pair{&a, &sideA}, std::pair{&b, &sideB}}) {
        side->StartLoad("", false);
        for (const Record& record : log->records) {
            side->Add(record);
        }
        side->EndLoad();
    }
    return DiffSides(sideA, sideB, nameA, nameB, options, out);
}

} // namespace twainlog
