#pragma once
// The on-screen list of numbers in the lower-left corner: one row per listed number with its
// index, its name and its value cut to MeasureDigits decimal places.

#include <string>
#include <string_view>

#include "model/figure.h"
#include "render/draw_context.h"

namespace kv {

// Draws every row; since the surface is not cleared during a drag, each row's previous text
// (the saved value) is first overprinted in the background colour.
void DrawNumberLabels(const Figure& f, const DrawContext& ctx);

// Cuts (never rounds) the decimal text of a number to `digits` places, padding with blanks;
// texts in E notation or without a decimal point are returned unchanged.
std::string FormatMeasure(std::string_view s, int digits);

// The n-th field (1-based) of s split at any of the delimiter characters. Only delimiters
// among the first 99 characters count.
std::string FieldOf(std::string_view s, std::string_view delimiters, int n);

// Whether a number takes a row of the list: user variables and generated numbers do not.
inline bool IsListedNumber(const NumberRecord& n) {
    return n.isVariable != kVariableNumber && n.isVariable != kGeneratedNumber;
}

}  // namespace kv
