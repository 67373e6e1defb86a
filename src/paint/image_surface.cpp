#include "paint/image_surface.h"

#include <QPolygonF>
#include <QString>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "render/clip.h"

namespace kv {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// An opaque pixel of the image in colour `c`.
std::uint32_t ToPixel32(Rgb c) {
    return 0xff000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}

// Drawing in pixels is limited to the client area widened by this margin; what lies beyond
// cannot show and is cut before Qt sees it.
constexpr double kPixelMargin = 64;

// A circle this many client sizes across is drawn as the polyline of its visible arc, so the
// cost does not grow with the radius.
constexpr double kDirectRadiusFactor = 4;

// Shaped texts kept per font size. The number list prints new values at every drag step, so
// when the store reaches this many, the texts not printed since the last time it did go.
constexpr size_t kShapedTextLimit = 32768;
// Glyph stamps kept (each glyph at each of 64 positions within a pixel, per font).
constexpr size_t kGlyphStampLimit = 1 << 17;
// Smooth dots up to this radius are stamped from one the painter drew (more radii than marks
// have are not expected).
constexpr double kDotStampRadius = 16;

int PixelIndex(double c) {
    return static_cast<int>(std::floor(std::clamp(c, -1e9, 1e9)));
}

QPoint PixelPoint(PixelPos p) {
    return QPoint(PixelIndex(p.x), PixelIndex(p.y));
}

}  // namespace

ImageSurface::ImageSurface(int width, int height)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    image_.fill(ToQColor(back_));
    map_.pixelWidth = PixelWidth();
    map_.pixelHeight = PixelHeight();
    font_.setPixelSize(fontSize_);
    // Text is erased by printing it again in the background colour, which only restores
    // the picture exactly when no glyph pixel is blended (smooth drawing blends them).
    font_.setStyleStrategy(QFont::NoAntialias);
}

ImageSurface::~ImageSurface() {
    EndPainting();
    EndMirror();
}

void ImageSurface::Resize(int width, int height) {
    EndPainting();
    QImage next(std::max(width, 1) * scale_, std::max(height, 1) * scale_, QImage::Format_RGB32);
    next.fill(ToQColor(back_));
    {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    map_.pixelWidth = PixelWidth();
    map_.pixelHeight = PixelHeight();
    DropLayers();
}

void ImageSurface::SetDeviceRatio(int ratio) {
    ratio_ = std::clamp(ratio, 1, 4);
    Rescale();
}

void ImageSurface::Rescale() {
    const int scale = smooth_ ? ratio_ : 1;
    if (scale == scale_) return;
    const int w = PixelWidth(), h = PixelHeight();
    EndPainting();
    scale_ = scale;
    image_ = QImage(w * scale, h * scale, QImage::Format_RGB32);
    image_.fill(ToQColor(back_));
    DropLayers();
    restoredFrom_ = -1;
    metrics_.reset();
    ForgetShaped();
}

QBrush ImageSurface::SceneBrush() const {
    QBrush brush(layers_[static_cast<size_t>(Layer::kScene)]);
    if (scale_ > 1) brush.setTransform(QTransform::fromScale(1.0 / scale_, 1.0 / scale_));
    return brush;
}

const QImage& ImageSurface::Image() {
    EndPainting();
    return image_;
}

QPainter& ImageSurface::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, smooth_);
        painter_->setRenderHint(QPainter::TextAntialiasing, smooth_);
        if (scale_ > 1) painter_->setTransform(QTransform::fromScale(scale_, scale_));
        painter_->setFont(font_);
    }
    return *painter_;
}

template <class Paint>
void ImageSurface::OnEachPainter(Paint&& paint) {
    paint(Painter());
    if (mirror_) paint(*mirror_);
}

bool ImageSurface::SetMirror(QPaintDevice* device, const QTransform& toDevice) {
    EndMirror();
    if (device == nullptr) return true;
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(device)) return false;
    painter->setRenderHint(QPainter::Antialiasing, smooth_);
    painter->setRenderHint(QPainter::TextAntialiasing, smooth_);
    painter->setFont(font_);
    mirrorScaled_ = !toDevice.isIdentity();
    if (mirrorScaled_) {
        painter->setTransform(toDevice);
        painter->setClipRect(image_.rect());
    }
    mirror_ = std::move(painter);
    return true;
}

void ImageSurface::EndMirror() {
    if (mirror_) {
        mirror_->end();
        mirror_.reset();
    }
}

void ImageSurface::EndPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
        pen_.reset();
    }
}

void ImageSurface::SetUserScale(double left, double top, double width, double height) {
    // A scale without extent has no inverse; the previous one stays in force.
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) ||
        !std::isfinite(height) || width == 0 || height == 0)
        return;
    map_ = ViewMapping{left, top, width, height, PixelWidth(), PixelHeight()};
    user_ = true;
}

PixelPos ImageSurface::ToPixel(double x, double y) const {
    return user_ ? map_.WorldToPixel(x, y) : PixelPos{x, y};
}

QPointF ImageSurface::Centre(PixelPos p) {
    return QPointF(PixelIndex(p.x) + 0.5, PixelIndex(p.y) + 0.5);
}

bool ImageSurface::ShowsScene(Rgb c) const {
    const auto scene = static_cast<size_t>(Layer::kScene);
    return kept_[scene] && c == back_ && layers_[scene].size() == image_.size();
}

QPen ImageSurface::PenOf(Rgb c, bool cosmetic) const {
    QPen pen(ToQColor(c));
    // A cosmetic pen's width counts the image's own pixels.
    pen.setWidth(cosmetic ? penWidth_ * scale_ : penWidth_);
    pen.setCosmetic(cosmetic);
    pen.setJoinStyle(Qt::MiterJoin);
    if (dotted_) {
        pen.setDashPattern({1.0, 1.0});
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setCapStyle(penWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    }
    return pen;
}

std::optional<PixelStroke> ImageSurface::DirectStroke(Rgb c) {
    if (scale_ != 1 || penWidth_ != 1 || dotted_ || ShowsScene(c)) return std::nullopt;
    return InkOnImage(c);
}

PixelStroke ImageSurface::InkOnImage(Rgb c) {
    return PixelStroke(reinterpret_cast<std::uint32_t*>(image_.bits()), image_.width(),
                       image_.height(), image_.bytesPerLine() / 4, ToPixel32(c), true, smooth_);
}

void ImageSurface::UsePen(QPainter& p, Rgb c) {
    // Changing the image painter's pen is not free; consecutive shapes mostly share one.
    if (&p == painter_.get()) {
        const bool scene = ShowsScene(c);
        const PenKey key{c, penWidth_, dotted_, scene};
        if (pen_ && *pen_ == key) return;
        pen_ = key;
        QPen pen = PenOf(c);
        // The stroke takes its pixels from the scene, at the same places (the brush origin is
        // the image's own), so what a highlight covered comes back as it was. A smooth
        // highlight's blended edge reaches about a pixel beyond the stroke: the restoring
        // stroke is wider and whole-pixel, as copying exact pixels wants.
        if (scene) {
            pen.setBrush(SceneBrush());
            if (smooth_) pen.setWidth((penWidth_ + 2) * scale_);
        }
        p.setRenderHint(QPainter::Antialiasing, smooth_ && !scene);
        p.setPen(pen);
        return;
    }
    p.setPen(PenOf(c, !(mirrorScaled_ && &p == mirror_.get())));
}

void ImageSurface::Touch(double x0, double y0, double x1, double y1) {
    if (restoredFrom_ < 0) return;
    // The pen's width and a round cap reach this far beyond the geometry; the dirty area is
    // kept in the image's own pixels.
    const double m = penWidth_ + 2;
    const double k = scale_;
    x0 *= k, y0 *= k, x1 *= k, y1 *= k;
    const double lo = -1;
    const auto clampX = [&](double v) { return std::clamp(v, lo, image_.width() + 1.0); };
    const auto clampY = [&](double v) { return std::clamp(v, lo, image_.height() + 1.0); };
    const QRect r(QPoint(PixelIndex(clampX(std::min(x0, x1) - m * k)),
                         PixelIndex(clampY(std::min(y0, y1) - m * k))),
                  QPoint(PixelIndex(clampX(std::max(x0, x1) + m * k)),
                         PixelIndex(clampY(std::max(y0, y1) + m * k))));
    dirty_ |= r & image_.rect();
}

bool ImageSurface::KeepLayer(Layer layer) {
    const auto i = static_cast<size_t>(layer);
    EndPainting();
    if (layer == Layer::kScene) {
        // The scene shares the image's pixels: it is copied only if something is drawn before
        // it is dropped (a highlight), not on every full redraw.
        layers_[i] = image_;
        kept_[i] = true;
        return true;
    }
    QImage& kept = layers_[i];
    if (kept.size() != image_.size() || kept.format() != image_.format())
        kept = QImage(image_.size(), image_.format());
    std::memcpy(kept.bits(), image_.constBits(), static_cast<size_t>(image_.sizeInBytes()));
    kept_[i] = true;
    restoredFrom_ = static_cast<int>(i);
    dirty_ = QRect();
    return true;
}

bool ImageSurface::RestoreLayer(Layer layer) {
    const auto i = static_cast<size_t>(layer);
    const QImage& kept = layers_[i];
    if (!kept_[i] || kept.size() != image_.size() || kept.format() != image_.format()) return false;
    // No painter may hold the image while its memory is written directly.
    EndPainting();
    uchar* to = image_.bits();
    const uchar* from = kept.constBits();
    const auto line = static_cast<size_t>(image_.bytesPerLine());
    if (restoredFrom_ == static_cast<int>(i)) {
        if (!dirty_.isEmpty()) {
            const auto pixel = static_cast<size_t>(image_.depth() / 8);
            const auto left = static_cast<size_t>(dirty_.left()) * pixel;
            const auto bytes = static_cast<size_t>(dirty_.width()) * pixel;
            for (int y = dirty_.top(); y <= dirty_.bottom(); ++y) {
                const size_t at = static_cast<size_t>(y) * line + left;
                std::memcpy(to + at, from + at, bytes);
            }
        }
    } else {
        std::memcpy(to, from, static_cast<size_t>(image_.sizeInBytes()));
    }
    restoredFrom_ = static_cast<int>(i);
    dirty_ = QRect();
    return true;
}

void ImageSurface::DropLayer(Layer layer) {
    const auto i = static_cast<size_t>(layer);
    kept_[i] = false;
    if (restoredFrom_ == static_cast<int>(i)) restoredFrom_ = -1;
    if (layer == Layer::kScene) {
        // Lets go of the shared pixels, so that drawing on the image does not copy them.
        layers_[i] = QImage();
        pen_.reset();
    }
}

void ImageSurface::Clear() {
    Touch(0, 0, PixelWidth(), PixelHeight());
    OnEachPainter([&](QPainter& p) {
        p.fillRect(QRect(0, 0, PixelWidth(), PixelHeight()), ToQColor(back_));
    });
}

void ImageSurface::SetPenWidth(int pixels) {
    penWidth_ = std::clamp(pixels, 1, 100);
}

void ImageSurface::SetSmooth(bool smooth) {
    if (smooth == smooth_) return;
    smooth_ = smooth;
    font_.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    metrics_.reset();
    ForgetShaped();
    pen_.reset();
    Rescale();
    for (QPainter* p : {painter_.get(), mirror_.get()}) {
        if (p == nullptr) continue;
        p->setRenderHint(QPainter::Antialiasing, smooth);
        p->setRenderHint(QPainter::TextAntialiasing, smooth);
        p->setFont(font_);
    }
}

void ImageSurface::SetFontSize(int points) {
    const int size = std::clamp(points, 1, 1000);
    if (size == fontSize_) return;
    fontSize_ = size;
    font_.setPixelSize(size);
    metrics_.reset();
    ForgetShaped();
    if (painter_) painter_->setFont(font_);
    if (mirror_) mirror_->setFont(font_);
}

const QFontMetricsF& ImageSurface::Metrics() {
    if (!metrics_) metrics_.emplace(font_, &image_);
    return *metrics_;
}

void ImageSurface::Line(float x1, float y1, float x2, float y2, Rgb c) {
    PixelPos a = ToPixel(x1, y1);
    PixelPos b = ToPixel(x2, y2);
    const ClipRect area{-kPixelMargin, -kPixelMargin, PixelWidth() + kPixelMargin,
                        PixelHeight() + kPixelMargin};
    if (!ClipSegment(area, a.x, a.y, b.x, b.y)) return;
    Touch(a.x, a.y, b.x, b.y);
    if (auto direct = DirectStroke(c)) {
        // Smooth lines join pixel centres, whole-pixel ones the pixels themselves.
        const QLineF line = smooth_ ? QLineF(Centre(a), Centre(b))
                                    : QLineF(PixelPoint(a), PixelPoint(b));
        direct->Line(line.x1(), line.y1(), line.x2(), line.y2());
        if (mirror_) {
            UsePen(*mirror_, c);
            mirror_->drawLine(line);
        }
        return;
    }
    OnEachPainter([&](QPainter& p) {
        UsePen(p, c);
        if (smooth_) {
            p.drawLine(QLineF(Centre(a), Centre(b)));
        } else {
            p.drawLine(PixelPoint(a), PixelPoint(b));
        }
    });
}

void ImageSurface::Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) {
    const PixelPos a = ToPixel(x1, y1);
    const PixelPos b = ToPixel(x2, y2);
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return;
    const double lo = -kPixelMargin;
    const double hx = PixelWidth() + kPixelMargin;
    const double hy = PixelHeight() + kPixelMargin;
    const QPoint p1(PixelIndex(std::clamp(std::min(a.x, b.x), lo, hx)),
                    PixelIndex(std::clamp(std::min(a.y, b.y), lo, hy)));
    const QPoint p2(PixelIndex(std::clamp(std::max(a.x, b.x), lo, hx)),
                    PixelIndex(std::clamp(std::max(a.y, b.y), lo, hy)));
    const QPoint corners[4] = {p1, QPoint(p2.x(), p1.y()), p2, QPoint(p1.x(), p2.y())};
    const QPointF half(0.5, 0.5);
    const QPointF centres[4] = {corners[0] + half, corners[1] + half, corners[2] + half,
                                corners[3] + half};
    Touch(p1.x(), p1.y(), p2.x(), p2.y());
    OnEachPainter([&](QPainter& p) {
        // Whole pixels either way: the box's edges lie on pixel boundaries.
        if (filled && &p == painter_.get() && ShowsScene(c)) {
            p.fillRect(QRect(p1, p2), SceneBrush());
        } else if (filled) {
            p.fillRect(QRect(p1, p2), ToQColor(c));
        }
        // The outline (drawn for a filled box too, so a wide pen widens both alike).
        UsePen(p, c);
        p.setBrush(Qt::NoBrush);
        if (smooth_) {
            p.drawPolygon(centres, 4);
        } else {
            p.drawPolygon(corners, 4);
        }
    });
}

void ImageSurface::CircleOutline(float cx, float cy, float r, Rgb c) {
    const PixelPos centre = ToPixel(cx, cy);
    const double rx = user_ ? map_.WorldToPixelX(r) : r;
    const double ry = user_ ? map_.WorldToPixelY(r) : r;
    const ClipRect area{-kPixelMargin, -kPixelMargin, PixelWidth() + kPixelMargin,
                        PixelHeight() + kPixelMargin};
    if (!(rx >= 0) || !(ry >= 0) || !CircleCrossesRect(area, centre.x, centre.y, std::max(rx, ry)))
        return;
    const double offset = smooth_ ? 0.5 : 0.0;
    const double cxp = std::floor(centre.x) + offset;
    const double cyp = std::floor(centre.y) + offset;
    Touch(cxp - rx, cyp - ry, cxp + rx, cyp + ry);
    const double limit = kDirectRadiusFactor * (PixelWidth() + PixelHeight());
    if (std::max(rx, ry) <= limit) {
        const double left = cxp - rx, top = cyp - ry;
        // Smooth outlines are all stroked alike; whole-pixel ones on whole pixels are not.
        if (smooth_ || !PixelStroke::LiesOnWholePixels(left, top, 2 * rx, 2 * ry)) {
            if (auto direct = DirectStroke(c)) {
                direct->Ellipse(left, top, 2 * rx, 2 * ry);
                if (mirror_) {
                    UsePen(*mirror_, c);
                    mirror_->setBrush(Qt::NoBrush);
                    mirror_->drawEllipse(QPointF(cxp, cyp), rx, ry);
                }
                return;
            }
        }
        OnEachPainter([&](QPainter& p) {
            UsePen(p, c);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(cxp, cyp), rx, ry);
        });
        return;
    }
    // The centre lies far outside the area, so the visible arc spans less than half a turn:
    // take the angles of the area's corners seen from the centre.
    const double mid = std::atan2((area.y0 + area.y1) / 2 - cyp, (area.x0 + area.x1) / 2 - cxp);
    double lo = 0, hi = 0;
    for (double x : {area.x0, area.x1}) {
        for (double y : {area.y0, area.y1}) {
            double a = std::atan2(y - cyp, x - cxp) - mid;
            a = std::remainder(a, 2 * std::numbers::pi);
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
    }
    // Steps short enough that the chord stays within a quarter pixel of the arc.
    const double step = 2 * std::sqrt(0.5 / std::max(rx, ry));
    const int n = std::clamp(static_cast<int>(std::ceil((hi - lo) / step)), 1, 100000);
    QPolygonF arc;
    arc.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        const double a = mid + lo + (hi - lo) * i / n;
        arc << QPointF(cxp + rx * std::cos(a), cyp + ry * std::sin(a));
    }
    OnEachPainter([&](QPainter& p) {
        UsePen(p, c);
        p.drawPolyline(arc);
    });
}

void ImageSurface::Pixel(float x, float y, Rgb c) {
    const PixelPos a = ToPixel(x, y);
    if (!(a.x >= -kPixelMargin && a.x <= PixelWidth() + kPixelMargin && a.y >= -kPixelMargin &&
          a.y <= PixelHeight() + kPixelMargin))
        return;
    Touch(a.x, a.y, a.x, a.y);
    if (auto direct = smooth_ ? std::nullopt : DirectStroke(c)) {
        const QPoint at = PixelPoint(a);
        direct->Point(at.x(), at.y());
        if (mirror_) {
            UsePen(*mirror_, c);
            mirror_->drawPoint(at);
        }
        return;
    }
    OnEachPainter([&](QPainter& p) {
        UsePen(p, c);
        if (smooth_) {
            p.drawPoint(Centre(a));
        } else {
            p.drawPoint(PixelPoint(a));
        }
    });
}

void ImageSurface::Dot(float x, float y, float radius, Rgb c) {
    const PixelPos a = ToPixel(x, y);
    if (!(a.x >= -kPixelMargin && a.x <= PixelWidth() + kPixelMargin && a.y >= -kPixelMargin &&
          a.y <= PixelHeight() + kPixelMargin) ||
        !(radius > 0) || radius > kPixelMargin)
        return;
    const QPointF centre = Centre(a);
    Touch(centre.x() - radius, centre.y() - radius, centre.x() + radius, centre.y() + radius);
    if (smooth_ && scale_ == 1 && !ShowsScene(c) && radius <= kDotStampRadius) {
        PixelStroke ink = InkOnImage(c);
        const int x0 = PixelIndex(a.x), y0 = PixelIndex(a.y);
        for (const DotPixel& d : DotStampOf(radius)) ink.Blend(x0 + d.dx, y0 + d.dy, d.coverage);
        if (mirror_) {
            mirror_->setPen(Qt::NoPen);
            mirror_->setBrush(QBrush(ToQColor(c)));
            mirror_->drawEllipse(centre, radius, radius);
            mirror_->setBrush(Qt::NoBrush);
        }
        return;
    }
    OnEachPainter([&](QPainter& p) {
        // Taken away while the scene is kept, the dot shows the scene over its whole blended
        // edge, in whole pixels.
        const bool scene = &p == painter_.get() && ShowsScene(c);
        const double r = scene && smooth_ ? radius + 1.5 : radius;
        p.setPen(Qt::NoPen);
        p.setBrush(scene ? SceneBrush() : QBrush(ToQColor(c)));
        p.setRenderHint(QPainter::Antialiasing, smooth_ && !scene);
        p.drawEllipse(centre, r, r);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, smooth_);
    });
    pen_.reset();
}

const std::vector<ImageSurface::DotPixel>& ImageSurface::DotStampOf(double radius) {
    if (const auto found = dotStamps_.find(radius); found != dotStamps_.end()) return found->second;
    // The dot filled in white on black by the painter itself: each pixel's red is how much of
    // it the dot covers.
    const int margin = static_cast<int>(std::ceil(radius)) + 2;
    const int side = 2 * margin + 1;
    QImage sheet(side, side, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(Qt::white));
        p.drawEllipse(QPointF(margin + 0.5, margin + 0.5), radius, radius);
    }
    std::vector<DotPixel> stamp;
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (const int covered = qRed(row[x]); covered != 0)
                stamp.push_back({static_cast<std::int16_t>(x - margin),
                                 static_cast<std::int16_t>(y - margin),
                                 static_cast<std::uint8_t>(covered)});
        }
    }
    return dotStamps_.emplace(radius, std::move(stamp)).first->second;
}

void ImageSurface::MoveTo(float x, float y) {
    current_ = ToPixel(x, y);
}

void ImageSurface::Print(std::string_view utf8) {
    PrintText(utf8, std::nullopt);
}

void ImageSurface::PrintOpaque(std::string_view utf8, Rgb background) {
    PrintText(utf8, background);
}

const ImageSurface::ShapedText& ImageSurface::Shaped(std::string_view utf8) {
    if (const auto found = shaped_.find(utf8); found != shaped_.end()) {
        found->second.generation = shapedGeneration_;
        ++found->second.uses;
        return found->second;
    }
    // The shaped texts point at the stamps, so both go together.
    if (stampCount_ >= kGlyphStampLimit) ForgetShaped();
    if (shaped_.size() >= kShapedTextLimit) {
        // Names are printed again at every step and stay; values a drag has moved past, printed
        // once, go, as does whatever was not printed since the store was last full.
        std::erase_if(shaped_, [&](const auto& entry) {
            return entry.second.uses < 2 || entry.second.generation != shapedGeneration_;
        });
        ++shapedGeneration_;
        if (shaped_.size() >= kShapedTextLimit / 2) ForgetShaped();
    }
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    ShapedText shaped;
    QTextLayout layout(text, font_, &image_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    shaped.runs = layout.glyphRuns();
    for (const QGlyphRun& run : shaped.runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0, n = std::min(indexes.size(), positions.size()); i < n; ++i)
            shaped.glyphs.push_back(PlacedGlyph{&StampsOf(font, indexes[i]), positions[i]});
    }
    shaped.ascent = line.isValid() ? line.ascent() : 0;
    shaped.advance = Metrics().horizontalAdvance(text);
    shaped.generation = shapedGeneration_;
    return shaped_.emplace(std::string(utf8), std::move(shaped)).first->second;
}

void ImageSurface::ForgetShaped() {
    shaped_.clear();
    stamps_.clear();
    stampFonts_.clear();
    stampCount_ = 0;
}

int ImageSurface::FontSlot(const QRawFont& font) {
    for (size_t i = 0; i < stampFonts_.size(); ++i)
        if (stampFonts_[i] == font) return static_cast<int>(i);
    stampFonts_.push_back(font);
    return static_cast<int>(stampFonts_.size()) - 1;
}

ImageSurface::GlyphStamps& ImageSurface::StampsOf(const QRawFont& font, quint32 index) {
    const int slot = FontSlot(font);
    const std::uint64_t key = (static_cast<std::uint64_t>(slot) << 32) | index;
    GlyphStamps& stamps = stamps_[key];
    stamps.font = slot;
    stamps.index = index;
    return stamps;
}

const ImageSurface::GlyphStamp& ImageSurface::StampOf(GlyphStamps& stamps, int fraction) {
    std::unique_ptr<GlyphStamp>& made = stamps.at[static_cast<size_t>(fraction)];
    if (made) return *made;
    // The glyph drawn alone on a white sheet, at the same position within its pixel, by the
    // painter itself: whatever it sets there is what it sets anywhere else.
    const int margin = 2 * fontSize_ + 8;
    const int side = 2 * margin;
    QImage sheet(side, side, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setPen(QPen(Qt::black));
        QGlyphRun run;
        run.setRawFont(stampFonts_[static_cast<size_t>(stamps.font)]);
        run.setGlyphIndexes({stamps.index});
        run.setPositions({QPointF(0, 0)});
        p.drawGlyphRun(QPointF(margin + fraction / 64.0, margin), run);
    }
    made = std::make_unique<GlyphStamp>();
    ++stampCount_;
    const QRgb white = QColor(Qt::white).rgb();
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if (row[x] == white) continue;
            int end = x;
            while (end < side && row[end] != white) ++end;
            if (x == 0 || y == 0 || end == side || y == side - 1) made->whole = false;
            made->rows.push_back({static_cast<std::int16_t>(y - margin),
                                  static_cast<std::int16_t>(x - margin),
                                  static_cast<std::int16_t>(end - x)});
            x = end;
        }
    }
    return *made;
}

bool ImageSurface::StampText(const ShapedText& text, QPointF origin, Rgb c) {
    PixelStroke ink = InkOnImage(c);
    for (const PlacedGlyph& g : text.glyphs) {
        // The painter's placement: the position in 26.6 fixed point, cut toward zero; the
        // glyph's pixel is the one the position lies in across, the nearest one down.
        const double gx = origin.x() + g.at.x(), gy = origin.y() + g.at.y();
        if (!(std::abs(gx) < 1e6 && std::abs(gy) < 1e6)) return false;
        const int fx = static_cast<int>(gx * 64.), fy = static_cast<int>(gy * 64.);
        const GlyphStamp& stamp = StampOf(*g.stamps, fx & 63);
        if (!stamp.whole) return false;
        const int x0 = fx >> 6, y0 = ((fy + 32) & -64) >> 6;
        for (const GlyphStamp::Row& r : stamp.rows)
            ink.Span(y0 + r.dy, x0 + r.dx, x0 + r.dx + r.length);
    }
    return true;
}

void ImageSurface::PrintText(std::string_view utf8, const std::optional<Rgb>& background) {
    const ShapedText& text = Shaped(utf8);
    const QFontMetricsF& fm = Metrics();
    const double advance = text.advance;
    if (std::isfinite(current_.x) && std::isfinite(current_.y) &&
        current_.x < PixelWidth() + kPixelMargin && current_.y < PixelHeight() + kPixelMargin &&
        current_.x + advance > -kPixelMargin && current_.y + fm.height() > -kPixelMargin) {
        // Not rounded: a text printed in pieces puts its glyphs where the whole text would.
        const QPointF topLeft(current_.x, std::floor(current_.y));
        const QRectF box(topLeft, QSizeF(advance, fm.height()));
        // Glyphs may reach a little beyond their advance and line box.
        const double reach = fontSize_ / 2.0;
        Touch(box.left() - reach, box.top() - reach, box.right() + reach, box.bottom() + reach);
        OnEachPainter([&](QPainter& p) {
            if (background) p.fillRect(box, ToQColor(*background));
        });
        if (mirror_) mirror_->setPen(QPen(ToQColor(fore_)));
        // The glyphs stand on the baseline of the font's own ascent, as a plain drawText puts
        // them, also when a fallback font makes the laid-out line taller.
        const QPointF baseline = topLeft + QPointF(0, fm.ascent());
        const QPointF origin = baseline - QPointF(0, text.ascent);
        QPainter& p = Painter();
        // A name taken away (printed in the background colour, not on a box of its own) shows
        // the scene beneath: glyph by glyph when they cover whole pixels, over the reach of
        // the text when their edges are blended, which no second printing takes away.
        const bool toScene = !background && ShowsScene(fore_);
        if (toScene && smooth_) {
            const QRect reached = box.adjusted(-reach, -reach, reach, reach).toAlignedRect() &
                                  QRect(0, 0, PixelWidth(), PixelHeight());
            p.fillRect(reached, SceneBrush());
        } else if (toScene || smooth_ || scale_ != 1 || !StampText(text, origin, fore_)) {
            p.setPen(toScene ? QPen(SceneBrush(), scale_) : QPen(ToQColor(fore_)));
            pen_.reset();
            for (const QGlyphRun& run : text.runs) p.drawGlyphRun(origin, run);
        }
        if (mirror_) {
            mirror_->drawText(baseline,
                              QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
        }
    }
    current_.x += advance;
}

}  // namespace kv
