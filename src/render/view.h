#pragma once
// The view: how the figure plane maps onto the client area, and the display settings.

#include "model/records.h"

namespace kv {

struct View {
    double PixelSize = 0.05;  // world units per pixel
    double HalfWidth = 0.0;   // half the width shown: the right edge is at CentreX + HalfWidth
    double HalfHeight = 0.0;  // half the height shown: the top edge is at CentreY + HalfHeight
    // The world point at the centre of the client area: the origin unless the view was panned
    // (or zoomed about another point than the centre).
    double CentreX = 0.0;
    double CentreY = 0.0;
    i16 ShowAxes = 0;
    i16 LabelsHidden = 0;
    i16 MeasureDigits = 0;
    int PenWidth = 1;
    // Points, drawn as that many pixels (the number list's rows are 1.2 font sizes apart).
    // Twelve keeps kanji legible; nine pixels turns names such as 距離 into blots.
    int FontSize = 12;
    // Antialiased drawing ("なめらかに描く"). Off, the classic picture of whole pixels; the
    // window and the picture commands turn it on when they start.
    bool Smooth = false;
};

}  // namespace kv
