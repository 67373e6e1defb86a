#pragma once
// A Surface that only counts what was drawn: enough to tell a redraw from no redraw, and a
// picture painted over from one cleared first.

#include <string>
#include <vector>

#include "render/surface.h"

namespace kv::test {

class RecordingSurface : public Surface {
  public:
    RecordingSurface(int w = 641, int h = 481) : w_(w), h_(h) {}

    int clears = 0;
    int lines = 0;
    int shapes = 0;
    std::vector<std::string> printed;
    struct Scale {
        double left, top, width, height;
    };
    std::vector<Scale> scales;

    int Drawn() const { return lines + shapes + static_cast<int>(printed.size()); }
    void Forget() {
        clears = lines = shapes = 0;
        printed.clear();
    }

    int PixelWidth() const override { return w_; }
    int PixelHeight() const override { return h_; }
    void SetPixelScale() override {}
    void SetUserScale(double left, double top, double width, double height) override {
        scales.push_back({left, top, width, height});
    }
    void Clear() override { ++clears; }
    void SetBackColour(Rgb c) override { back_ = c; }
    Rgb BackColour() const override { return back_; }
    void SetForeColour(Rgb c) override { fore_ = c; }
    Rgb ForeColour() const override { return fore_; }
    void SetDotted(bool d) override { dotted_ = d; }
    bool Dotted() const override { return dotted_; }
    void SetPenWidth(int p) override { pen_ = p; }
    int PenWidth() const override { return pen_; }
    void SetFontSize(int p) override { font_ = p; }
    int FontSize() const override { return font_; }
    void Line(float, float, float, float, Rgb) override { ++lines; }
    void Rectangle(float, float, float, float, Rgb, bool) override { ++shapes; }
    void CircleOutline(float, float, float, Rgb) override { ++shapes; }
    void Pixel(float, float, Rgb) override { ++shapes; }
    void MoveTo(float, float) override {}
    void Print(std::string_view s) override { printed.emplace_back(s); }
    void PrintOpaque(std::string_view s, Rgb) override { printed.emplace_back(s); }

  private:
    int w_, h_;
    Rgb back_{192, 192, 192}, fore_{};
    bool dotted_ = false;
    int pen_ = 1, font_ = 9;
};

}  // namespace kv::test
