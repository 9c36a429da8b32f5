#include "Diff.h"

#include <algorithm>
#include <map>

namespace twainlog {

namespace {

using Script = std::vector<std::pair<long, long>>;

class Myers {
public:
    Myers(const std::vector<int>& a, const std::vector<int>& b) : m_a(a), m_b(b) {}

    Script Run() {
        Diff(0, static_cast<long>(m_a.size()), 0, static_cast<long>(m_b.size()));
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
        const long maxD = (n + m + 1) / 2;
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
    Script m_script;
};

// The identity two entries must share to be aligned.
std::string Identity(const Record& record) {
    return std::to_string(static_cast<int>(record.kind)) + " " + record.Title();
}

struct Field {
    std::string path;
    std::string value;
};

bool Ignored(const std::string& path, const std::string& name, const DiffOptions& options) {
    return std::find_if(options.ignore.begin(), options.ignore.end(), [&](const std::string& i) {
               return i == name || i == path;
           }) != options.ignore.end();
}

void Flatten(const Node& node, const std::string& parent, const DiffOptions& options,
             std::map<std::string, int>& seen, std::vector<Field>& out) {
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
    out.push_back(
        {path, node.kind == Node::Kind::List ? "{" + node.value + "}" : "[" + node.value + "]"});
}

std::vector<Field> Fields(const Record& record, const DiffOptions& options) {
    std::vector<Field> fields;
    if (!Ignored("Return Code", "Return Code", options)) {
        fields.push_back({"Return Code", "[" + record.returnCode + "]"});
    }
    if (!Ignored("TWAIN Status", "TWAIN Status", options)) {
        fields.push_back({"TWAIN Status",
                          record.state >= 0 ? "[" + std::to_string(record.state) + "]" : "(none)"});
    }
    if (record.cut) {
        fields.push_back({"(cut at 5120 bytes)", ""});
    }
    std::map<std::string, int> seen;
    for (const Node& block : record.blocks) {
        Flatten(block, "", options, seen, fields);
    }
    return fields;
}

struct Change {
    char side; // '-' or '+'
    std::string text;
};

std::vector<Change> Compare(const Record& a, const Record& b, const DiffOptions& options) {
    const std::vector<Field> left = Fields(a, options), right = Fields(b, options);
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
    std::vector<Change> changes;
    bool Differs() const { return a < 0 || b < 0 || !changes.empty(); }
};

class Printer {
public:
    Printer(std::ostream& out, bool color) : m_out(out), m_color(color) {}

    void Line(const char* color, const std::string& text) {
        if (m_color && color != nullptr) {
            m_out << color << text << "\033[0m\n";
        } else {
            m_out << text << "\n";
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

std::string EntryText(const Record& record) {
    return SequenceText(record.sequence) + " " + record.Title();
}

} // namespace

std::vector<std::pair<long, long>> Align(const std::vector<int>& a, const std::vector<int>& b) {
    return Myers(a, b).Run();
}

bool DiffLogs(const Log& a, const Log& b, const std::string& nameA, const std::string& nameB,
              const DiffOptions& options, std::ostream& out) {
    std::map<std::string, int> ids;
    auto keys = [&ids](const Log& log) {
        std::vector<int> keys;
        for (const Record& record : log.records) {
            keys.push_back(
                ids.emplace(Identity(record), static_cast<int>(ids.size())).first->second);
        }
        return keys;
    };
    const std::vector<int> keysA = keys(a), keysB = keys(b);
    std::vector<Step> steps;
    for (const auto& [i, j] : Align(keysA, keysB)) {
        Step step{i, j, {}};
        if (i >= 0 && j >= 0) {
            step.changes = Compare(a.records[i], b.records[j], options);
        }
        steps.push_back(std::move(step));
    }
    std::vector<size_t> differing;
    for (size_t s = 0; s < steps.size(); ++s) {
        if (steps[s].Differs()) {
            differing.push_back(s);
        }
    }
    if (differing.empty()) {
        return false;
    }
    Printer print(out, options.color);
    print.Line(kBold, "--- " + nameA);
    print.Line(kBold, "+++ " + nameB);
    const size_t context = options.context;
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
        long beforeA = 0, beforeB = 0; // entries of each side before the hunk
        for (size_t s = 0; s < from; ++s) {
            beforeA += steps[s].a >= 0 ? 1 : 0;
            beforeB += steps[s].b >= 0 ? 1 : 0;
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
                const Record& r = a.records[step.a];
                print.Line(kRed, "- " + EntryText(r) + " = " + r.returnCode);
            } else if (step.a < 0) {
                const Record& r = b.records[step.b];
                print.Line(kGreen, "+ " + EntryText(r) + " = " + r.returnCode);
            } else {
                const Record& ra = a.records[step.a];
                const Record& rb = b.records[step.b];
                std::string head = "  " + SequenceText(ra.sequence);
                if (rb.sequence != ra.sequence) {
                    head.pop_back();
                    head += "|" + SequenceText(rb.sequence).substr(1);
                }
                head += " " + ra.Title();
                if (step.changes.empty()) {
                    print.Line(nullptr, head + " = " + ra.returnCode);
                    continue;
                }
                print.Line(nullptr, head);
                for (const Change& change : step.changes) {
                    print.Line(change.side == '-' ? kRed : kGreen,
                               std::string(1, change.side) + "       " + change.text);
                }
            }
        }
        d = last + 1;
    }
    return true;
}

} // namespace twainlog
