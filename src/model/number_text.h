#pragma once
// Decimal texts of doubles.

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The "converted" form that the report and the on-screen number list show: a leading blank
// for a value that is not negative, a "-" otherwise; no zero before the decimal point below 1
// (" .5", "-.25"); up to 15 significant digits; E notation ("1E+15", " 1.5E-05") when the
// decimal exponent is below -4 or 15 and above.
std::string ConvertedNumber(double v);
// The converted form of an integer (" 3", "-2").
std::string ConvertedNumber(long long v);
// The same forms appended to `out`.
void AppendConvertedNumber(std::string& out, double v);
void AppendConvertedNumber(std::string& out, long long v);
// The same forms written at `at`, which has room for kConvertedNumberRoom bytes, as a long
// report writes them; the end of the text is returned.
constexpr int kConvertedNumberRoom = 40;
char* PutConvertedNumber(char* at, double v);
char* PutConvertedNumber(char* at, long long v);

// The shortest text that reads back to exactly the same double ("0.1", "-2", "1E-05").
std::string RoundTripNumber(double v);

// Reads a decimal number in any of its usual spellings ("-2", "0.5", ".5", "-.5", "1E-05",
// "1.5e+20"), with optional surrounding blanks; nullopt when the text is not one number.
std::optional<double> ParseNumber(std::string_view text);

// The longest numeric prefix of a typed answer, as input boxes read it: leading blanks are
// skipped, "4abc" reads as 4, an empty or non-numeric text as 0.
double LeadingNumber(std::string_view text);

}  // namespace kv
