#include "render/number_list.h"

#include <algorithm>
#include <vector>

#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

// Splits a UTF-8 text into its characters, so that positions count characters.
std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t len = 1;
        if (b >= 0xF0) {
            len = 4;
        } else if (b >= 0xE0) {
            len = 3;
        } else if (b >= 0xC0) {
            len = 2;
        }
        len = std::min(len, s.size() - i);
        out.push_back(s.substr(i, len));
        i += len;
    }
    return out;
}

// Position searches stop at this sentinel: a delimiter at position 100 or later is not seen.
constexpr int kFieldSearchLimit = 100;

}  // namespace

std::string FieldOf(std::string_view s, std::string_view delimiters, int n) {
    const std::vector<std::string_view> chars = Characters(s);
    const std::vector<std::string_view> delims = Characters(delimiters);
    int p = 0;
    const int limit = std::min<int>(static_cast<int>(chars.size()), kFieldSearchLimit - 1);
    for (int i = 0; i < limit && p == 0; ++i) {
        if (std::find(delims.begin(), delims.end(), chars[i]) != delims.end()) p = i + 1;
    }
    if (p == 0) return n == 1 ? std::string(s) : std::string();
    size_t bytes = 0;
    for (int i = 0; i < p - 1; ++i) bytes += chars[i].size();
    if (n == 1) return std::string(s.substr(0, bytes));
    return FieldOf(s.substr(bytes + chars[p - 1].size()), delimiters, n - 1);
}

std::string FormatMeasure(std::string_view s, int digits) {
    if (s.find('E') != std::string_view::npos) return std::string(s);
    if (s.find('.') == std::string_view::npos) return std::string(s);
    const int d = std::max(digits, 0);
    const std::string a = FieldOf(s, ".", 1);
    std::string b = FieldOf(s, ".", 2);
    b.append(static_cast<size_t>(d), ' ');
    return a + "." + b.substr(0, static_cast<size_t>(d));
}

void DrawNumberLabels(const Figure& f, const DrawContext& ctx) {
    const int count = Count(f, kKindNumber);
    int listed = 0;
    int width = 0;
    for (int i = 1; i <= count; ++i) {
        const NumberRecord& n = f.Numbers[i];
        if (IsListedNumber(n)) ++listed;
        width = std::max(width, CharCount(TrimRight(n.name)));
    }
    if (listed == 0) return;

    const View& v = ctx.view;
    Surface& s = ctx.surface;
    const double h = s.FontSize() * v.PixelSize * 1.2;
    const double x = v.CentreX - v.HalfWidth;
    const int digits = v.MeasureDigits;
    // A surface that keeps layers is recomposed before the list is drawn again; one that does
    // not has the old text painted over first.
    const bool paintOver = !s.KeepsLayers();
    // Traces lie beneath the list; each row then stands on a box of the background colour.
    const bool onBoxes =
        !paintOver && (f.LocusCount[kKindPoint] > 0 || f.LocusCount[kKindLine] > 0 ||
                       f.LocusCount[kKindCircle] > 0);
    // Rows from the top one down; those above the window's top edge (a text's top-left corner
    // more than two rows above it) are neither formatted nor drawn.
    const double firstVisible = v.CentreY + v.HalfHeight + 2 * h;
    int row = 0;
    for (int i = 1; i <= count; ++i) {
        const NumberRecord& n = f.Numbers[i];
        if (!IsListedNumber(n)) continue;
        ++row;
        const double y = v.CentreY - v.HalfHeight + 41 * v.PixelSize + (listed - row + 1) * h;
        if (y > firstVisible) continue;
        const std::string index = ConvertedNumber(static_cast<long long>(i)) + ":";
        const std::string name = PadText(Trim(n.name), width) + " = ";
        const auto fx = static_cast<float>(x);
        const auto fy = static_cast<float>(y);

        if (paintOver) {
            s.MoveTo(fx, fy);
            s.Print(index);
            const Rgb text = s.ForeColour();
            s.SetForeColour(ctx.Colour(0));
            s.Print(name + FormatMeasure(ConvertedNumber(f.SavedNumbers[i].value), digits));
            s.SetForeColour(text);
        }

        s.MoveTo(fx, fy);
        const std::string text = index + name + FormatMeasure(ConvertedNumber(n.value), digits);
        if (onBoxes) {
            s.PrintOpaque(text, ctx.Colour(0));
        } else {
            s.Print(text);
        }
    }
}

}  // namespace kv
