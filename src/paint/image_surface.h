#pragma once
// A drawing Surface over a QImage: the persistent picture of the window's canvas (which
// copies the image in its paint event) and of the headless --render command. Drawing is
// aliased, in whole pixels, unless smoothing is on: then lines, circles, marks and text are
// antialiased, with every shape placed at pixel centres so that level and upright strokes stay
// crisp. Smooth drawing suits only a picture that is recomposed rather than painted over (a
// blended edge painted over in the background colour leaves a fringe). Every drawing
// can also be repeated onto a second paint device (an SVG generator for a vector picture of
// the same figure), with the same clipping and text placement.

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTransform>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "paint/pixel_stroke.h"
#include "render/surface.h"
#include "render/view_transform.h"

namespace kv {

class ImageSurface : public Surface {
  public:
    // A client area of width x height pixels (at least 1 x 1), filled with the background.
    ImageSurface(int width, int height);
    ~ImageSurface() override;
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    // Changes the client size; the old picture stays at the top-left corner and new area is
    // background. The user scale is kept: call SetScreen afterwards.
    void Resize(int width, int height);
    // The picture, with all drawing so far finished. Drawing may continue afterwards. It has
    // DeviceScale() image pixels to a client pixel each way.
    const QImage& Image();

    // A screen with `ratio` device pixels to a client pixel (a high-density screen): drawn
    // smoothly, the image has that many pixels to each client pixel, so that it shows crisp;
    // whole-pixel drawing keeps one. Changing the scale leaves a blank picture.
    void SetDeviceRatio(int ratio);
    int DeviceScale() const { return scale_; }

    int PixelWidth() const override { return image_.width() / scale_; }
    int PixelHeight() const override { return image_.height() / scale_; }
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
    void SetSmooth(bool smooth) override;
    bool Smooth() const override { return smooth_; }

    void Line(float x1, float y1, float x2, float y2, Rgb c) override;
    void Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) override;
    void CircleOutline(float cx, float cy, float r, Rgb c) override;
    void Pixel(float x, float y, Rgb c) override;
    void Dot(float x, float y, float radius, Rgb c) override;

    void MoveTo(float x, float y) override;
    void Print(std::string_view utf8) override;
    void PrintOpaque(std::string_view utf8, Rgb background) override;

    // Layers are whole copies of the image. A restore copies back only the rows drawn since the
    // image last equalled the same layer, so a drag step that moves little costs little.
    bool KeepsLayers() const override { return true; }
    bool KeepLayer(Layer layer) override;
    bool RestoreLayer(Layer layer) override;
    void DropLayer(Layer layer) override;

    // Whether a text is kept shaped in the current font, and how many are.
    bool HoldsShaped(std::string_view utf8) const { return shaped_.find(utf8) != shaped_.end(); }
    size_t ShapedCount() const { return shaped_.size(); }

    // The current text position in pixels (top-left corner of the next text).
    PixelPos CurrentPixel() const { return current_; }

    // From now on every drawing is also made on `device`, in the image's pixel coordinates
    // (the device should be as large as the image). Texts reach it as text in the current
    // font, not as glyphs, so a vector device keeps them as characters. Erasing by
    // overdrawing shows there as shapes drawn over others. The mirror ends (its painter is
    // finished, so a generator writes its last lines) with EndMirror, a new SetMirror or the
    // destructor; Image() and Resize() leave it running. Returns false when painting cannot
    // begin on the device.
    // With a scaling `toDevice` (a sharper image, a printed page) the mirror shows the picture
    // enlarged as a whole: pens widen with it, and nothing shows beyond the image's rectangle.
    bool SetMirror(QPaintDevice* device, const QTransform& toDevice = QTransform());
    void EndMirror();

  private:
    QPainter& Painter();
    // Runs `paint` on the image's painter and then on the mirror's, if any.
    template <class Paint>
    void OnEachPainter(Paint&& paint);
    void EndPainting();
    PixelPos ToPixel(double x, double y) const;
    // Where a smooth drawing puts a pixel position: the centre of the pixel it lies in.
    static QPointF Centre(PixelPos p);
    // The kept scene as a brush that lays its pixels where they were taken.
    QBrush SceneBrush() const;
    // Makes the image's scale follow the device ratio and the smoothing.
    void Rescale();
    QPen PenOf(Rgb c, bool cosmetic = true) const;
    // Strokes in `c` written straight into the image, when the painter would draw them with a
    // one-pixel solid whole-pixel pen (see PixelStroke); nothing otherwise.
    std::optional<PixelStroke> DirectStroke(Rgb c);
    // Writing in `c` straight into the image's own pixels (unshared: a kept scene keeps the
    // pixels it was taken with), smooth as the surface is.
    PixelStroke InkOnImage(Rgb c);
    // Whether drawing in `c` on the image shows the kept scene instead (see Surface).
    bool ShowsScene(Rgb c) const;
    // Notes pixels about to be drawn (in image pixels, widened by the pen), for RestoreLayer.
    void Touch(double x0, double y0, double x1, double y1);
    void UsePen(QPainter& p, Rgb c);
    const QFontMetricsF& Metrics();
    void PrintText(std::string_view utf8, const std::optional<Rgb>& background);

    // A text laid out once in the current font: its glyphs (positioned from the top of the
    // line box at `ascent` above their baseline) and its advance. Shaping is most of the cost
    // of printing a text, and a figure prints the same names at every redraw.
    // The pixels a glyph sets when the painter draws it without smoothing, as rows of pixels
    // from the pixel it is placed at; they depend on where within that pixel (in 64ths) it is
    // placed. Printing a name is mostly the painter's overhead per glyph, which a stamp spares.
    struct GlyphStamp {
        struct Row {
            std::int16_t dy, dx, length;
        };
        std::vector<Row> rows;
        bool whole = true;  // false: the glyph reached beyond the sheet it was taken from
    };
    // A glyph's stamps, made when first needed, for each position within a pixel.
    struct GlyphStamps {
        int font = 0;  // a slot of stampFonts_
        quint32 index = 0;
        std::array<std::unique_ptr<GlyphStamp>, 64> at;
    };
    // One glyph of a shaped text: its stamps and its position from the text's origin.
    struct PlacedGlyph {
        GlyphStamps* stamps = nullptr;
        QPointF at;
    };
    struct ShapedText {
        QList<QGlyphRun> runs;
        std::vector<PlacedGlyph> glyphs;
        double ascent = 0;
        double advance = 0;
        unsigned generation = 0;  // of the store, when the text was last printed
        unsigned uses = 1;
    };
    const ShapedText& Shaped(std::string_view utf8);
    // Forgets every shaped text and glyph stamp (the font changed).
    void ForgetShaped();

    // A smooth dot's coverage of the pixels around the one it is centred in, by radius: a dot
    // always sits at a pixel's centre, so its edge blends alike wherever it is.
    struct DotPixel {
        std::int16_t dx, dy;
        std::uint8_t coverage;
    };
    const std::vector<DotPixel>& DotStampOf(double radius);
    std::unordered_map<double, std::vector<DotPixel>> dotStamps_;
    int FontSlot(const QRawFont& font);
    GlyphStamps& StampsOf(const QRawFont& font, quint32 index);
    const GlyphStamp& StampOf(GlyphStamps& stamps, int fraction);
    // Stamps the text's glyphs in `c` with its origin (the top of its line box) at `origin`,
    // as drawing its glyph runs there would; false when a glyph cannot be stamped.
    bool StampText(const ShapedText& text, QPointF origin, Rgb c);
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QPainter> mirror_;
    bool mirrorScaled_ = false;  // the mirror's pens are scaled with its transform
    std::array<QImage, kLayerCount> layers_;
    std::array<bool, kLayerCount> kept_{};
    int restoredFrom_ = -1;  // the layer the image equals outside `dirty_`; -1 none
    QRect dirty_;
    struct PenKey {
        Rgb colour;
        int width = 1;
        bool dotted = false;
        bool scene = false;
        friend bool operator==(const PenKey&, const PenKey&) = default;
    };
    std::optional<PenKey> pen_;  // what the image painter's pen currently is
    bool user_ = false;
    ViewMapping map_;
    Rgb back_{192, 192, 192};
    Rgb fore_{0, 0, 0};
    bool dotted_ = false;
    int penWidth_ = 1;
    int fontSize_ = 9;
    bool smooth_ = false;
    int ratio_ = 1;  // device pixels to a client pixel
    int scale_ = 1;  // image pixels to a client pixel: the ratio when smooth, else 1
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
    std::unordered_map<std::string, ShapedText, TextHash, std::equal_to<>> shaped_;
    unsigned shapedGeneration_ = 0;
    std::vector<QRawFont> stampFonts_;
    std::unordered_map<std::uint64_t, GlyphStamps> stamps_;
    size_t stampCount_ = 0;
    PixelPos current_;
};

}  // namespace kv
