#include "io/report.h"

#include "model/catalogue.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

constexpr std::string_view kSeparator = "----------";

class Report {
  public:
    // The text is written into one buffer reserved for the figure's size: a line of about 70
    // bytes for each of a procedure's three listings and each field of an object.
    explicit Report(const Figure& f) {
        long objects = 0;
        for (int k = kKindNumber; k <= kKindCircle; ++k) objects += Count(f, static_cast<i16>(k));
        out_.reserve(static_cast<size_t>(1024 + 70L * (4L * f.ProcedureCount + 11L * objects)));
    }
    void Line(std::string_view s = {}) {
        out_ += s;
        out_ += "\r\n";
    }
    std::string Take() { return std::move(out_); }

  private:
    std::string out_;
};

std::string Num(double v) {
    return ConvertedNumber(v);
}
std::string Num(int v) {
    return ConvertedNumber(static_cast<long long>(v));
}

std::string ProcedureLine(const Figure& f, int i) {
    const std::string& code = f.ProcCode[i];
    // The catalogue entry was found when the procedure got its code.
    const int op = f.ProcOp[i];
    const std::string_view shown = op > 0 && !CodeCatalogue()[op - 1].displayName.empty()
                                       ? CodeCatalogue()[op - 1].displayName
                                       : std::string_view(code);
    std::string s = Num(i);
    s += ':';
    s += PadText(code, kCodeWidth);
    s += '(';
    s += shown;
    s += ')';
    return s;
}

std::string SlotsLine(std::string_view label, const SlotRow& row) {
    std::string s(label);
    for (int j = 1; j <= kSlots; ++j) s += Num(row[j].kind) + ":" + Num(row[j].index) + " , ";
    return s;
}

}  // namespace

std::string ConstructionReport(const Figure& f, std::string_view fileName) {
    Report r(f);
    r.Line("FileName : " + std::string(fileName));
    r.Line("作図手続き数 : " + Num(f.ProcedureCount));
    r.Line(kSeparator);
    for (int i = 1; i <= f.ProcedureCount; ++i) r.Line(ProcedureLine(f, i));
    r.Line(kSeparator);
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        r.Line(ProcedureLine(f, i));
        r.Line(SlotsLine("in : ", f.ProcInput[i]));
        r.Line(SlotsLine("out: ", f.ProcOutput[i]));
    }
    r.Line(kSeparator);

    r.Line("幾何的対象の数");
    r.Line("数   : " + Num(f.ObjectCount[0]));
    r.Line("点   : " + Num(f.ObjectCount[1]));
    r.Line("直線 : " + Num(f.ObjectCount[2]));
    r.Line("円   : " + Num(f.ObjectCount[3]));
    r.Line();
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[0]; ++i) {
        const NumberRecord& n = f.Numbers[i];
        r.Line();
        r.Line("名前     : " + PadText(n.name, kNumberNameWidth));
        r.Line("値       : " + Num(n.value));
        r.Line("独立/従属: " + Num(n.isVariable));
        r.Line("チェック : " + Num(n.exists));
        r.Line("数式表示 : " + PadText(n.formula, kFormulaWidth));
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[1]; ++i) {
        const PointRecord& p = f.Points[i];
        r.Line();
        r.Line("名前     : " + PadText(p.name, kNameWidth));
        r.Line("座標     : " + Num(p.x) + "," + Num(p.y));
        r.Line("種類     : " + Num(p.mark));
        r.Line("独立/従属: " + Num(p.movable));
        r.Line("束縛状態 : " + Num(p.bindKind) + "," + Num(p.bindIndex) + Num(p.param));
        r.Line("チェック : " + Num(p.exists));
        r.Line("色       : " + Num(p.colour));
        r.Line("束縛の種類: " + Num(p.bindKind));
        r.Line("束縛番号  : " + Num(p.bindIndex));
        r.Line("パラメータ  : " + Num(p.param));
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[2]; ++i) {
        const LineRecord& l = f.Lines[i];
        r.Line();
        r.Line("名前     : " + PadText(l.name, kNameWidth));
        r.Line("(" + Num(l.x1) + "," + Num(l.y1) + ") -" + "(" + Num(l.x2) + "," + Num(l.y2) + ")");
        r.Line("方向     : " + Num(l.dx) + "," + Num(l.dy));
        r.Line("種類     : " + Num(l.form));
        r.Line("チェック : " + Num(l.exists));
        r.Line("色       : " + Num(l.colour));
        r.Line("軌跡の色  : " + Num(l.locusColour));
    }
    r.Line(kSeparator);

    for (int i = 1; i <= f.ObjectCount[3]; ++i) {
        const CircleRecord& c = f.Circles[i];
        r.Line();
        r.Line("名前     : " + PadText(c.name, kNameWidth));
        r.Line("中心 (" + Num(c.cx) + "," + Num(c.cy) + "), " + "半径: " + Num(c.r));
        r.Line("チェック : " + Num(c.exists));
        r.Line("色       : " + Num(c.colour));
        r.Line("軌跡の色  : " + Num(c.locusColour));
    }
    r.Line(kSeparator);
    r.Line("以上");
    return r.Take();
}

}  // namespace kv
