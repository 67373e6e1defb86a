#include "cli/report_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace kv {
namespace {

std::string Data(const char* name) {
    return std::string(KORVINTH_TEST_DATA) + "/" + name;
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Report(const std::string& file) {
    std::ostringstream out, err;
    const int status = RunReportCommand(file, out, err);
    return {status, out.str(), err.str()};
}

TEST(ReportCommand, RecomputesTheFigureAndReportsItsValues) {
    // The file stores the computed objects at the origin; the report shows them recomputed:
    // the circumcentre of (0,0), (4,0), (0,3) is (2, 1.5), the circle through A has radius 2.5,
    // and the distance AB is 4.
    const std::string file = Data("triangle.kvf");
    const Outcome r = Report(file);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_TRUE(r.out.starts_with("FileName : " + file + "\r\n"));
    EXPECT_TRUE(r.out.ends_with("以上\r\n"));
    EXPECT_NE(r.out.find("座標     :  2, 1.5\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("中心 ( 2, 1.5), 半径:  2.5\r\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("名前     : AB      "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("値       :  4\r\n"), std::string::npos) << r.out;
}

TEST(ReportCommand, ABadFileGivesOneLineOnStandardErrorAndStatus2) {
    struct Row {
        const char* file;
        const char* saying;
    } rows[] = {
        {"bad/kind-7.kvf", "kind-7.kvf:24: input 1 of procedure 4 has kind 7"},
        {"no-such-file.kvf", "no-such-file.kvf: no such file"},
    };
    for (const Row& row : rows) {
        const Outcome r = Report(Data(row.file));
        EXPECT_EQ(r.status, 2) << row.file;
        EXPECT_TRUE(r.out.empty()) << row.file;
        EXPECT_NE(r.err.find(row.saying), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

TEST(ReportCommand, AReportThatCannotBeWrittenIsNotASuccess) {
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunReportCommand(Data("triangle.kvf"), out, err), 1);
    EXPECT_NE(err.str().find("could not be written"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace kv
