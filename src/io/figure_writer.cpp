// The text of a figure file, in the order the reader expects.

#include <cmath>

#include "io/figure_file.h"
#include "io/figure_lines.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

class Lines {
  public:
    void Int(int v) { Line(std::to_string(v)); }
    void Ints(int a, int b) { Line(std::to_string(a) + "," + std::to_string(b)); }
    void Real(double v) { Line(Number(v)); }
    void Reals(double a, double b) { Line(Number(a) + "," + Number(b)); }
    // Control characters become blanks, so that every text stays on its own line.
    void Text(std::string_view t) { Line(QuoteText(PrintableText(t))); }
    void Line(std::string_view s) {
        out_ += s;
        out_ += "\r\n";
    }
    std::string Take() { return std::move(out_); }

    // Exact round-trip text. A non-finite value must never make the file unreadable; it only
    // occurs in an undefined object, whose coordinates mean nothing, so it is written as 0.
    static std::string Number(double v) { return std::isfinite(v) ? RoundTripNumber(v) : "0"; }

  private:
    std::string out_;
};

}  // namespace

std::string FigureFileText(const Figure& f) {
    Lines w;
    const int procs = f.ProcedureCount;
    w.Int(procs);
    for (int i = 1; i <= procs; ++i) w.Text(FitText(f.ProcCode[i], kCodeWidth));
    for (const auto* rows : {&f.ProcInput, &f.ProcOutput})
        for (int i = 1; i <= procs; ++i)
            for (int j = 1; j <= kSlots; ++j) w.Ints((*rows)[i][j].kind, (*rows)[i][j].index);
    for (int k = 0; k <= 10; ++k) w.Int(f.ObjectCount[k]);

    for (int i = 1; i <= f.ObjectCount[0]; ++i) {
        const NumberRecord& n = f.Numbers[i];
        w.Line(Lines::Number(n.value) + "," + std::to_string(n.exists) + "," +
               QuoteText(PrintableText(FitText(n.name, kNumberNameWidth) + "@" +
                                       FitText(n.formula, kFormulaWidth))));
        w.Int(n.isVariable);
    }
    for (int i = 1; i <= f.ObjectCount[1]; ++i) {
        const PointRecord& p = f.Points[i];
        w.Reals(p.x, p.y);
        w.Int(p.colour);
        w.Int(p.locusColour);
        w.Int(p.exists);
        w.Int(p.mark);
        w.Int(p.movable);
        w.Ints(p.bindKind, p.bindIndex);
        w.Real(p.param);
        w.Text(FitText(p.name, kNameWidth));
    }
    for (int i = 1; i <= f.ObjectCount[2]; ++i) {
        const LineRecord& l = f.Lines[i];
        w.Reals(l.x1, l.y1);
        w.Reals(l.x2, l.y2);
        w.Int(l.exists);
        w.Int(l.form);
        w.Reals(l.dx, l.dy);
        w.Int(l.colour);
        w.Int(l.locusColour);
        w.Text(FitText(l.name, kNameWidth));
    }
    for (int i = 1; i <= f.ObjectCount[3]; ++i) {
        const CircleRecord& c = f.Circles[i];
        w.Reals(c.cx, c.cy);
        w.Real(c.r);
        w.Int(c.exists);
        w.Int(c.colour);
        w.Int(c.locusColour);
        w.Text(FitText(c.name, kNameWidth));
    }
    for (int i = 1; i <= procs; ++i)
        if (f.SwapFlag[i] != 0) w.Line(QuoteText("REV=") + "," + std::to_string(i));
    return w.Take();
}

}  // namespace kv
