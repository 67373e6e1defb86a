#pragma once
// The drawing surface the figure is drawn on. Coordinates are world units once a user scale
// is installed (SetUserScale), pixels after SetPixelScale. The surface is persistent: what is
// drawn stays until it is cleared or drawn over. A surface may also keep copies of its picture
// as layers (below), from which a drag step recomposes the picture instead of painting over
// the old images.
// Implementations: the window's canvas (a QImage the widget copies), the offscreen image of
// the headless commands, and a recording surface for tests.

#include <cstdint>
#include <string_view>

namespace kv {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The kept pictures, each containing the ones before it: the cleared background with grid and
// axes; that with the loci; that with the objects the current drag leaves unchanged; and the
// whole picture of the last full redraw (the scene), without the highlights drawn since.
enum class Layer { kBackground, kLoci, kFixed, kScene };
inline constexpr int kLayerCount = 4;

class Surface {
  public:
    virtual ~Surface() = default;

    // Client size in pixels.
    virtual int PixelWidth() const = 0;
    virtual int PixelHeight() const = 0;

    // Pixel units: (0, 0) is the top-left pixel.
    virtual void SetPixelScale() = 0;
    // User units: the client area shows x from left to left + width and y from top to
    // top + height; a negative height makes y grow upwards.
    virtual void SetUserScale(double left, double top, double width, double height) = 0;

    // Fills the whole client area with the background colour.
    virtual void Clear() = 0;
    virtual void SetBackColour(Rgb c) = 0;
    virtual Rgb BackColour() const = 0;
    // Text colour (lines and shapes take their colour per call).
    virtual void SetForeColour(Rgb c) = 0;
    virtual Rgb ForeColour() const = 0;

    virtual void SetDotted(bool dotted) = 0;
    virtual bool Dotted() const = 0;
    virtual void SetPenWidth(int pixels) = 0;
    virtual int PenWidth() const = 0;
    virtual void SetFontSize(int points) = 0;
    virtual int FontSize() const = 0;
    // Smooth drawing: lines, circles, marks and text antialiased. Off, every shape covers whole
    // pixels in its own colour.
    virtual void SetSmooth(bool smooth) = 0;
    virtual bool Smooth() const = 0;

    virtual void Line(float x1, float y1, float x2, float y2, Rgb c) = 0;
    // Rectangle with corners (x1, y1) and (x2, y2), outlined or filled.
    virtual void Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) = 0;
    virtual void CircleOutline(float cx, float cy, float r, Rgb c) = 0;
    virtual void Pixel(float x, float y, Rgb c) = 0;
    // A filled disc of `radius` pixels about (x, y).
    virtual void Dot(float x, float y, float radius, Rgb c) = 0;

    // Text: the current position is the top-left corner of the next text; printing moves it
    // to the right of what was printed. Text is drawn in the fore colour; with an opaque
    // background the text's box is first filled with `background`.
    virtual void MoveTo(float x, float y) = 0;
    virtual void Print(std::string_view utf8) = 0;
    virtual void PrintOpaque(std::string_view utf8, Rgb background) = 0;

    // Layers. KeepLayer keeps the picture as it is now; false when the surface keeps no
    // pictures (the figure is then updated by painting over). RestoreLayer puts a kept picture
    // back; false when there is none. While the scene is kept, drawing in the background colour
    // (taking away a highlight) shows the scene beneath instead of plain background.
    virtual bool KeepsLayers() const { return false; }
    virtual bool KeepLayer(Layer) { return false; }
    virtual bool RestoreLayer(Layer) { return false; }
    virtual void DropLayer(Layer) {}
    void DropLayers() {
        for (int i = 0; i < kLayerCount; ++i) DropLayer(static_cast<Layer>(i));
    }
};

}  // namespace kv
