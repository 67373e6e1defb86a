#include "model/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kv {
namespace {

TEST(ConvertedNumber, SignPositionAndNoLeadingZero) {
    EXPECT_EQ(ConvertedNumber(3.0), " 3");
    EXPECT_EQ(ConvertedNumber(0.0), " 0");
    EXPECT_EQ(ConvertedNumber(-0.0), " 0");
    EXPECT_EQ(ConvertedNumber(-2.0), "-2");
    EXPECT_EQ(ConvertedNumber(0.5), " .5");
    EXPECT_EQ(ConvertedNumber(-0.25), "-.25");
    EXPECT_EQ(ConvertedNumber(2.5), " 2.5");
    EXPECT_EQ(ConvertedNumber(6.28318530717958), " 6.28318530717958");
    EXPECT_EQ(ConvertedNumber(1.0 / 3), " .333333333333333");
    EXPECT_EQ(ConvertedNumber(123456789012345.0), " 123456789012345");
    EXPECT_EQ(ConvertedNumber(static_cast<long long>(-7)), "-7");
    EXPECT_EQ(ConvertedNumber(static_cast<long long>(12)), " 12");
}

TEST(ConvertedNumber, ExponentFormAtTheExtremes) {
    EXPECT_EQ(ConvertedNumber(1e15), " 1E+15");
    EXPECT_EQ(ConvertedNumber(1.5e-5), " 1.5E-05");
    EXPECT_EQ(ConvertedNumber(-2e-7), "-2E-07");
    EXPECT_EQ(ConvertedNumber(0.0001), " .0001");
}

// The converted form is "%.15G" with the sign position and without a zero before the point;
// most values are rounded in whole numbers of the program's own, so every kind of value near
// a rounding boundary (ties and carries among them) is checked against the C library's
// printing.
TEST(ConvertedNumber, RoundsAsPrintfDoes) {
    const auto printed = [](double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15G", v == 0 ? 0.0 : v);
        std::string s = buf;
        if (s[0] != '-') s.insert(0, " ");
        if (s.size() >= 3 && s[1] == '0' && s[2] == '.') s.erase(1, 1);
        return s;
    };
    std::vector<double> values = {999999999999999.5, 99999999999999.95, 9.999999999999995,
                                  999999999999999.4, 0.000099999999999999995, 1e15 - 1,
                                  1e-5, 123456789012345.6, 0.1, 1.0 / 3,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min()};
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<int> ex(-30, 30), digit(0, 9), length(14, 17);
    std::uniform_real_distribution<double> mant(-1, 1);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::ldexp(mant(rng), ex(rng)));
        values.push_back(std::bit_cast<double>(rng()));
        // Decimal texts of 14 to 17 digits, many ending in 5 or 9s: boundaries and carries.
        std::string text = "0.";
        const int n = length(rng);
        for (int k = 0; k < n; ++k) text += static_cast<char>('0' + (k + 1 == n ? 5 : digit(rng)));
        if (i % 3 == 0) text.replace(2, 6, "999999");
        values.push_back(std::strtod(text.c_str(), nullptr) * std::pow(10.0, ex(rng) / 2));
    }
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        ASSERT_EQ(ConvertedNumber(v), printed(v)) << std::hexfloat << v;
        ASSERT_EQ(ConvertedNumber(-v), printed(-v)) << std::hexfloat << -v;
    }
}

TEST(RoundTripNumber, ReadsBackBitForBit) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mant(-1, 1);
    std::uniform_int_distribution<int> ex(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const double v = std::ldexp(mant(rng), ex(rng));
        const auto back = ParseNumber(RoundTripNumber(v));
        ASSERT_TRUE(back.has_value()) << RoundTripNumber(v);
        EXPECT_EQ(*back, v) << RoundTripNumber(v);
    }
    EXPECT_EQ(RoundTripNumber(0.1), "0.1");
    EXPECT_EQ(RoundTripNumber(-2.0), "-2");
    EXPECT_EQ(*ParseNumber(RoundTripNumber(std::numeric_limits<double>::denorm_min())),
              std::numeric_limits<double>::denorm_min());
}

TEST(ParseNumber, AcceptsUsualSpellingsAndRefusesTheRest) {
    EXPECT_EQ(*ParseNumber("-2"), -2);
    EXPECT_EQ(*ParseNumber("0.5"), 0.5);
    EXPECT_EQ(*ParseNumber(".5"), 0.5);
    EXPECT_EQ(*ParseNumber("-.5"), -0.5);
    EXPECT_EQ(*ParseNumber("1E-05"), 1e-5);
    EXPECT_EQ(*ParseNumber(" 1.5E+20 "), 1.5e20);
    EXPECT_FALSE(ParseNumber(""));
    EXPECT_FALSE(ParseNumber("abc"));
    EXPECT_FALSE(ParseNumber("0x10"));
    EXPECT_FALSE(ParseNumber("inf"));
    EXPECT_FALSE(ParseNumber("nan"));
    EXPECT_FALSE(ParseNumber("1e999"));
    EXPECT_FALSE(ParseNumber("1 2"));
    EXPECT_FALSE(ParseNumber("."));
}

// Whatever the spelling (stored, converted, long, signed, underflowing), a number reads as the
// C library reads it whole.
TEST(ParseNumber, ReadsAsTheCLibraryDoes) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-1, 1);
    std::uniform_int_distribution<int> ex(-1080, 1030);
    const char* formats[] = {"%.15G", "%.17g", "%.3e", "%+.6f", "%.25g"};
    std::vector<std::string> texts = {"1e-400", "-4.9e-324", "2.4703282292062328e-324", "+.5",
                                      "0.1000000000000000055511151231257827", "1e308", "1.8e308",
                                      "+-1", "1e", "--1", "1.2.3", "00012", "-0"};
    for (int i = 0; i < 3000; ++i) {
        char buf[400];
        std::snprintf(buf, sizeof buf, formats[i % std::size(formats)], std::ldexp(mant(rng), ex(rng)));
        texts.push_back(buf);
        texts.push_back(ConvertedNumber(std::ldexp(mant(rng), ex(rng) / 4)));
    }
    for (const std::string& t : texts) {
        const std::string trimmed = t.substr(t.find_first_not_of(' '));
        char* end = nullptr;
        const double want = std::strtod(trimmed.c_str(), &end);
        const auto got = ParseNumber(t);
        if (*end != 0 || !std::isfinite(want)) {
            EXPECT_FALSE(got.has_value()) << t;
        } else {
            ASSERT_TRUE(got.has_value()) << t;
            EXPECT_EQ(std::signbit(*got), std::signbit(want)) << t;
            EXPECT_EQ(*got, want) << t;
        }
    }
}

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
    EXPECT_EQ(LeadingNumber("4abc"), 4);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("  8.5"), 8.5);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("12px"), 12);
    EXPECT_EQ(LeadingNumber("2e"), 2);
    EXPECT_EQ(LeadingNumber("1.5e+3x"), 1500);
    EXPECT_EQ(LeadingNumber("+5 apples"), 5);
    EXPECT_EQ(LeadingNumber("--5"), 0);
    EXPECT_EQ(LeadingNumber(".e5"), 0);
    // A prefix that overflows gives way to the longest one that does not.
    EXPECT_EQ(LeadingNumber("1e999"), 1e99);
    // At most 64 characters are read.
    EXPECT_EQ(LeadingNumber("1" + std::string(70, '0')), 1e63);
}

// The application object installs the user's locale for the C library. Under a locale with a
// decimal comma the numbers of files, formulas and the number list must still use ".".
// A locale of that kind is compiled for the test, as build machines rarely have one installed.
TEST(NumberText, IndependentOfADecimalCommaLocale) {
    const std::string dir = testing::TempDir() + "korvinth_comma_locale";
    const std::string source = dir + "/comma.src";
    std::filesystem::create_directories(dir);
    std::ofstream(source) << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"<U002E>\"\n"
                             "grouping 3;3\nEND LC_NUMERIC\n";
    const std::string build =
        "localedef -c -i '" + source + "' -f ANSI_X3.4-1968 '" + dir + "/comma' >/dev/null 2>&1";
    (void)std::system(build.c_str());
    setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_NUMERIC, "comma")) GTEST_SKIP() << "no locale compiler";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    ASSERT_STREQ(probe, "2,5");  // the locale really has a decimal comma

    EXPECT_EQ(ParseNumber("0.5"), 0.5);
    EXPECT_EQ(ParseNumber("-1.25E-05"), -1.25e-5);
    EXPECT_FALSE(ParseNumber("0,5"));
    EXPECT_EQ(LeadingNumber("8.5cm"), 8.5);
    EXPECT_EQ(ConvertedNumber(2.5), " 2.5");
    EXPECT_EQ(ConvertedNumber(-0.125), "-.125");
    EXPECT_EQ(ConvertedNumber(1.5e-5), " 1.5E-05");
    EXPECT_EQ(*ParseNumber(RoundTripNumber(0.1)), 0.1);

    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
}

}  // namespace
}  // namespace kv
