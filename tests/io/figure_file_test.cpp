#include "io/figure_file.h"

#include <gtest/gtest.h>

#include <random>

#include <cmath>
#include <limits>
#include <vector>

#include "io/figure_lines.h"
#include "io_test_util.h"
#include "model/catalogue.h"
#include "model/text.h"

namespace kv {
namespace {

const std::vector<double> kAwkward = {0.1,
                                      1.0 / 3,
                                      -1e-300,
                                      1e300,
                                      -0.0,
                                      5e-324,
                                      2.0 / 3,
                                      -123456789.0123456789,
                                      9007199254740993.0,
                                      std::numeric_limits<double>::max(),
                                      -std::numeric_limits<double>::min(),
                                      3.14159265358979,
                                      1e-5,
                                      -2.5,
                                      0.0};

double Awkward(int k) {
    return kAwkward[static_cast<size_t>(k) % kAwkward.size()];
}

// Every field of every kind set to a value of its own, every catalogue code in the list, slot
// kinds of an unfinished row, and swapped solution orders.
Figure EveryFieldFigure() {
    Figure f;
    const std::vector<std::string> names = {"A", "点Ｐ", "a\"b", "x,y", "円心", "ZZZZZZZZZZ"};
    const int n = 6;
    int k = 0;
    for (int i = 1; i <= n; ++i) {
        AppendObject(f, kKindNumber);
        NumberRecord& r = f.Numbers[i];
        r.value = Awkward(k++);
        r.exists = static_cast<i16>(i % 3 == 0 ? 0 : -i);
        r.name = i == 2 ? "距離(A, 円1)" : "n" + std::to_string(i);
        r.isVariable = static_cast<i16>(i % 2 ? -1 : 7);
        r.formula = i == 3 ? "n1+n2*\"q\"" : (i == 4 ? "" : "n1/n" + std::to_string(i));
    }
    for (int i = 1; i <= n; ++i) {
        AppendObject(f, kKindPoint);
        PointRecord& r = f.Points[i];
        r.x = Awkward(k++);
        r.y = Awkward(k++);
        r.colour = static_cast<i16>(i % 8);
        r.locusColour = static_cast<i16>((i + 3) % 8);
        r.exists = static_cast<i16>(i % 2 ? -1 : 0);
        r.mark = static_cast<i16>(i == 6 ? 12 : i - 1);
        r.movable = static_cast<i16>(i % 3 - 1);
        r.bindKind = static_cast<i16>(i % 4);
        r.bindIndex = static_cast<i16>(i % 4 == 0 ? 0 : (i % n) + 1);
        r.param = Awkward(k++);
        r.name = names[static_cast<size_t>(i - 1)];
    }
    for (int i = 1; i <= n; ++i) {
        AppendObject(f, kKindLine);
        LineRecord& r = f.Lines[i];
        r.x1 = Awkward(k++);
        r.y1 = Awkward(k++);
        r.x2 = Awkward(k++);
        r.y2 = Awkward(k++);
        r.exists = static_cast<i16>(i % 2 ? -1 : 2);
        r.form = static_cast<i16>(i % 4);
        r.dx = Awkward(k++);
        r.dy = Awkward(k++);
        r.colour = static_cast<i16>(i);
        r.locusColour = static_cast<i16>(7 - i);
        r.name = "L" + std::to_string(i);
    }
    for (int i = 1; i <= n; ++i) {
        AppendObject(f, kKindCircle);
        CircleRecord& r = f.Circles[i];
        r.cx = Awkward(k++);
        r.cy = Awkward(k++);
        r.r = Awkward(k++);
        r.exists = static_cast<i16>(i % 2 ? 0 : -1);
        r.colour = static_cast<i16>(i + 1);
        r.locusColour = static_cast<i16>(i - 1);
        r.name = "円" + std::to_string(i);
    }
    // One procedure per catalogue code, its slots referring to objects of the catalogue kinds.
    int turn = 0;
    for (const CodeInfo& c : CodeCatalogue()) {
        const int p = AppendProcedure(f, c.code);
        for (size_t j = 0; j < c.inputs.size(); ++j)
            f.ProcInput[p][j + 1] = {KindOfLetter(c.inputs[j]), static_cast<i16>(1 + turn++ % n)};
        for (size_t j = 0; j < c.outputs.size(); ++j)
            f.ProcOutput[p][j + 1] = {KindOfLetter(c.outputs[j]), static_cast<i16>(1 + turn++ % n)};
        if (c.outputs.size() == 2) f.SwapFlag[p] = kTrue;
    }
    // The head row of an n-division as it stands in the list, with its macro marker, and a row
    // still waiting for a number.
    const int head = AppendProcedure(f, "PNEQ");
    f.ProcInput[head][1] = {kKindPoint, 1};
    f.ProcInput[head][2] = {kKindPoint, 2};
    f.ProcInput[head][3] = {kKindNumber, 3};
    f.ProcInput[head][4] = {kSlotMacroStep, 0};
    const int open = AppendProcedure(f, "C1");
    f.ProcInput[open][1] = {kKindPoint, 0};
    f.ProcInput[open][2] = {kSlotChosenNumber, 0};
    f.ProcOutput[open][1] = {kKindCircle, 0};
    AppendProcedure(f, "");
    return f;
}

void ExpectSameFigure(const Figure& a, const Figure& b) {
    ASSERT_EQ(a.ProcedureCount, b.ProcedureCount);
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(a.ObjectCount[k], b.ObjectCount[k]) << "kind " << k;
    for (int i = 1; i <= a.ProcedureCount; ++i) {
        SCOPED_TRACE("procedure " + std::to_string(i));
        EXPECT_EQ(a.ProcCode[i], b.ProcCode[i]);
        EXPECT_EQ(a.ProcInput[i], b.ProcInput[i]);
        EXPECT_EQ(a.ProcOutput[i], b.ProcOutput[i]);
        EXPECT_EQ(a.SwapFlag[i] != 0, b.SwapFlag[i] != 0);
    }
    for (int i = 1; i <= a.ObjectCount[0]; ++i) {
        SCOPED_TRACE("number " + std::to_string(i));
        const NumberRecord &x = a.Numbers[i], &y = b.Numbers[i];
        EXPECT_TRUE(SameBits(x.value, y.value)) << x.value << " " << y.value;
        EXPECT_EQ(x.exists, y.exists);
        EXPECT_EQ(x.name, y.name);
        EXPECT_EQ(x.isVariable, y.isVariable);
        EXPECT_EQ(x.formula, y.formula);
    }
    for (int i = 1; i <= a.ObjectCount[1]; ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        const PointRecord &x = a.Points[i], &y = b.Points[i];
        EXPECT_TRUE(SameBits(x.x, y.x) && SameBits(x.y, y.y) && SameBits(x.param, y.param));
        EXPECT_EQ(x.colour, y.colour);
        EXPECT_EQ(x.locusColour, y.locusColour);
        EXPECT_EQ(x.exists, y.exists);
        EXPECT_EQ(x.mark, y.mark);
        EXPECT_EQ(x.movable, y.movable);
        EXPECT_EQ(x.bindKind, y.bindKind);
        EXPECT_EQ(x.bindIndex, y.bindIndex);
        EXPECT_EQ(x.name, y.name);
    }
    for (int i = 1; i <= a.ObjectCount[2]; ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        const LineRecord &x = a.Lines[i], &y = b.Lines[i];
        EXPECT_TRUE(SameBits(x.x1, y.x1) && SameBits(x.y1, y.y1) && SameBits(x.x2, y.x2) &&
                    SameBits(x.y2, y.y2) && SameBits(x.dx, y.dx) && SameBits(x.dy, y.dy));
        EXPECT_EQ(x.exists, y.exists);
        EXPECT_EQ(x.form, y.form);
        EXPECT_EQ(x.colour, y.colour);
        EXPECT_EQ(x.locusColour, y.locusColour);
        EXPECT_EQ(x.name, y.name);
    }
    for (int i = 1; i <= a.ObjectCount[3]; ++i) {
        SCOPED_TRACE("circle " + std::to_string(i));
        const CircleRecord &x = a.Circles[i], &y = b.Circles[i];
        EXPECT_TRUE(SameBits(x.cx, y.cx) && SameBits(x.cy, y.cy) && SameBits(x.r, y.r));
        EXPECT_EQ(x.exists, y.exists);
        EXPECT_EQ(x.colour, y.colour);
        EXPECT_EQ(x.locusColour, y.locusColour);
        EXPECT_EQ(x.name, y.name);
    }
}

Figure ReadOk(std::string_view text, int expectRevision = 1) {
    ReadResult r = ReadFigureText(text, "test.kvf");
    EXPECT_TRUE(r.result.ok()) << r.result.error.Describe();
    EXPECT_EQ(r.result.revision, expectRevision);
    return r.figure ? std::move(*r.figure) : Figure();
}

std::vector<std::string> LinesOf(std::string_view text) {
    std::vector<std::string> out;
    for (std::string_view l : SplitLines(text)) out.emplace_back(l);
    return out;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

// Lines found as they are asked for, in any order and with every line-end style, are the
// lines of the whole split.
TEST(FigureFile, LinesAskedForInAnyOrderAreTheSplitLines) {
    std::vector<std::string> texts = {"a\r\nbb\r\n\r\nccc", "a\nbb\n\nccc\n", "a\rbb\r\rccc\r",
                                      "x", "\n"};
    // Long texts of lines from empty to longer than the stretches looked at in one step, each
    // asked for in order, by jumps ahead, again, and back.
    std::mt19937 rng(5);
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string text;
        for (int n = 0; n < 300; ++n) text += std::string(rng() % 45, 'a' + n % 26) + end;
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const std::vector<std::string_view> split = SplitLines(text);
        const TextLines lines(text);
        ASSERT_EQ(lines.size(), split.size()) << text;
        std::vector<size_t> asked = {0, split.size() - 1, 1, 0, split.size() / 2};
        for (size_t i = 0; i < split.size(); i += 1 + rng() % 20) {
            asked.push_back(i);
            if (rng() % 4 == 0) asked.push_back(i);
        }
        for (size_t i : asked) {
            if (i < split.size()) {
                ASSERT_EQ(lines[i], split[i]) << text << " line " << i;
            }
        }
    }
}

TEST(FigureFile, EveryFieldAndEveryCodeSurvivesWriteAndRead) {
    const Figure f = EveryFieldFigure();
    const std::string text = FigureFileText(f);
    const Figure back = ReadOk(text);
    ExpectSameFigure(f, back);
    EXPECT_EQ(FigureFileText(back), text);
}

TEST(FigureFile, ThroughTheDiskToo) {
    TempDir dir;
    const Figure f = EveryFieldFigure();
    ASSERT_TRUE(WriteFigureFile(dir.File("all.kvf"), f).ok());
    ReadResult r = ReadFigureFile(dir.File("all.kvf"));
    ASSERT_TRUE(r.result.ok()) << r.result.error.Describe();
    ExpectSameFigure(f, *r.figure);
}

TEST(FigureFile, LayoutOfAnEmptyFigureIsTheCountAndElevenZeros) {
    Figure f;
    const std::string text = FigureFileText(f);
    EXPECT_EQ(text, "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    const Figure back = ReadOk(text);
    EXPECT_EQ(back.ProcedureCount, 0);
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(back.ObjectCount[k], 0);
}

TEST(FigureFile, LinesAreWrittenInTheFixedOrder) {
    const std::vector<std::string> lines = LinesOf(FigureFileText(TriangleFigure()));
    ASSERT_EQ(lines.size(), 1u + 7 + 35 + 35 + 11 + 2 + 4 * 9 + 8 + 6);
    EXPECT_EQ(lines[0], "7");
    EXPECT_EQ(lines[1], "\"PNEW\"");
    EXPECT_EQ(lines[4], "\"P1\"");
    EXPECT_EQ(lines[8 + 15], "1,1");       // procedure 4, input 1
    EXPECT_EQ(lines[8 + 35 + 15], "1,4");  // procedure 4, output 1
    EXPECT_EQ(lines[78], "1");             // one number
    EXPECT_EQ(lines[79], "4");             // four points
    EXPECT_EQ(lines[89], "0,0,\"@\"");     // value, exists, name@formula
    EXPECT_EQ(lines[90], "0");             // isVariable
    EXPECT_EQ(lines[91 + 9], "4,0");       // point B
    EXPECT_EQ(lines[91 + 9 + 1], "7");     // colour
    EXPECT_EQ(lines[91 + 9 + 5], "-1");    // movable
    EXPECT_EQ(lines[91 + 9 + 6], "0,0");   // binding
    EXPECT_EQ(lines[91 + 9 + 7], "0");     // param
    EXPECT_EQ(lines[91 + 9 + 8], "\"B\"");
    EXPECT_EQ(lines.back(), "\"1\"");  // the circle's name
}

TEST(FigureFile, TablesGrowForFilesLargerThanTheStartCapacity) {
    Figure f;
    for (int i = 0; i < 100; ++i) AddFreePoint(f, i, -i);
    ASSERT_GE(f.ProcedureCount, 100);
    ReadResult r = ReadFigureText(FigureFileText(f), "big.kvf", kStartCapacity);
    ASSERT_TRUE(r.result.ok()) << r.result.error.Describe();
    EXPECT_GE(r.figure->Capacity, 100);
    EXPECT_EQ(r.figure->ObjectCount[1], 100);
    EXPECT_EQ(r.figure->Points[100].x, 99);
    EXPECT_EQ(r.figure->Points[100].name, "100");
    EXPECT_EQ(r.figure->ProcOutput[100][1], (ObjectRef{kKindPoint, 100}));
}

TEST(FigureFile, TheOlderLayoutWithoutIsVariableLinesIsReadOnTheSecondAttempt) {
    Figure f = EveryFieldFigure();
    std::vector<std::string> lines = LinesOf(FigureFileText(f));
    // The number records start after the procedures and the eleven counts.
    const size_t first = 1 + 11 * static_cast<size_t>(f.ProcedureCount) + 11;
    for (int i = f.ObjectCount[0]; i >= 1; --i)
        lines.erase(lines.begin() + static_cast<long>(first + 2 * (i - 1) + 1));
    const Figure back = ReadOk(JoinLines(lines), 0);
    for (int i = 1; i <= f.ObjectCount[0]; ++i) {
        EXPECT_EQ(back.Numbers[i].isVariable, 0);
        f.Numbers[i].isVariable = 0;
    }
    ExpectSameFigure(f, back);
}

TEST(FigureFile, AnErrorInTheOlderLayoutIsReportedWhereItStands) {
    Figure f = TriangleFigure();
    std::vector<std::string> lines = LinesOf(FigureFileText(f));
    lines.erase(lines.begin() + 90);  // the one isVariable line: now the older layout
    lines[91 + 9 - 1] = "4,zero";     // point B's position (one line earlier than before)
    ReadResult r = ReadFigureText(JoinLines(lines), "old.kvf");
    ASSERT_FALSE(r.result.ok());
    EXPECT_EQ(r.result.error.line, 91 + 9);
    EXPECT_NE(r.result.error.what.find("point 2"), std::string::npos) << r.result.error.what;
}

TEST(FigureFile, NamesAndFormulasAreCutToTheirWidthInCharacters) {
    Figure f = TriangleFigure();
    f.Points[1].name = "@P@";
    f.Numbers[1].name = "@N@";
    f.Numbers[1].formula = "@F@";
    f.Lines[1].name = "@L@";
    std::string text = FigureFileText(f);
    auto put = [&text](std::string_view mark, std::string_view with) {
        text.replace(text.find(mark), mark.size(), with);
    };
    put("@P@", "あいうえおかきくけこさしす");
    put("@N@", std::string(38, 'n') + "数値の名");
    put("@F@", "  " + std::string(69, 'f') + "xyz");
    put("@L@", "ABCDEFGHIJKLMNOP");
    const Figure back = ReadOk(text);
    EXPECT_EQ(back.Points[1].name, "あいうえおかきくけこ");
    EXPECT_EQ(CharCount(back.Points[1].name), 10);
    EXPECT_EQ(back.Numbers[1].name, std::string(38, 'n') + "数値");
    EXPECT_EQ(back.Numbers[1].formula, std::string(69, 'f') + "x");
    EXPECT_EQ(back.Lines[1].name, "ABCDEFGHIJ");
}

TEST(FigureFile, ABlankFormulaEndsTheTextWithTheAtSign) {
    Figure f = TriangleFigure();
    f.Numbers[1].name = "AB";
    f.Numbers[1].formula = "";
    const std::string text = FigureFileText(f);
    EXPECT_NE(text.find(",\"AB@\"\r\n"), std::string::npos);
    const Figure back = ReadOk(text);
    EXPECT_EQ(back.Numbers[1].name, "AB");
    EXPECT_EQ(back.Numbers[1].formula, "");
}

TEST(FigureFile, NumberTextIsSplitAtTheLastAtSign) {
    std::string text = FigureFileText(TriangleFigure());
    const std::string plain = ",\"@\"\r\n";
    struct Row {
        const char* stored;
        const char* name;
        const char* formula;
    } rows[] = {
        {"\"abc\"", "abc", ""},  {"\"s@a+b@c\"", "s@a+b", "c"},  {"\"P@Q@#1*2\"", "P@Q", "#1*2"},
        {"\"@x*2\"", "", "x*2"}, {"\"  left@ f\"", "left", "f"},
    };
    for (const Row& row : rows) {
        std::string t = text;
        t.replace(t.find(plain), plain.size(), std::string(",") + row.stored + "\r\n");
        const Figure back = ReadOk(t);
        EXPECT_EQ(back.Numbers[1].name, row.name) << row.stored;
        EXPECT_EQ(back.Numbers[1].formula, row.formula) << row.stored;
    }
}

TEST(FigureFile, ControlCharactersInTextsBecomeBlanks) {
    // Written: a line end inside a name must not split its line, or the file cannot be read.
    Figure f = TriangleFigure();
    f.Points[1].name = "A\r\nB";
    f.Numbers[1].name = "d\x1b";
    f.Numbers[1].formula = "x\ty";
    const std::string text = FigureFileText(f);
    EXPECT_EQ(LinesOf(text).size(), LinesOf(FigureFileText(TriangleFigure())).size());
    const Figure back = ReadOk(text);
    EXPECT_EQ(back.Points[1].name, "A  B");
    EXPECT_EQ(back.Numbers[1].name, "d");
    EXPECT_EQ(back.Numbers[1].formula, "x y");

    // Read: what a file holds is shown on screen and printed by --report.
    std::string stored = FigureFileText(TriangleFigure());
    stored.replace(stored.find("\"B\""), 3,
                   "\"\x1b]0;x\x07\xc2\x9b"
                   "B\x7f\"");
    stored.replace(stored.find("\"P1\""), 4, "\"P1\t\"");
    const Figure read = ReadOk(stored);
    EXPECT_EQ(read.Points[2].name, "]0;x  B");
    EXPECT_EQ(read.ProcCode[4], "P1");
}

TEST(FigureFile, SwapLinesRestoreSwapFlag) {
    Figure f = TriangleFigure();
    f.SwapFlag[4] = kTrue;
    f.SwapFlag[6] = kTrue;
    std::string text = FigureFileText(f);
    EXPECT_TRUE(text.ends_with("\"REV=\",4\r\n\"REV=\",6\r\n"));
    // Other spellings the reader accepts, numbers outside the list and unrelated lines.
    text +=
        " \"rev= \" , 2 \r\nRev=3\r\n\"REV=\",99\r\n\"REV=\",0\r\nsomething "
        "else\r\n\"XREV=\",5\r\n";
    const Figure back = ReadOk(text);
    for (int i = 1; i <= back.ProcedureCount; ++i)
        EXPECT_EQ(back.SwapFlag[i] != 0, i == 2 || i == 3 || i == 4 || i == 6) << i;
}

TEST(FigureFile, UsualNumberSpellingsBlanksAndLineEndsAreRead) {
    std::vector<std::string> lines = LinesOf(FigureFileText(TriangleFigure()));
    lines[91 + 9] = " .5 , -.25 ";  // point B
    lines[91 + 9 + 7] = "1E-05";    // its parameter
    lines[91 + 9 + 5] = " -1";      // movable
    lines[91 + 9 + 8] = "  \"B\"  ";
    std::string lf;
    for (const std::string& l : lines) lf += l + "\n";
    const Figure back = ReadOk(lf);
    EXPECT_EQ(back.Points[2].x, 0.5);
    EXPECT_EQ(back.Points[2].y, -0.25);
    EXPECT_EQ(back.Points[2].param, 1e-5);
    EXPECT_EQ(back.Points[2].movable, -1);
    EXPECT_EQ(back.Points[2].name, "B");
}

// A slot line reads the same in every spelling of its two numbers, and is refused alike in
// the spellings that are not two numbers.
TEST(FigureFile, SlotLinesReadAlikeInEverySpelling) {
    const std::vector<std::string> lines = LinesOf(FigureFileText(TriangleFigure()));
    const size_t slot = 1 + static_cast<size_t>(std::stoi(lines[0]));  // procedure 1, input 1
    const Figure plain = ReadOk(FigureFileText(TriangleFigure()));
    const ObjectRef want = plain.ProcInput[1][1];
    const std::string k = std::to_string(want.kind), i = std::to_string(want.index);
    const auto read = [&](const std::string& spelling) {
        std::vector<std::string> changed = lines;
        changed[slot] = spelling;
        std::string text;
        for (const std::string& l : changed) text += l + "\r\n";
        return ReadFigureText(text, "slots.kvf");
    };
    for (const std::string& ok : {" " + k + " , " + i + " ", "\t" + k + ",\t" + i, "+" + k + "," + i,
                                  k + ".0," + i, "000000" + k + "," + i, "-0," + i}) {
        const ReadResult r = read(ok);
        ASSERT_TRUE(r.result.ok()) << ok << ": " << r.result.error.Describe();
        EXPECT_EQ(r.figure->ProcInput[1][1].index, want.index) << ok;
        EXPECT_EQ(r.figure->ProcInput[1][1].kind, ok.starts_with("-0") ? 0 : want.kind) << ok;
    }
    for (const std::string& bad : {k + "," + i + ",", k + ";" + i, k + ",", "," + i,
                                   k + "," + i + " x", k + ",99999"}) {
        const ReadResult r = read(bad);
        EXPECT_FALSE(r.result.ok()) << bad;
        EXPECT_EQ(r.result.error.line, static_cast<int>(slot) + 1) << bad;
    }
}

TEST(FigureFile, ShiftJisFilesAreReadWithTheirJapaneseNames) {
    // "点Ａ" and "円" in Shift-JIS; a UTF-8 byte-order mark is accepted too.
    std::string text = FigureFileText(TriangleFigure());
    text.replace(text.find("\"A\""), 3, "\"\x93\x5F\x82\x60\"");
    text.replace(text.rfind("\"1\""), 3, "\"\x89\x7E\"");
    const Figure back = ReadOk(text);
    EXPECT_EQ(back.Points[1].name, "点Ａ");
    EXPECT_EQ(back.Circles[1].name, "円");

    ReadResult stored = ReadFigureFile(DataFile("sjis-point.kvf"));
    ASSERT_TRUE(stored.result.ok()) << stored.result.error.Describe();
    EXPECT_EQ(stored.figure->Points[1].name, "点Ａ");

    const Figure bom = ReadOk("\xEF\xBB\xBF" + FigureFileText(TriangleFigure()));
    EXPECT_EQ(bom.ObjectCount[1], 4);
}

TEST(FigureFile, TheSeedFilesAreValid) {
    for (const char* name : {"empty.kvf", "triangle.kvf", "rev0-numbers.kvf", "sjis-point.kvf",
                             "every-code.kvf", "tied-points.kvf"}) {
        ReadResult r = ReadFigureFile(DataFile(name));
        EXPECT_TRUE(r.result.ok()) << r.result.error.Describe();
    }
}

}  // namespace
}  // namespace kv
