// Files that must be refused, with the line that is wrong, leaving the current figure as it was.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "io/figure_file.h"
#include "io/figure_lines.h"
#include "io_test_util.h"

namespace kv {
namespace {

// Line indexes (0-based) in the file of TriangleFigure: 7 procedures, 1 number, 4 points,
// 1 line, 1 circle.
constexpr int kInputs = 8;
constexpr int kOutputs = 43;
constexpr int kCounts = 78;
constexpr int kPoints = 91;

using Lines = std::vector<std::string>;

struct Case {
    const char* name;
    std::function<void(Lines&)> edit;
    int line;            // expected line of the error (1-based), 0 for none
    const char* saying;  // part of the description
};

Lines TriangleLines() {
    const std::string text = FigureFileText(TriangleFigure());
    Lines out;
    for (std::string_view l : SplitLines(text)) out.emplace_back(l);
    return out;
}

std::string Join(const Lines& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\r\n";
    return s;
}

Lines TenLines(const char* first) {
    Lines l(10, "0");
    l[0] = first;
    return l;
}

class Malformed : public ::testing::TestWithParam<Case> {};

TEST_P(Malformed, IsRefusedAtItsLineAndTheFigureStaysAsItWas) {
    const Case& c = GetParam();
    Lines lines = TriangleLines();
    c.edit(lines);
    const std::string text = lines.empty() ? std::string() : Join(lines);

    ReadResult r = ReadFigureText(text, "bad.kvf");
    ASSERT_FALSE(r.result.ok());
    EXPECT_FALSE(r.figure.has_value());
    EXPECT_EQ(r.result.status, FileStatus::kFailed);
    EXPECT_EQ(r.result.error.line, c.line) << r.result.error.Describe();
    EXPECT_NE(r.result.error.what.find(c.saying), std::string::npos) << r.result.error.Describe();
    const std::string where = c.line ? "bad.kvf:" + std::to_string(c.line) + ": " : "bad.kvf: ";
    EXPECT_EQ(r.result.error.Describe(), where + r.result.error.what);

    TempDir dir;
    WriteAll(dir.File("bad.kvf"), text);
    Figure current = TriangleFigure();
    current.Points[2].x = 17;
    current.SwapFlag[3] = kTrue;
    const std::string before = FigureFileText(current);
    const int capacity = current.Capacity;
    const LoadResult loaded = LoadFigureFile(dir.File("bad.kvf"), current);
    EXPECT_FALSE(loaded.ok());
    EXPECT_EQ(FigureFileText(current), before);
    EXPECT_EQ(current.Capacity, capacity);
}

const Case kCases[] = {
    {"ProcedureCountNotANumber", [](Lines& l) { l[0] = "seven"; }, 1, "is not a number"},
    {"ProcedureCountOfABillion", [](Lines& l) { l = TenLines("1000000000"); }, 1,
     "not a whole number"},
    {"MoreProceduresThanLines", [](Lines& l) { l = TenLines("30000"); }, 1, "need at least"},
    {"NegativeProcedureCount", [](Lines& l) { l[0] = "-1"; }, 1, "negative"},
    {"ProceduresCutShort", [](Lines& l) { l.resize(30); }, 1, "need at least"},
    {"PointCountPastTheFile", [](Lines& l) { l[kCounts + 1] = "4000"; }, kCounts + 1, "more lines"},
    {"ObjectCountOutOfRange", [](Lines& l) { l[kCounts + 2] = "40000"; }, kCounts + 3,
     "not a whole number"},
    {"NegativeObjectCount", [](Lines& l) { l[kCounts + 3] = "-2"; }, kCounts + 4, "negative"},
    {"RecordsCutShort", [](Lines& l) { l.resize(l.size() - 10); }, kCounts + 1, "more lines"},
    {"InputNamesAMissingPoint", [](Lines& l) { l[kInputs + 15] = "1,9"; }, kInputs + 16,
     "names point 9"},
    {"InputOfKind7", [](Lines& l) { l[kInputs + 15] = "7,1"; }, kInputs + 16, "kind 7"},
    {"EmptySlotOfKind7", [](Lines& l) { l[kInputs + 18] = "7,0"; }, kInputs + 19, "kind 7"},
    {"NegativeIndex", [](Lines& l) { l[kInputs + 16] = "1,-3"; }, kInputs + 17, "names point -3"},
    {"OutputNamesAMissingCircle", [](Lines& l) { l[kOutputs + 20] = "3,2"; }, kOutputs + 21,
     "names circle 2"},
    {"BindingToAMissingLine", [](Lines& l) { l[kPoints + 6] = "2,5"; }, kPoints + 7,
     "names line 5"},
    {"BindingOfKind9", [](Lines& l) { l[kPoints + 6] = "9,0"; }, kPoints + 7, "kind 9"},
    {"UnparsableNumber", [](Lines& l) { l[kPoints] = "0,1.2.3"; }, kPoints + 1, "is not a number"},
    {"InfiniteNumber", [](Lines& l) { l[kPoints] = "1e999,0"; }, kPoints + 1, "is not a number"},
    {"FractionWhereAWholeNumberBelongs", [](Lines& l) { l[kPoints + 1] = "7.5"; }, kPoints + 2,
     "not a whole number"},
    {"UnterminatedQuote", [](Lines& l) { l[kPoints + 8] = "\"A"; }, kPoints + 9, "closing quote"},
    {"TextAfterTheClosingQuote", [](Lines& l) { l[1] = "\"PNEW\"x"; }, 2, "after a quoted text"},
    {"StrayQuote", [](Lines& l) { l[kPoints + 2] = "0\"0"; }, kPoints + 3, "stray double quote"},
    {"MissingValue", [](Lines& l) { l[kPoints] = "0"; }, kPoints + 1, "expected 2 values"},
    {"QuotedNumber", [](Lines& l) { l[kPoints + 3] = "\"-1\""; }, kPoints + 4, "quoted text"},
    {"BlankLineInTheRecords", [](Lines& l) { l[kPoints + 4] = ""; }, kPoints + 5,
     "expected 1 value"},
    {"EmptyFile", [](Lines& l) { l.clear(); }, 0, "empty"},
    {"NeitherUtf8NorShiftJis", [](Lines& l) { l[kPoints + 8] = "\"\xFF\xFF\""; }, 0,
     "neither UTF-8 nor Shift-JIS"},
};

INSTANTIATE_TEST_SUITE_P(Files, Malformed, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Malformed, AMissingFileIsNotFoundAndChangesNothing) {
    TempDir dir;
    Figure current = TriangleFigure();
    const std::string before = FigureFileText(current);
    const LoadResult r = LoadFigureFile(dir.File("missing.kvf"), current);
    EXPECT_EQ(r.status, FileStatus::kNotFound);
    EXPECT_EQ(FigureFileText(current), before);
    EXPECT_EQ(LoadFigureFile(dir.File("no-folder/x.kvf"), current).status, FileStatus::kNotFound);
    EXPECT_EQ(LoadFigureFile(dir.path().string(), current).status, FileStatus::kFailed);
}

// Only plain files are read: a named pipe would keep the reader waiting for a writer that never
// comes, a device may never end. Each is refused at once with a message.
TEST(Malformed, APipeADeviceOrAFolderIsRefusedWithoutWaiting) {
    TempDir dir;
    const std::string pipe = dir.File("pipe.kvf");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, std::string("/dev/null"), dir.path().string()}) {
        SCOPED_TRACE(path);
        Figure current = TriangleFigure();
        auto load = std::async(std::launch::async, [&] { return LoadFigureFile(path, current); });
        if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            // Release the reader that waits on the pipe, so that the test ends.
            const int fd = ::open(pipe.c_str(), O_WRONLY);
            ::close(fd);
            load.wait();
            ADD_FAILURE() << "the reader waited for the pipe";
            continue;
        }
        const LoadResult r = load.get();
        EXPECT_EQ(r.status, FileStatus::kFailed);
        EXPECT_FALSE(r.error.what.empty());
        EXPECT_EQ(FigureFileText(current), FigureFileText(TriangleFigure()));
    }
}

TEST(Malformed, OversizedFilesAreRefusedBeforeTheyAreSplitUp) {
    ReadResult lines = ReadFigureText(std::string(kMaxFigureFileLines + 1, '\n'), "lines.kvf");
    EXPECT_NE(lines.result.error.what.find("too many lines"), std::string::npos);
    ReadResult bytes = ReadFigureText(std::string(kMaxFigureFileBytes + 1, ' '), "big.kvf");
    EXPECT_NE(bytes.result.error.what.find("too large"), std::string::npos);
}

TEST(Malformed, TheMessageQuotesAWrongValueShortAndOnOneLine) {
    // A file may hold anything where a number belongs: the message is for a terminal or a
    // message box and must neither run on for a megabyte nor carry escape sequences.
    Lines lines = TriangleLines();
    lines[kPoints + 1] = "\x1b[31m\x7f\xc2\x9b" + std::string(1000000, '9');
    const ReadResult r = ReadFigureText(Join(lines), "bad.kvf");
    ASSERT_FALSE(r.result.ok());
    const std::string& what = r.result.error.what;
    EXPECT_LT(what.size(), 120u) << what;
    EXPECT_EQ(what.find_first_of("\x1b\x7f\r\n"), std::string::npos) << what;
    EXPECT_EQ(what.find("\xc2\x9b"), std::string::npos) << what;
    EXPECT_TRUE(what.starts_with("\" [31m  9999")) << what;
    EXPECT_NE(what.find("9...\" is not a number (the colour of point 1)"), std::string::npos)
        << what;
}

TEST(Malformed, StoredRegressionFilesAreRefused) {
    for (const auto& entry : std::filesystem::directory_iterator(DataFile("bad"))) {
        ReadResult r = ReadFigureFile(entry.path().string());
        EXPECT_FALSE(r.result.ok()) << entry.path();
        EXPECT_FALSE(r.result.error.what.empty()) << entry.path();
    }
}

}  // namespace
}  // namespace kv
