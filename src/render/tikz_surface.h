#pragma once
// A drawing Surface that writes a TikZ picture: a `tikzpicture` a LaTeX document can \input.
// The picture has the size the client area would have at 96 dots per inch, is clipped to the
// visible rectangle, and names its colours (\definecolor at its top). Names and numbers are
// nodes in the document's own font; a text printed in pieces is chained node to node, so the
// pieces follow each other as they do on the screen.

#include <string>
#include <string_view>
#include <vector>

#include "render/surface.h"
#include "render/view_transform.h"

namespace kv {

class TikzSurface : public Surface {
  public:
    // A client area of width x height pixels (at least 1 x 1).
    TikzSurface(int width, int height);

    // The whole picture, from \begin{tikzpicture} to \end{tikzpicture}.
    std::string Text() const;

    int PixelWidth() const override { return width_; }
    int PixelHeight() const override { return height_; }
    void SetPixelScale() override { user_ = false; }
    void SetUserScale(double left, double top, double width, double height) override;

    void Clear() override;
    void SetBackColour(Rgb c) override { back_ = c; }
    Rgb BackColour() const override { return back_; }
    void SetForeColour(Rgb c) override { fore_ = c; }
    Rgb ForeColour() const override { return fore_; }

    void SetDotted(bool dotted) override { dotted_ = dotted; }
    bool Dotted() const override { return dotted_; }
    void SetPenWidth(int pixels) override;
    int PenWidth() const override { return penWidth_; }
    void SetFontSize(int points) override;
    int FontSize() const override { return fontSize_; }
    // TikZ leaves the smoothing to the viewer; the setting only decides how a point's mark is
    // drawn (by the caller).
    void SetSmooth(bool smooth) override { smooth_ = smooth; }
    bool Smooth() const override { return smooth_; }

    void Line(float x1, float y1, float x2, float y2, Rgb c) override;
    void Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) override;
    void CircleOutline(float cx, float cy, float r, Rgb c) override;
    void Pixel(float x, float y, Rgb c) override;
    void Dot(float x, float y, float radius, Rgb c) override;

    void MoveTo(float x, float y) override;
    void Print(std::string_view utf8) override;
    void PrintOpaque(std::string_view utf8, Rgb background) override;

  private:
    PixelPos ToPixel(double x, double y) const;
    // A pixel position as a TikZ coordinate "(x,y)" in centimetres, y upwards.
    std::string Point(double px, double py) const;
    std::string ColourName(Rgb c);
    std::string StrokeOptions(Rgb c);
    void PrintPiece(std::string_view utf8, const Rgb* background);

    int width_, height_;
    bool user_ = false;
    ViewMapping map_;
    Rgb back_{192, 192, 192};
    Rgb fore_{0, 0, 0};
    bool dotted_ = false;
    int penWidth_ = 1;
    int fontSize_ = 9;
    bool smooth_ = false;

    struct NamedColour {
        Rgb rgb;
        std::string name;
    };
    std::vector<NamedColour> colours_;
    std::string body_;
    // Text: where the next piece starts, and the node the last piece of this text was (-1 when
    // the text starts afresh at `textAt_`).
    PixelPos textAt_;
    int lastNode_ = -1;
    int nodes_ = 0;
};

// A text as LaTeX source: the special characters escaped, every blank kept.
std::string LatexText(std::string_view utf8);

}  // namespace kv
