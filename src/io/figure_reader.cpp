// Reading figure files: the whole file is parsed and checked into a fresh figure.

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <vector>

#include "io/encoding.h"
#include "io/figure_file.h"
#include "io/figure_layout.h"
#include "io/figure_lines.h"
#include "model/catalogue.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

std::string FileError::Describe() const {
    std::string s = path;
    if (line > 0) s += ":" + std::to_string(line);
    return s + ": " + what;
}

namespace {

// Names the item a line holds, formatted only when an error is reported.
struct Item {
    const char* format;  // with at most two %d
    int a = 0;
    int b = 0;
    std::string Text() const {
        char buf[160];
        std::snprintf(buf, sizeof buf, format, a, b);
        return buf;
    }
};

// Where one value of a line goes, through the pointer its type names. A text is cut to its
// field's width as it is taken.
struct Target {
    enum Type { kInteger, kReal, kText, kRaw } type;
    i16* integer = nullptr;
    double* real = nullptr;
    std::string* text = nullptr;
    std::string_view* raw = nullptr;
    int width = 0;
};
Target Int(i16& v) {
    return {.type = Target::kInteger, .integer = &v};
}
Target Real(double& v) {
    return {.type = Target::kReal, .real = &v};
}
Target Text(std::string& v, int width) {
    return {.type = Target::kText, .text = &v, .width = width};
}
// The value as it stands in the line, for a text that is split before it is cut.
Target Raw(std::string_view& v) {
    return {.type = Target::kRaw, .raw = &v};
}

// A value of the file as an error message quotes it: on one line, and short enough to read.
std::string Shown(std::string_view text) {
    constexpr int kShownChars = 24;
    const std::string head = CutChars(text, kShownChars);
    return "\"" + PrintableText(head) + (head.size() < text.size() ? "...\"" : "\"");
}

const char* KindName(int kind, bool plural) {
    switch (kind) {
        case kKindNumber:
            return plural ? "numbers" : "number";
        case kKindPoint:
            return plural ? "points" : "point";
        case kKindLine:
            return plural ? "lines" : "line";
        default:
            return plural ? "circles" : "circle";
    }
}

// Whether a number of the file is whole and fits the 16 bits its field holds.
bool FitsSmallWhole(double v) {
    return v == std::floor(v) && v >= -32768 && v <= 32767;
}

// A slot line in its usual spelling, two whole numbers from -32768 to 32767 with a comma
// between them and blanks allowed around each ("3,12"), read at once into kind and index.
// False for anything else, which the general reading reads or explains.
bool QuickPair(std::string_view line, i16& kind, i16& index) {
    size_t i = 0;
    const auto blanks = [&] {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    };
    const auto whole = [&](i16& out) {
        blanks();
        const bool minus = i < line.size() && line[i] == '-';
        if (minus) ++i;
        const size_t first = i;
        int v = 0;
        for (; i < line.size() && line[i] >= '0' && line[i] <= '9' && i - first < 6; ++i)
            v = v * 10 + (line[i] - '0');
        if (i == first || i - first > 5) return false;
        v = minus ? -v : v;
        if (v < -32768 || v > 32767) return false;
        out = static_cast<i16>(v);
        blanks();
        return true;
    };
    i16 a = 0, b = 0;
    if (!whole(a) || i >= line.size() || line[i] != ',') return false;
    ++i;
    if (!whole(b) || i != line.size()) return false;
    kind = a;
    index = b;
    return true;
}

// One attempt at reading the lines in one layout revision.
class LayoutReader {
  public:
    LayoutReader(const TextLines& lines, int revision, int capacity)
        : lines_(lines), revision_(revision) {
        ResetFigure(fig_, capacity);
    }

    bool Read();
    Figure& figure() { return fig_; }
    const FileError& error() const { return error_; }
    // Whether the attempt got as far as the number records, where the layouts differ.
    bool reachedNumbers() const { return reachedNumbers_; }

  private:
    bool Fail(int line, std::string what) {
        error_.line = line;
        error_.what = std::move(what);
        return false;
    }
    int LineNo() const { return static_cast<int>(next_) + 1; }
    bool Values(Item item, std::initializer_list<Target> targets) {
        return Values(item, std::span<const Target>(targets.begin(), targets.size()));
    }
    bool Values(Item item, std::span<const Target> targets);
    template <class R>
    bool ReadRecord(R& r, int i, std::span<const LayoutLine<R>> layout);
    bool CheckBinding(const PointRecord& p, int i);
    bool CheckRef(ObjectRef r, int line, Item item);
    int LargestCountAhead(size_t procedures) const;
    bool ReadProcedures();
    bool ReadCounts();
    bool ReadNumber(int i);
    void ReadSwapLines();

    const TextLines& lines_;
    const int revision_;
    size_t next_ = 0;  // index of the next line to read
    Figure fig_;
    FileError error_;
    bool reachedNumbers_ = false;
};

bool LayoutReader::Values(Item item, std::span<const Target> targets) {
    if (next_ >= lines_.size()) return Fail(LineNo(), "the file ends before " + item.Text());
    const int line = LineNo();
    // A line of one plain number, most of a file, is read at once; whatever that reading does
    // not take is read (and explained) as every other line is.
    if (targets.size() == 1 && (targets[0].type == Target::kReal || targets[0].type == Target::kInteger)) {
        const std::string_view text = lines_[next_];
        if (std::none_of(text.begin(), text.end(), [](char c) { return c == '"' || c == ','; })) {
            if (const std::optional<double> v = ParseNumber(text)) {
                if (targets[0].type == Target::kReal) {
                    *targets[0].real = *v;
                    ++next_;
                    return true;
                }
                if (FitsSmallWhole(*v)) {
                    *targets[0].integer = static_cast<i16>(*v);
                    ++next_;
                    return true;
                }
            }
        }
    }
    ParsedLine parsed = ParseFields(lines_[next_++]);
    if (!parsed.error.empty()) return Fail(line, parsed.error + " (" + item.Text() + ")");
    if (parsed.count != targets.size()) {
        return Fail(line, "expected " + std::to_string(targets.size()) + " value" +
                              (targets.size() == 1 ? "" : "s") + " for " + item.Text() +
                              ", found " + std::to_string(parsed.count));
    }
    size_t k = 0;
    for (const Target& t : targets) {
        const Field& field = parsed.fields[k++];
        if (t.type == Target::kText) {
            *t.text = FieldText(field.raw, t.width);
            continue;
        }
        if (t.type == Target::kRaw) {
            *t.raw = field.raw;
            continue;
        }
        if (field.quoted)
            return Fail(line, "a quoted text where a number belongs (" + item.Text() + ")");
        const std::optional<double> v = ParseNumber(field.raw);
        if (!v) return Fail(line, Shown(field.raw) + " is not a number (" + item.Text() + ")");
        if (t.type == Target::kReal) {
            *t.real = *v;
            continue;
        }
        if (!FitsSmallWhole(*v)) {
            return Fail(line, Shown(field.raw) + " is not a whole number from -32768 to 32767 (" +
                                  item.Text() + ")");
        }
        *t.integer = static_cast<i16>(*v);
    }
    return true;
}

// A reference names an existing object of kind 0..3, or is empty (index 0). An empty slot may
// carry the slot kinds of a row under construction (100 a number to choose, 200 the macro step).
bool LayoutReader::CheckRef(ObjectRef r, int line, Item item) {
    const bool objectKind = r.kind >= 0 && r.kind <= 3;
    if (r.index == 0) {
        if (objectKind || r.kind == kSlotChosenNumber || r.kind == kSlotMacroStep) return true;
        return Fail(line,
                    item.Text() + " has kind " + std::to_string(r.kind) + " (kinds are 0 to 3)");
    }
    if (!objectKind) {
        return Fail(line,
                    item.Text() + " has kind " + std::to_string(r.kind) + " (kinds are 0 to 3)");
    }
    const int count = fig_.ObjectCount[r.kind];
    if (r.index < 0 || r.index > count) {
        return Fail(line, item.Text() + " names " + KindName(r.kind, false) + " " +
                              std::to_string(r.index) + ", but the file has " +
                              std::to_string(count) + " " + KindName(r.kind, count != 1));
    }
    return true;
}

// The largest of the object counts of the four kinds, read ahead of the procedures; 0 when a
// count line does not hold a plain count (the reading in order reports it).
int LayoutReader::LargestCountAhead(size_t procedures) const {
    const size_t first = 1 + kLinesPerProcedure * procedures;
    const TextLines ahead = lines_;  // its own place in the text: the reading goes on from here
    int largest = 0;
    for (size_t k = 0; k <= 3 && first + k < ahead.size(); ++k) {
        const ParsedLine parsed = ParseFields(ahead[first + k]);
        if (!parsed.error.empty() || parsed.count != 1 || parsed.fields[0].quoted) return 0;
        const std::optional<double> v = ParseNumber(parsed.fields[0].raw);
        if (!v || !(*v >= 0 && *v <= kMaxCapacity)) return 0;
        largest = std::max(largest, static_cast<int>(*v));
    }
    return largest;
}

bool LayoutReader::ReadProcedures() {
    i16 count = 0;
    if (!Values({"the number of procedures"}, {Int(count)})) return false;
    if (count < 0) return Fail(1, "the number of procedures is negative");
    const size_t needed = 1 + kLinesPerProcedure * static_cast<size_t>(count) + kCountLines;
    if (needed > lines_.size()) {
        return Fail(1, std::to_string(count) +
                           (count == 1 ? " procedure needs" : " procedures need") + " at least " +
                           std::to_string(needed) + " lines, but the file has " +
                           std::to_string(lines_.size()));
    }
    // The tables are sized once, for the procedures and for the object counts that follow
    // them (read ahead here; they are checked in their turn).
    if (!EnsureCapacity(fig_, LargestCountAhead(static_cast<size_t>(count)), count) &&
        !EnsureCapacity(fig_, 0, count))
        return Fail(1, std::to_string(count) + " procedures are more than a figure can hold");
    fig_.ProcedureCount = count;
    for (int i = 1; i <= count; ++i) {
        if (!Values({"the code of procedure %d", i}, {Text(fig_.ProcCode[i], kCodeWidth)}))
            return false;
        fig_.ProcOp[i] = OperationOf(fig_.ProcCode[i]);
    }
    for (SlotRow* rows : {fig_.ProcInput.data(), fig_.ProcOutput.data()}) {
        const char* what = rows == fig_.ProcInput.data()
                               ? "input %d of procedure %d (kind, index)"
                               : "output %d of procedure %d (kind, index)";
        for (int i = 1; i <= count; ++i) {
            for (int j = 1; j <= kSlots; ++j) {
                ObjectRef& r = rows[i][j];
                if (next_ < lines_.size() && QuickPair(lines_[next_], r.kind, r.index)) {
                    ++next_;
                    continue;
                }
                if (!Values({what, j, i}, {Int(r.kind), Int(r.index)})) return false;
            }
        }
    }
    return true;
}

bool LayoutReader::ReadCounts() {
    const int first = LineNo();
    std::array<i16, 11> counts{};
    for (int k = 0; k <= 10; ++k)
        if (!Values({"object count %d", k}, {Int(counts[k])})) return false;
    reachedNumbers_ = counts[0] > 0;
    int largest = 0;
    for (int k = 0; k <= 3; ++k) {
        if (counts[k] < 0) {
            return Fail(first + k,
                        std::string("the number of ") + KindName(k, true) + " is negative");
        }
        largest = std::max<int>(largest, counts[k]);
    }
    const size_t needed = static_cast<size_t>(counts[0]) * LinesPerNumber(revision_) +
                          static_cast<size_t>(counts[1]) * kLinesPerPoint +
                          static_cast<size_t>(counts[2]) * kLinesPerLine +
                          static_cast<size_t>(counts[3]) * kLinesPerCircle;
    if (next_ + needed > lines_.size()) {
        return Fail(first, "the object counts need " + std::to_string(needed) +
                               " more lines, but the file has " +
                               std::to_string(lines_.size() - next_));
    }
    if (!EnsureCapacity(fig_, largest, fig_.ProcedureCount))
        return Fail(first, "the object counts are more than a figure can hold");
    fig_.ObjectCount = counts;

    const int inputLines = 2 + fig_.ProcedureCount;  // line of input (1, 1)
    const int outputLines = inputLines + kSlots * fig_.ProcedureCount;
    for (int i = 1; i <= fig_.ProcedureCount; ++i) {
        for (int j = 1; j <= kSlots; ++j) {
            const int offset = (i - 1) * kSlots + (j - 1);
            if (!CheckRef(fig_.ProcInput[i][j], inputLines + offset,
                          {"input %d of procedure %d", j, i}) ||
                !CheckRef(fig_.ProcOutput[i][j], outputLines + offset,
                          {"output %d of procedure %d", j, i}))
                return false;
        }
    }
    return true;
}

bool LayoutReader::ReadNumber(int i) {
    NumberRecord& n = fig_.Numbers[i];
    std::string_view text;
    if (!Values({"number %d (value, exists, name@formula)", i},
                {Real(n.value), Int(n.exists), Raw(text)}))
        return false;
    // The name is split from the formula at the last "@": a formula is made of operands and
    // operators and never holds one, while a name may (a point named with "@" passes it on to
    // the distances measured from it). Files whose names hold no "@" read as they always did.
    const size_t at = text.rfind('@');
    n.name = FieldText(text.substr(0, at), kNumberNameWidth);
    n.formula = at == std::string_view::npos ? std::string()
                                             : FieldText(text.substr(at + 1), kFormulaWidth);
    n.isVariable = 0;
    return revision_ == 0 || Values({"isVariable of number %d", i}, {Int(n.isVariable)});
}

template <class R>
bool LayoutReader::ReadRecord(R& r, int i, std::span<const LayoutLine<R>> layout) {
    for (const LayoutLine<R>& line : layout) {
        std::array<Target, 2> targets{};
        for (int k = 0; k < line.count; ++k) {
            const LayoutValue<R>& v = line.values[static_cast<size_t>(k)];
            switch (v.kind) {
                case LayoutValue<R>::kInt:
                    targets[static_cast<size_t>(k)] = Int(r.*v.integer);
                    break;
                case LayoutValue<R>::kReal:
                    targets[static_cast<size_t>(k)] = Real(r.*v.real);
                    break;
                case LayoutValue<R>::kText:
                    targets[static_cast<size_t>(k)] = Text(r.*v.text, v.width);
                    break;
            }
        }
        if (!Values({line.item, i},
                    std::span<const Target>(targets.data(), static_cast<size_t>(line.count))))
            return false;
        if constexpr (std::is_same_v<R, PointRecord>) {
            if (line.binding && !CheckBinding(r, i)) return false;
        }
    }
    return true;
}

// The binding names an existing object, or nothing with a kind of 0 to 3.
bool LayoutReader::CheckBinding(const PointRecord& p, int i) {
    const int bindingLine = LineNo() - 1;
    if (!CheckRef({p.bindKind, p.bindIndex}, bindingLine, {"the binding of point %d", i}))
        return false;
    if (p.bindIndex == 0 && (p.bindKind < 0 || p.bindKind > 3)) {
        return Fail(bindingLine, "the binding of point " + std::to_string(i) + " has kind " +
                                     std::to_string(p.bindKind) + " (kinds are 0 to 3)");
    }
    return true;
}

// Lines after the records: `"REV=",i` sets SwapFlag(i); anything else is ignored, and so is a
// procedure number outside the list.
void LayoutReader::ReadSwapLines() {
    for (; next_ < lines_.size(); ++next_) {
        const std::string_view line = lines_[next_];
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view head = line.substr(0, eq);
        auto strip = [](std::string_view& s, std::string_view chars) {
            while (!s.empty() && chars.find(s.front()) != std::string_view::npos)
                s.remove_prefix(1);
            while (!s.empty() && chars.find(s.back()) != std::string_view::npos) s.remove_suffix(1);
        };
        strip(head, " \t\"");
        if (head.size() != 3 || std::toupper(static_cast<unsigned char>(head[0])) != 'R' ||
            std::toupper(static_cast<unsigned char>(head[1])) != 'E' ||
            std::toupper(static_cast<unsigned char>(head[2])) != 'V')
            continue;
        std::string_view tail = line.substr(eq + 1);
        strip(tail, " \t\",");
        const std::optional<double> v = ParseNumber(tail);
        if (!v || *v != std::floor(*v) || *v < 1 || *v > fig_.ProcedureCount) continue;
        fig_.SwapFlag[static_cast<int>(*v)] = kTrue;
    }
}

bool LayoutReader::Read() {
    if (!ReadProcedures() || !ReadCounts()) return false;
    for (int i = 1; i <= fig_.ObjectCount[0]; ++i)
        if (!ReadNumber(i)) return false;
    for (int i = 1; i <= fig_.ObjectCount[1]; ++i)
        if (!ReadRecord<PointRecord>(fig_.Points[i], i, layout::kPoint)) return false;
    for (int i = 1; i <= fig_.ObjectCount[2]; ++i)
        if (!ReadRecord<LineRecord>(fig_.Lines[i], i, layout::kLine)) return false;
    for (int i = 1; i <= fig_.ObjectCount[3]; ++i)
        if (!ReadRecord<CircleRecord>(fig_.Circles[i], i, layout::kCircle)) return false;
    ReadSwapLines();
    return true;
}

ReadResult Failure(std::string_view path, int line, std::string what) {
    ReadResult r;
    r.result.status = FileStatus::kFailed;
    r.result.error = {std::string(path), line, std::move(what)};
    return r;
}

}  // namespace

ReadResult ReadFigureText(std::string_view bytes, std::string_view path, int capacity) {
    if (bytes.size() > kMaxFigureFileBytes) return Failure(path, 0, "the file is too large");
    return ReadFigureBytes(std::string(bytes), path, capacity);
}

ReadResult ReadFigureBytes(std::string&& bytes, std::string_view path, int capacity) {
    if (bytes.size() > kMaxFigureFileBytes) return Failure(path, 0, "the file is too large");
    const std::optional<std::string> text = DecodeFigureText(std::move(bytes));
    if (!text) return Failure(path, 0, "the file is neither UTF-8 nor Shift-JIS text");
    const TextLines lines(*text);
    if (lines.size() > kMaxFigureFileLines) return Failure(path, 0, "the file has too many lines");
    if (lines.size() == 0) return Failure(path, 0, "the file is empty");

    LayoutReader current(lines, 1, capacity);
    if (current.Read()) {
        ReadResult r;
        r.figure = std::move(current.figure());
        return r;
    }
    FileError error = current.error();
    // The older layout differs only in the number records; it is worth a try only when the
    // first attempt got that far.
    if (current.reachedNumbers()) {
        LayoutReader older(lines, 0, capacity);
        if (older.Read()) {
            ReadResult r;
            r.result.revision = 0;
            r.figure = std::move(older.figure());
            return r;
        }
        // Report the attempt that read further: it is the one whose layout fits the file.
        if (older.error().line > error.line) error = older.error();
    }
    return Failure(path, error.line, error.what);
}

}  // namespace kv
