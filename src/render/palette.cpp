#include "render/palette.h"

#include <array>
#include <string>

namespace kv {

namespace {

// The classic sixteen-colour table with entries 0 and 7 exchanged.
constexpr std::array<Rgb, 16> kPalette{{
    {192, 192, 192},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {0, 0, 0},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

}  // namespace

std::optional<Rgb> PaletteColour(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size())) return std::nullopt;
    return kPalette[index];
}

Rgb ColourOf(int index, const Notifier& note, ColourNotice& notice) {
    if (auto c = PaletteColour(index)) return *c;
    if (!notice.told) {
        notice.told = true;
        note.Message(std::to_string(index));
    }
    return kBlack;
}

}  // namespace kv
