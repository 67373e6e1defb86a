#include "io/report.h"

#include <concepts>
#include <cstddef>
#include <cstring>
#include <memory>

#include "model/catalogue.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

constexpr std::string_view kSeparator = "----------";

// A text shown at the full width of its fixed-width field (PadText), written in place.
struct Padded {
    std::string_view text;
    int width;
};

class Report {
  public:
    // The text is written into a buffer of one piece and a line's room, and goes to `write` a
    // piece of about kPiece bytes at a time, so that a long report is never held whole unless
    // the writer keeps it.
    explicit Report(const ReportWriter& write)
        : write_(write), buffer_(new char[kPiece + kLineRoom]), at_(buffer_.get()) {}
    // One line of texts and numbers, each written in place: a number in its converted form,
    // as an integer or a real as its type is.
    template <class... Pieces>
    void Line(const Pieces&... pieces) {
        (Put(pieces), ...);
        EndLine();
    }
    void Flush() {
        if (at_ > buffer_.get())
            write_(std::string_view(buffer_.get(), static_cast<size_t>(at_ - buffer_.get())));
        at_ = buffer_.get();
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
    // A procedure's input or output slots as kind:index pairs (there are twenty such lines to
    // each procedure).
    void Slots(std::string_view label, const SlotRow& row) {
        Put(label);
        for (int j = 1; j <= kSlots; ++j) {
            Put(row[j].kind);
            *at_++ = ':';
            Put(row[j].index);
            Put(" , ");
        }
        EndLine();
    }

  private:
    // A piece of text of unknown length: a short one is copied into the buffer; one longer
    // than the room a line has left (only a very long file name) goes out on its own.
    void Put(std::string_view text) {
        if (text.size() > Room()) {
            Flush();
            if (text.size() > Room()) {
                write_(text);
                return;
            }
        }
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    // A literal, whose length is known.
    template <size_t N>
    void Put(const char (&text)[N]) {
        Put(std::string_view(text, N - 1));
    }
    void Put(const std::string& text) { Put(std::string_view(text)); }
    void Put(char c) { *at_++ = c; }
    void Put(double v) { at_ = PutConvertedNumber(at_, v); }
    void Put(std::integral auto v) { at_ = PutConvertedNumber(at_, static_cast<long long>(v)); }
    void Put(const Padded& field) {
        // A field of up to 70 characters takes at most 4 bytes each.
        if (Room() < 4 * static_cast<size_t>(field.width) + 8) Flush();
        at_ = PutPadded(at_, field.text, field.width);
    }
    void EndLine() {
        *at_++ = '\r';
        *at_++ = '\n';
        if (at_ - buffer_.get() >= static_cast<std::ptrdiff_t>(kPiece)) Flush();
    }
    // What the rest of a line may take: a line's room less the numbers, marks and line end
    // that are written without asking (a few dozen bytes at most to a line).
    size_t Room() const {
        return static_cast<size_t>(buffer_.get() + kPiece + kLineRoom - kFixedRoom - at_);
    }

    static constexpr size_t kPiece = 1 << 16;
    static constexpr size_t kLineRoom = 4096;
    static constexpr size_t kFixedRoom = 512;
    const ReportWriter& write_;
    std::unique_ptr<char[]> buffer_;
    char* at_;
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
