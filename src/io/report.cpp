#include "io/report.h"

#include <charconv>
#include <type_traits>

#include "model/catalogue.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

constexpr std::string_view kSeparator = "----------";

// A text shown at the full width of its fixed-width field (PadText), appended in place.
struct Padded {
    std::string_view text;
    int width;
};

class Report {
  public:
    // The text is written into one buffer reserved for the figure's size: a line of about 70
    // bytes for each of a procedure's three listings and each field of an object.
    // The text goes to `write` a piece of about kPiece bytes at a time, so that a long report
    // is never held whole unless the writer keeps it.
    explicit Report(const ReportWriter& write) : write_(write) { out_.reserve(kPiece + 1024); }
    // One line of texts and numbers, each appended in place: a number in its converted form,
    // as an integer or a real as its type is.
    template <class... Pieces>
    void Line(const Pieces&... pieces) {
        (Put(pieces), ...);
        EndLine();
    }
    void Flush() {
        if (!out_.empty()) write_(out_);
        out_.clear();
    }
    // Procedure i's number, code and what the code does.
    void Procedure(const Figure& f, int i) {
        const std::string& code = f.ProcCode[i];
        // The catalogue entry was found when the procedure got its code.
        const int op = f.ProcOp[i];
        const std::string_view shown = op > 0 && !CodeCatalogue()[op - 1].displayName.empty()
                                           ? CodeCatalogue()[op - 1].displayName
                                           : std::string_view(code);
        Line(i, ':', Padded{code, kCodeWidth}, '(', shown, ')');
    }
    // A procedure's input or output slots as kind:index pairs, put together in place (there
    // are twenty such lines to each procedure).
    void Slots(std::string_view label, const SlotRow& row) {
        out_ += label;
        for (int j = 1; j <= kSlots; ++j) {
            Small(row[j].kind);
            out_ += ':';
            Small(row[j].index);
            out_.append(" , ", 3);
        }
        EndLine();
    }

  private:
    void EndLine() {
        out_.append("\r\n", 2);
        if (out_.size() >= kPiece) Flush();
    }
    // A 16-bit value in the converted form of an integer (" 3", "-2").
    void Small(i16 v) {
        char digits[8];
        const auto res = std::to_chars(digits, digits + sizeof digits, v);
        if (v >= 0) out_ += ' ';
        out_.append(digits, res.ptr);
    }
    template <class T>
    void Put(const T& piece) {
        if constexpr (std::is_floating_point_v<T>) {
            AppendConvertedNumber(out_, static_cast<double>(piece));
        } else if constexpr (std::is_integral_v<T> && !std::is_same_v<T, char>) {
            AppendConvertedNumber(out_, static_cast<long long>(piece));
        } else if constexpr (std::is_same_v<T, Padded>) {
            AppendPadded(out_, piece.text, piece.width);
        } else if constexpr (std::is_array_v<T>) {
            out_.append(piece, std::extent_v<T> - 1);  // a literal: its length is known
        } else {
            out_ += piece;
        }
    }

    static constexpr size_t kPiece = 1 << 16;
    const ReportWriter& write_;
    std::string out_;
};

}  // namespace

std::string ConstructionReport(const Figure& f, std::string_view fileName) {
    // Reserved for the figure's size: a line of about 70 bytes for each of a procedure's three
    // listings and each field of an object.
    long objects = 0;
    for (int k = kKindNumber; k <= kKindCircle; ++k) objects += Count(f, static_cast<i16>(k));
    std::string text;
    text.reserve(static_cast<size_t>(1024 + 70L * (4L * f.ProcedureCount + 11L * objects)));
    WriteConstructionReport(f, fileName, [&text](std::string_view piece) { text += piece; });
    return text;
}

void WriteConstructionReport(const Figure& f, std::string_view fileName,
                             const ReportWriter& write) {
    Report r(write);
    r.Line("FileName : ", fileName);
    r.Line("作図手続き数 : ", f.ProcedureCount);
    r.Line(kSeparator);
    for (int i = 1; i <= f.ProcedureCount; ++i) r.Procedure(f, i);
    r.Line(kSeparator);
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        r.Procedure(f, i);
        r.Slots("in : ", f.ProcInput[i]);
        r.Slots("out: ", f.ProcOutput[i]);
    }
    r.Line(kSeparator);

    r.Line("幾何的対象の数");
    r.Line("数   : ", f.ObjectCount[0]);
    r.Line("点   : ", f.ObjectCount[1]);
    r.Line("直線 : ", f.ObjectCount[2]);
    r.Line("円   : ", f.ObjectCount[3]);
    r.Line();
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[0]; ++i) {
        const NumberRecord& n = f.Numbers[i];
        r.Line();
        r.Line("名前     : ", Padded{n.name, kNumberNameWidth});
        r.Line("値       : ", n.value);
        r.Line("独立/従属: ", n.isVariable);
        r.Line("チェック : ", n.exists);
        r.Line("数式表示 : ", Padded{n.formula, kFormulaWidth});
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[1]; ++i) {
        const PointRecord& p = f.Points[i];
        r.Line();
        r.Line("名前     : ", Padded{p.name, kNameWidth});
        r.Line("座標     : ", p.x, ",", p.y);
        r.Line("種類     : ", p.mark);
        r.Line("独立/従属: ", p.movable);
        r.Line("束縛状態 : ", p.bindKind, ",", p.bindIndex, p.param);
        r.Line("チェック : ", p.exists);
        r.Line("色       : ", p.colour);
        r.Line("束縛の種類: ", p.bindKind);
        r.Line("束縛番号  : ", p.bindIndex);
        r.Line("パラメータ  : ", p.param);
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[2]; ++i) {
        const LineRecord& l = f.Lines[i];
        r.Line();
        r.Line("名前     : ", Padded{l.name, kNameWidth});
        r.Line('(', l.x1, ',', l.y1, ") -(", l.x2, ',', l.y2, ')');
        r.Line("方向     : ", l.dx, ",", l.dy);
        r.Line("種類     : ", l.form);
        r.Line("チェック : ", l.exists);
        r.Line("色       : ", l.colour);
        r.Line("軌跡の色  : ", l.locusColour);
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[3]; ++i) {
        const CircleRecord& c = f.Circles[i];
        r.Line();
        r.Line("名前     : ", Padded{c.name, kNameWidth});
        r.Line("中心 (", c.cx, ',', c.cy, "), 半径: ", c.r);
        r.Line("チェック : ", c.exists);
        r.Line("色       : ", c.colour);
        r.Line("軌跡の色  : ", c.locusColour);
    }
    r.Line(kSeparator);
    r.Line("以上");
    r.Flush();
}

}  // namespace kv
