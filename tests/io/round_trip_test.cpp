// What a user relies on when a figure goes to a file and back: after the naming pass and the
// recompute, the figure read back reports exactly as the one that was saved, whatever its names
// and values, and whatever line ends the file came with.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "engine/naming.h"
#include "engine/recompute.h"
#include "io/figure_file.h"
#include "io/report.h"
#include "io_test_util.h"
#include "support/test_figure.h"

namespace kv {
namespace {

std::string SettledReport(Figure& f) {
    NameMeasuredOutputs(f);
    RecomputeFigure(f, Notifier{});
    return ConstructionReport(f, "f.kvf");
}

bool AllFinite(const Figure& f) {
    bool ok = true;
    for (int i = 1; i <= f.ObjectCount[kKindNumber]; ++i) ok &= std::isfinite(f.Numbers[i].value);
    for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i) {
        const PointRecord& p = f.Points[i];
        ok &= std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.param);
    }
    for (int i = 1; i <= f.ObjectCount[kKindLine]; ++i) {
        const LineRecord& l = f.Lines[i];
        for (double v : {l.x1, l.y1, l.x2, l.y2, l.dx, l.dy}) ok &= std::isfinite(v);
    }
    for (int i = 1; i <= f.ObjectCount[kKindCircle]; ++i) {
        const CircleRecord& c = f.Circles[i];
        ok &= std::isfinite(c.cx) && std::isfinite(c.cy) && std::isfinite(c.r);
    }
    return ok;
}

// Two points with the given names, the distance between them, and a formula number over that
// distance, named by the naming pass.
Figure NamedDistance(const std::string& first, const std::string& second) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0);
    const ObjectRef b = t.Free(3, 4);
    t.Pt(a).name = first;
    t.Pt(b).name = second;
    const ObjectRef d = t.Make1("ND2P", {a, b});
    const ObjectRef twice = t.Make1("CALC", {});
    t.Nm(twice).formula = "#" + std::to_string(d.index) + "+#" + std::to_string(d.index);
    return std::move(t.f);
}

// A point tied to a circle of radius 1e308 with a parameter that wraps past the largest double,
// and one on a reversed half-line whose end lies behind its base at the edge of the doubles.
Figure TiedAtTheEdge() {
    TestFigure t;
    const ObjectRef c = t.NewObject(kKindCircle);
    t.Cr(c) = {};
    t.Cr(c).r = 1e308;
    t.Cr(c).exists = kTrue;
    const ObjectRef l = t.NewObject(kKindLine);
    t.Ln(l) = {};
    t.Ln(l).x1 = 1e308;
    t.Ln(l).x2 = -1e308;
    t.Ln(l).dx = 1;
    t.Ln(l).form = 3;
    t.Ln(l).exists = kTrue;
    t.Tied(c, -1);
    t.Tied(l, 0);
    return std::move(t.f);
}

struct RoundTripRow {
    const char* what;
    std::function<Figure()> make;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripRow> {};

TEST_P(RoundTrip, TheFigureReadBackReportsAsTheSavedOne) {
    Figure f = GetParam().make();
    const std::string before = SettledReport(f);
    ASSERT_TRUE(AllFinite(f));
    // Saved and read, more than once: nothing may drift from one round to the next.
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ReadResult again = ReadFigureText(FigureFileText(f), "again.kvf");
        ASSERT_TRUE(again.result.ok()) << again.result.error.Describe();
        f = std::move(*again.figure);
        EXPECT_EQ(SettledReport(f), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, RoundTrip,
    ::testing::Values(RoundTripRow{"AtInName", [] { return NamedDistance("P@", "Q"); }},
                      RoundTripRow{"AtsEverywhere", [] { return NamedDistance("@", "@@\"@,"); }},
                      RoundTripRow{"FullWidthAndAt", [] { return NamedDistance("点＠@", "Ｑ"); }},
                      RoundTripRow{"TiedAtTheEdgeOfTheDoubles", TiedAtTheEdge}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(RoundTrip, AFormulaOverANameWithAnAtStaysDefined) {
    Figure f = NamedDistance("P@", "Q");
    SettledReport(f);
    ReadResult again = ReadFigureText(FigureFileText(f), "again.kvf");
    ASSERT_TRUE(again.result.ok());
    SettledReport(*again.figure);
    EXPECT_EQ(again.figure->Numbers[1].name, "P@Q");
    EXPECT_EQ(again.figure->Numbers[2].formula, "#1+#1");
    EXPECT_EQ(again.figure->Numbers[2].name, "P@Q+P@Q");
    EXPECT_EQ(again.figure->Numbers[2].value, 10);
}

TEST(RoundTrip, EveryLineEndStyleReadsTheSameFigure) {
    const std::string crlf = FigureFileText(TriangleFigure());
    std::string lf, cr;
    for (char c : crlf) {
        if (c != '\r') lf.push_back(c);
        if (c != '\n') cr.push_back(c);
    }
    for (const std::string& text : {lf, cr}) {
        ReadResult r = ReadFigureText(text, "ends.kvf");
        ASSERT_TRUE(r.result.ok()) << r.result.error.Describe();
        EXPECT_EQ(FigureFileText(*r.figure), crlf);
    }
}

}  // namespace
}  // namespace kv
