#pragma once
// Fixed-width texts counted in Unicode characters (UTF-8 code points).

#include <string>
#include <string_view>

namespace kv {

// Number of code points in a UTF-8 text (an invalid byte counts as one character).
int CharCount(std::string_view s);
// The first n characters of s.
std::string CutChars(std::string_view s, int n);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string Trim(std::string_view s);
// The text as a fixed-length field would hold it: left-trimmed, cut to width, trailing blanks
// dropped.
std::string FitText(std::string_view s, int width);
// The text padded with blanks to width characters (cut when longer): the full fixed-width field.
std::string PadText(std::string_view s, int width);
// The same field appended to `out`, or written at `at` (which has room for 4 x width bytes;
// the end is returned).
void AppendPadded(std::string& out, std::string_view s, int width);
char* PutPadded(char* at, std::string_view s, int width);

}  // namespace kv
