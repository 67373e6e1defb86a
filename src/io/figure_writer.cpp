// The text of a figure file, in the order the reader expects.

#include <cmath>

#include "io/figure_file.h"
#include "io/figure_layout.h"
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

    template <class R>
    void Record(const R& r, std::span<const LayoutLine<R>> layout) {
        for (const LayoutLine<R>& line : layout) {
            std::string s;
            for (int k = 0; k < line.count; ++k) {
                if (k > 0) s += ',';
                const LayoutValue<R>& v = line.values[static_cast<size_t>(k)];
                switch (v.kind) {
                    case LayoutValue<R>::kInt:
                        s += std::to_string(r.*v.integer);
                        break;
                    case LayoutValue<R>::kReal:
                        s += Number(r.*v.real);
                        break;
                    case LayoutValue<R>::kText:
                        s += QuoteText(PrintableText(FitText(r.*v.text, v.width)));
                        break;
                }
            }
            Line(s);
        }
    }

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
    for (int i = 1; i <= f.ObjectCount[1]; ++i) w.Record<PointRecord>(f.Points[i], layout::kPoint);
    for (int i = 1; i <= f.ObjectCount[2]; ++i) w.Record<LineRecord>(f.Lines[i], layout::kLine);
    for (int i = 1; i <= f.ObjectCount[3]; ++i)
        w.Record<CircleRecord>(f.Circles[i], layout::kCircle);
    for (int i = 1; i <= procs; ++i)
        if (f.SwapFlag[i] != 0) w.Line(QuoteText("REV=") + "," + std::to_string(i));
    return w.Take();
}

}  // namespace kv
