#pragma once
// The text encodings a figure file may arrive in. Files are written in UTF-8; files edited or
// saved on Japanese Windows systems are often Shift-JIS (code page 932), so those are read too.

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The file's text in UTF-8: a leading byte-order mark is dropped; bytes that are not UTF-8 are
// read as CP932. nullopt when they are neither. The bytes are taken over: UTF-8 is returned
// without a copy, and CP932 bytes are released once converted, so that the bytes and their
// text are held together only while the conversion runs.
std::optional<std::string> DecodeFigureText(std::string&& bytes);

}  // namespace kv
