#pragma once
// A Surface that records every drawing call, for checking what the drawing code asks for, and
// counts what was drawn: enough to tell a redraw from no redraw, and a picture painted over
// from one cleared first.

#include <string>
#include <vector>

#include "render/surface.h"

namespace kv::test {

enum class Op { Clear, Line, Rectangle, FilledRectangle, Circle, Pixel, Dot, Print, PrintOpaque };

struct Call {
    Op op = Op::Clear;
    float x1 = 0, y1 = 0, x2 = 0,
          y2 = 0;    // line ends, rectangle corners; circle centre, radius in x2
    Rgb colour;      // shape colour, or the text colour for prints
    Rgb background;  // PrintOpaque only
    std::string text;
    bool dotted = false;
    int penWidth = 1;
};

class RecordingSurface : public Surface {
  public:
    RecordingSurface(int w = 641, int h = 481) : w_(w), h_(h) {}

    // Every call in order; off (keepCalls = false) for long sessions that only need the counts.
    std::vector<Call> calls;
    bool keepCalls = true;

    // The last user scale set, and whether it is in force.
    bool userScale = false;
    double left = 0, top = 0, width = 0, height = 0;
    float curX = 0, curY = 0;

    // Counts since the last Forget: clears, lines, other shapes (rectangles, circles, pixels)
    // and the texts printed; and every user scale set.
    int clears = 0;
    int lines = 0;
    int shapes = 0;
    std::vector<std::string> printed;
    struct Scale {
        double left, top, width, height;
    };
    std::vector<Scale> scales;

    std::vector<Call> Of(Op op) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }
    size_t Count(Op op) const { return Of(op).size(); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const Call& c : calls)
            if (c.op == Op::Print || c.op == Op::PrintOpaque) out.push_back(c.text);
        return out;
    }

    int Drawn() const { return lines + shapes + static_cast<int>(printed.size()); }
    void Forget() {
        clears = lines = shapes = 0;
        printed.clear();
        calls.clear();
    }

    void Resize(int w, int h) {
        w_ = w;
        h_ = h;
    }

    int PixelWidth() const override { return w_; }
    int PixelHeight() const override { return h_; }
    void SetPixelScale() override { userScale = false; }
    void SetUserScale(double l, double t, double wd, double ht) override {
        userScale = true;
        left = l;
        top = t;
        width = wd;
        height = ht;
        scales.push_back({l, t, wd, ht});
    }
    void Clear() override { Add(Op::Clear); }
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
    void SetSmooth(bool on) override { smooth_ = on; }
    bool Smooth() const override { return smooth_; }

    void Line(float x1, float y1, float x2, float y2, Rgb c) override {
        Add(Op::Line, x1, y1, x2, y2, c);
    }
    void Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) override {
        Add(filled ? Op::FilledRectangle : Op::Rectangle, x1, y1, x2, y2, c);
    }
    void CircleOutline(float cx, float cy, float r, Rgb c) override {
        Add(Op::Circle, cx, cy, r, 0, c);
    }
    void Pixel(float x, float y, Rgb c) override { Add(Op::Pixel, x, y, 0, 0, c); }
    // The radius goes in x2, as a circle's does.
    void Dot(float x, float y, float r, Rgb c) override { Add(Op::Dot, x, y, r, 0, c); }
    void MoveTo(float x, float y) override {
        curX = x;
        curY = y;
    }
    void Print(std::string_view s) override { Add(Op::Print, curX, curY, 0, 0, fore_, {}, s); }
    void PrintOpaque(std::string_view s, Rgb bg) override {
        Add(Op::PrintOpaque, curX, curY, 0, 0, fore_, bg, s);
    }

  private:
    void Add(Op op, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0, Rgb colour = {},
             Rgb background = {}, std::string_view text = {}) {
        switch (op) {
            case Op::Clear:
                ++clears;
                break;
            case Op::Line:
                ++lines;
                break;
            case Op::Print:
            case Op::PrintOpaque:
                printed.emplace_back(text);
                break;
            default:
                ++shapes;
                break;
        }
        if (!keepCalls) return;
        Call c;
        c.op = op;
        c.x1 = x1;
        c.y1 = y1;
        c.x2 = x2;
        c.y2 = y2;
        c.colour = colour;
        c.background = background;
        c.text = std::string(text);
        c.dotted = dotted_;
        c.penWidth = pen_;
        calls.push_back(std::move(c));
    }
    int w_, h_;
    Rgb back_{192, 192, 192};
    Rgb fore_{0, 0, 0};
    bool dotted_ = false;
    int pen_ = 1;
    int font_ = 9;
    bool smooth_ = false;
};

}  // namespace kv::test
