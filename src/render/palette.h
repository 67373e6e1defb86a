#pragma once
// The sixteen colours an object's colour index can name. Index 0 is the window's background
// grey ("書かない": such objects are skipped by the full redraw), 7 is black, the default.

#include <optional>

#include "engine/notifier.h"
#include "render/surface.h"

namespace kv {

constexpr Rgb kBackgroundGrey{192, 192, 192};
constexpr Rgb kBlack{0, 0, 0};

// The colour of an index 0..15, nullopt for any other index.
std::optional<Rgb> PaletteColour(int index);

// Whether the user has already been told about a colour index outside the table. The owner
// resets it when a new figure is started or loaded, so the message appears once per figure
// rather than on every redraw.
struct ColourNotice {
    bool told = false;
};

// The colour of an index; an index outside 0..15 draws in black, after a message box whose
// text is the number (once per figure, see ColourNotice).
Rgb ColourOf(int index, const Notifier& note, ColourNotice& notice);

}  // namespace kv
