// The TikZ picture: what a LaTeX document gets when it \input's the exported figure.

#include "render/tikz_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "engine/recompute.h"
#include "render/draw_context.h"
#include "render/picture.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

// A red point A at (1, 2) with mark "□", a green line through A and B = (-3, -1) reaching far
// beyond the window, a blue circle about the origin through B, and a measured distance.
struct TikzFigure {
    Figure f;
    View view;
    Notifier note;
    ColourNotice notice;
    TikzSurface surface{641, 481};

    explicit TikzFigure(bool numberList = true, bool smooth = false) {
        view.Smooth = smooth;
        const int a = test::AddPoint(f, 1, 2, 3);
        const int b = test::AddPoint(f, -3, -1);
        f.Points[a].colour = 4;
        f.Points[a].name = "A_1";
        f.Points[b].name = "点B";
        const int line = test::AddLineThrough(f, a, b, 0);
        f.Lines[line].colour = 2;
        const int o = test::AddPoint(f, 0, 0);
        f.Points[o].name = "O";
        const int c = test::AddFromTwoPoints(f, "C2", o, b, kKindCircle);
        f.Circles[c].colour = 1;
        const int d = test::AddFromTwoPoints(f, "ND2P", a, b, kKindNumber);
        f.Numbers[d].name = "AB";
        RecomputeFigure(f, note);
        SetScreen(view, surface);
        DrawPicture(f, DrawContext{surface, view, true, note, notice}, PictureContent{numberList});
    }
};

std::vector<std::smatch> AllMatches(const std::string& text, const std::regex& re) {
    std::vector<std::smatch> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        out.push_back(*it);
    return out;
}

TEST(TikzPicture, HoldsEveryObjectWithNamedColoursInsideTheVisibleRectangle) {
    const TikzFigure fig;
    const std::string t = fig.surface.Text();
    ASSERT_EQ(t.find("\\begin{tikzpicture}"), t.find('\n') + 1) << t;
    EXPECT_TRUE(t.ends_with("\\end{tikzpicture}\n"));

    // Braces balance, so the picture can be \input as it is.
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\\') {
            ++i;  // an escaped character
            continue;
        }
        depth += t[i] == '{' ? 1 : t[i] == '}' ? -1 : 0;
        ASSERT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);

    // 641 x 481 pixels at 96 per inch.
    EXPECT_NE(t.find("\\clip (0,0) rectangle (16.96,12.726);"), std::string::npos) << t;
    for (const char* colour :
         {"\\definecolor{kvred}{RGB}{128,0,0}", "\\definecolor{kvgreen}{RGB}{0,128,0}",
          "\\definecolor{kvblue}{RGB}{0,0,128}", "\\definecolor{kvbackground}{RGB}{192,192,192}"})
        EXPECT_NE(t.find(colour), std::string::npos) << colour;

    // The line is cut to the rectangle: both its ends lie on the border or inside.
    const std::regex line(
        R"(\\draw\[kvgreen[^\]]*\] \(([-0-9.]+),([-0-9.]+)\) -- \(([-0-9.]+),([-0-9.]+)\);)");
    const auto lines = AllMatches(t, line);
    ASSERT_EQ(lines.size(), 1u) << t;
    for (int k : {1, 3}) {
        const double x = std::stod(lines[0][k]), y = std::stod(lines[0][k + 1]);
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 16.96);
        EXPECT_GE(y, 0);
        EXPECT_LE(y, 12.726);
    }
    // The circle about the centre, radius |OB| = sqrt(10) units of 20 pixels.
    const std::regex circle(
        R"(\\draw\[kvblue[^\]]*\] \(([-0-9.]+),([-0-9.]+)\) circle\[radius=([0-9.]+)\];)");
    const auto circles = AllMatches(t, circle);
    ASSERT_EQ(circles.size(), 1u) << t;
    EXPECT_NEAR(std::stod(circles[0][3]), std::sqrt(10.0) * 20 * 2.54 / 96, 0.005);
    EXPECT_NEAR(std::stod(circles[0][1]), 8.467, 0.03);
    // The square mark of A in red.
    EXPECT_NE(t.find("\\draw[kvred"), std::string::npos);
    EXPECT_NE(t.find(") rectangle ("), std::string::npos);
    // Names as nodes, LaTeX's special characters escaped.
    for (const char* name : {"{A\\_1}", "{点B}", "{O}"})
        EXPECT_NE(t.find(name), std::string::npos) << name;
    // The number list: its line in black; the old value, erased on the screen, takes its room
    // after the index invisibly.
    EXPECT_NE(t.find("text=kvblack] (kvtext5) at (0,1.469) {\\ 1:AB\\ =\\ \\ 5}"),
              std::string::npos)
        << t;
    EXPECT_NE(t.find(".north east) {\\phantom{AB\\ =\\ "), std::string::npos) << t;
}

TEST(TikzPicture, TheNumberListIsLeftOutWhenNotAsked) {
    const TikzFigure with(true), without(false);
    EXPECT_NE(with.surface.Text().find("AB\\ =\\ "), std::string::npos);
    EXPECT_EQ(without.surface.Text().find("AB\\ =\\ "), std::string::npos);
    EXPECT_NE(without.surface.Text().find("{A\\_1}"), std::string::npos);
}

// The two "・" points, B and O: a pixel-sized square in the classic picture, a dot when smooth.
TEST(TikzPicture, SmoothDrawingMakesTheLonePointsDots) {
    const std::regex dot(R"(\\fill\[\w+\] \([-0-9.]+,[-0-9.]+\) circle\[radius=[0-9.]+\];)");
    const std::regex square(R"(\\fill\[\w+\] \([-0-9.]+,[-0-9.]+\) rectangle )");
    for (const bool smooth : {false, true}) {
        const std::string t = TikzFigure(true, smooth).surface.Text();
        EXPECT_EQ(AllMatches(t, dot).size(), smooth ? 2u : 0u) << t;
        // The cleared background is one more filled rectangle.
        EXPECT_EQ(AllMatches(t, square).size(), smooth ? 1u : 3u) << t;
    }
}

TEST(TikzPicture, TextErasedOnTheScreenTakesItsRoomInvisibly) {
    TikzSurface s(100, 100);
    s.MoveTo(10, 10);
    s.SetForeColour(s.BackColour());
    s.Print("old");
    s.SetForeColour({0, 0, 0});
    s.Print("new");
    const std::string t = s.Text();
    EXPECT_NE(t.find("(kvtext0) at (0.265,2.381) {\\phantom{old}}"), std::string::npos) << t;
    EXPECT_NE(t.find("(kvtext1) at (kvtext0.north east) {new}"), std::string::npos) << t;
}

TEST(TikzPicture, HugeCirclesAndFarShapesStayWithinTeXsDimensions) {
    TikzSurface s(200, 100);
    View v;
    SetScreen(v, s);
    s.CircleOutline(0, 1e6, 1e6 - 1, {0, 0, 0});  // an arc through the window
    s.CircleOutline(500, 500, 1, {0, 0, 0});      // wholly outside: nothing
    s.Line(-1e30f, 0, 1e30f, 0, {0, 0, 0});
    s.Rectangle(-1e9f, -1e9f, 1e9f, 1e9f, {0, 0, 0}, true);
    const std::regex number(R"([-0-9.]+(?=[,)]))");
    const std::string t = s.Text();
    for (const auto& m : AllMatches(t, number))
        EXPECT_LT(std::abs(std::stod(m.str())), 100) << m.str();
    EXPECT_NE(t.find(" -- "), std::string::npos);
}

TEST(TikzPicture, LatexTextEscapesEverySpecialCharacter) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"A", "A"},
        {"a b", "a\\ b"},
        {"x_1", "x\\_1"},
        {"50%", "50\\%"},
        {"#&$", "\\#\\&\\$"},
        {"{}", "\\{\\}"},
        {"\\", "\\textbackslash{}"},
        {"~^", "\\textasciitilde{}\\textasciicircum{}"},
        {"角度", "角度"},
    };
    for (const auto& [in, out] : rows) EXPECT_EQ(LatexText(in), out) << in;
}

}  // namespace
}  // namespace kv
