#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

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

TEST(LeadingNumber, ReadsTheLongestNumericPrefix) {
    EXPECT_EQ(LeadingNumber("4abc"), 4);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("  8.5"), 8.5);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("12px"), 12);
    EXPECT_EQ(LeadingNumber("2e"), 2);
}

}  // namespace
}  // namespace kv
