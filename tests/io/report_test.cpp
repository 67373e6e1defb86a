#include "io/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/figure_lines.h"
#include "io_test_util.h"
#include "model/text.h"

namespace kv {
namespace {

std::vector<std::string> ReportLines(const Figure& f, std::string_view name) {
    const std::string text = ConstructionReport(f, name);
    EXPECT_TRUE(text.ends_with("以上\r\n"));
    // Every line ends in CR LF: no bare LF and no bare CR.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "at byte " << i;
        }
        if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "at byte " << i;
        }
    }
    std::vector<std::string> out;
    for (std::string_view l : SplitLines(text)) out.emplace_back(l);
    return out;
}

TEST(Report, EmptyFigure) {
    Figure f;
    EXPECT_EQ(ConstructionReport(f, "untitled"),
              "FileName : untitled\r\n"
              "作図手続き数 :  0\r\n"
              "----------\r\n"
              "----------\r\n"
              "----------\r\n"
              "幾何的対象の数\r\n"
              "数   :  0\r\n"
              "点   :  0\r\n"
              "直線 :  0\r\n"
              "円   :  0\r\n"
              "\r\n"
              "----------\r\n"
              "----------\r\n"
              "----------\r\n"
              "----------\r\n"
              "----------\r\n"
              "以上\r\n");
}

TEST(Report, ProcedureListWithFullWidthCodesAndAllSlots) {
    const std::vector<std::string> l = ReportLines(TriangleFigure(), "/tmp/tri.kvf");
    EXPECT_EQ(l[0], "FileName : /tmp/tri.kvf");
    EXPECT_EQ(l[1], "作図手続き数 :  7");
    EXPECT_EQ(l[2], "----------");
    EXPECT_EQ(l[3], " 1:PNEW (新しい点を取る)");
    EXPECT_EQ(l[6], " 4:P1   (三角形の外心)");
    EXPECT_EQ(l[7], " 5:C2   (円（中心と一点）)");
    EXPECT_EQ(l[8], " 6:L1   (２点を結ぶ)");
    EXPECT_EQ(l[9], " 7:ND2P (距離(2点))");
    EXPECT_EQ(l[10], "----------");
    EXPECT_EQ(l[11], " 1:PNEW (新しい点を取る)");
    EXPECT_EQ(l[12], "in :  0: 0 ,  0: 0 ,  0: 0 ,  0: 0 ,  0: 0 , ");
    EXPECT_EQ(l[13], "out:  1: 1 ,  0: 0 ,  0: 0 ,  0: 0 ,  0: 0 , ");
    EXPECT_EQ(l[20], " 4:P1   (三角形の外心)");
    EXPECT_EQ(l[21], "in :  1: 1 ,  1: 2 ,  1: 3 ,  0: 0 ,  0: 0 , ");
    EXPECT_EQ(l[22], "out:  1: 4 ,  0: 0 ,  0: 0 ,  0: 0 ,  0: 0 , ");
    EXPECT_EQ(l[32], "----------");
    EXPECT_EQ(l[33], "幾何的対象の数");
    EXPECT_EQ(l[34], "数   :  1");
    EXPECT_EQ(l[35], "点   :  4");
    EXPECT_EQ(l[36], "直線 :  1");
    EXPECT_EQ(l[37], "円   :  1");
    EXPECT_EQ(l[38], "");
    EXPECT_EQ(l[39], "----------");
}

TEST(Report, ACodeOutsideTheCatalogueIsShownAsItself) {
    Figure f;
    AppendProcedure(f, "ZZ9");
    AppendProcedure(f, "NA3M");
    const std::vector<std::string> l = ReportLines(f, "x");
    EXPECT_EQ(l[3], " 1:ZZ9  (ZZ9)");
    EXPECT_EQ(l[4], " 2:NA3M (NA3M)");
}

TEST(Report, EveryFieldOfEveryKindInConvertedForm) {
    Figure f;
    AppendObject(f, kKindNumber);
    f.Numbers[1] = {0.5, kTrue, "∠ABC", 0, "a+b"};
    AppendObject(f, kKindPoint);
    PointRecord& p = f.Points[1];
    p.x = -2.5;
    p.y = 1e-5;
    p.mark = 3;
    p.movable = kTrue;
    p.bindKind = 3;
    p.bindIndex = 1;
    p.param = 0.25;
    p.exists = kTrue;
    p.colour = 4;
    p.name = "点Ｐ";
    AppendObject(f, kKindLine);
    LineRecord& ln = f.Lines[1];
    ln = {0, 1, 2, -3, kTrue, 1, 0.6, -0.8, 2, 5, "AB"};
    AppendObject(f, kKindCircle);
    f.Circles[1] = {2, 1.5, 2.5, 0, 7, 0, "1"};

    const std::vector<std::string> l = ReportLines(f, "f");
    const std::vector<std::string> expected = {
        "幾何的対象の数",
        "数   :  1",
        "点   :  1",
        "直線 :  1",
        "円   :  1",
        "",
        "----------",
        "",
        "名前     : " + PadText("∠ABC", 40),
        "値       :  .5",
        "独立/従属:  0",
        "チェック : -1",
        "数式表示 : " + PadText("a+b", 70),
        "----------",
        "",
        "名前     : 点Ｐ        ",
        "座標     : -2.5, 1E-05",
        "種類     :  3",
        "独立/従属: -1",
        "束縛状態 :  3, 1 .25",
        "チェック : -1",
        "色       :  4",
        "束縛の種類:  3",
        "束縛番号  :  1",
        "パラメータ  :  .25",
        "----------",
        "",
        "名前     : AB        ",
        "( 0, 1) -( 2,-3)",
        "方向     :  .6,-.8",
        "種類     :  1",
        "チェック : -1",
        "色       :  2",
        "軌跡の色  :  5",
        "----------",
        "",
        "名前     : 1         ",
        "中心 ( 2, 1.5), 半径:  2.5",
        "チェック :  0",
        "色       :  7",
        "軌跡の色  :  0",
        "----------",
        "以上",
    };
    ASSERT_EQ(l.size(), 5 + expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(l[5 + i], expected[i]) << "line " << i;
    EXPECT_EQ(CharCount(l[5 + 8]), CharCount("名前     : ") + 40);
}

// A long report goes out in many pieces: names of one- to four-byte characters at full width
// and a file name longer than any piece come out whole and in order.
TEST(Report, ALongReportComesOutWholeAndInOrder) {
    Figure f;
    const std::vector<std::string> chars = {"a", "é", "点", "𝒜", " "};
    std::vector<std::string> names;
    for (int i = 1; i <= 3000; ++i) {
        const int p = AppendObject(f, kKindPoint);
        std::string name;
        for (int k = 0; k < 1 + (i * 7) % 10; ++k) name += chars[static_cast<size_t>(i + k * k) % 4];
        SetName(f, {kKindPoint, static_cast<i16>(p)}, name);
        names.push_back(f.Points[p].name);
    }
    const std::string fileName = "/" + std::string(200000, 'd') + "/図.kvf";
    const std::vector<std::string> l = ReportLines(f, fileName);
    EXPECT_EQ(l[0], "FileName : " + fileName);
    size_t seen = 0;
    for (const std::string& line : l) {
        if (!line.starts_with("名前     : ")) continue;
        ASSERT_LT(seen, names.size());
        EXPECT_EQ(line, "名前     : " + PadText(names[seen], kNameWidth)) << seen;
        ++seen;
    }
    EXPECT_EQ(seen, names.size());
    EXPECT_EQ(l.back(), "以上");
}

}  // namespace
}  // namespace kv
