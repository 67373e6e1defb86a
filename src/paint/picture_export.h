#pragma once
// The figure's picture written as a file or handed over in memory: PNG (at one, two or four
// times the size), SVG, PDF and TikZ. Each is a fresh drawing of the figure as it stands on a
// client area of the given size, the same drawing the window and --render show.

#include <QByteArray>
#include <QImage>
#include <QPaintDevice>
#include <QTransform>
#include <optional>
#include <string>
#include <string_view>

#include "model/figure.h"
#include "render/draw_context.h"
#include "render/picture.h"
#include "render/view.h"

namespace kv {

enum class PictureFormat { kPng, kSvg, kPdf, kTikz };

// The format a file name asks for by its extension, in any case: .png, .svg, .pdf, and .tex or
// .tikz for TikZ; nullopt for any other name.
std::optional<PictureFormat> PictureFormatOf(std::string_view path);

// The scales a PNG picture may be written at.
constexpr int kPictureScales[] = {1, 2, 4};

// What to draw: the figure (already computed), the view, whether the current activity lets the
// option hide names (see DrawContext), where a bad colour index is reported, and the client
// area in pixels.
struct PictureSource {
    const Figure& figure;
    const View& view;
    bool namesMayHide;
    const Notifier& note;
    ColourNotice& colours;
    int width;
    int height;
};

struct PictureRequest {
    PictureContent content;
    int scale = 1;      // PNG only: one of kPictureScales
    std::string title;  // SVG and PDF document title
};

// Draws the picture onto `device` through `toDevice` (pixel coordinates of the client area to
// the device's). False when painting cannot begin on the device.
bool PaintPicture(const PictureSource& source, const PictureContent& content, QPaintDevice& device,
                  const QTransform& toDevice = QTransform());

// The picture as an image `scale` times the client size.
QImage PictureImage(const PictureSource& source, const PictureContent& content, int scale = 1);
// The picture as an SVG document, one SVG unit per pixel.
QByteArray PictureSvg(const PictureSource& source, const PictureRequest& request);
// The picture as a TikZ picture (UTF-8 text).
std::string PictureTikz(const PictureSource& source, const PictureContent& content);

// Writes the picture in `format` to `path`, replacing the file only once the whole picture is
// written. Returns an empty text on success, otherwise why the file could not be written.
std::string WritePicture(const PictureSource& source, const PictureRequest& request,
                         PictureFormat format, const std::string& path);

}  // namespace kv
