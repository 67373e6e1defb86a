#pragma once
// The view: how the figure plane maps onto the client area, and the display settings.

#include "model/records.h"

namespace kv {

struct View {
    double PixelSize = 0.05;  // world units per pixel
    double HalfWidth = 0.0;   // world x of the right edge (left edge at -HalfWidth)
    double HalfHeight = 0.0;  // world y of the top edge
    i16 ShowAxes = 0;
    i16 LabelsHidden = 0;
    i16 MeasureDigits = 0;
    int PenWidth = 1;
    // Points, drawn as that many pixels (the number list's rows are 1.2 font sizes apart).
    // Twelve keeps kanji legible; nine pixels turns names such as 距離 into blots.
    int FontSize = 12;
};

}  // namespace kv
