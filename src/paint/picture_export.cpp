#include "paint/picture_export.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "paint/image_surface.h"
#include "render/tikz_surface.h"
#include "render/view_transform.h"

namespace kv {

namespace {

// Vector pictures are laid out at this resolution, so that one pixel is one CSS pixel.
constexpr int kDotsPerInch = 96;

bool EndsWith(std::string_view path, std::string_view suffix) {
    if (path.size() < suffix.size()) return false;
    const std::string_view tail = path.substr(path.size() - suffix.size());
    return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// The picture drawn on a surface of its own, with the source's view installed on it.
template <class Draw>
void DrawOn(Surface& surface, const PictureSource& source, const PictureContent& content,
            Draw&& between) {
    View view = source.view;
    SetScreen(view, surface);
    const DrawContext ctx{surface, view, source.namesMayHide, source.note, source.colours};
    between([&] { DrawPicture(source.figure, ctx, content); });
}

void ConfigureSvg(QSvgGenerator& svg, const PictureSource& source, const std::string& title) {
    svg.setSize(QSize(source.width, source.height));
    svg.setViewBox(QRect(0, 0, source.width, source.height));
    svg.setResolution(kDotsPerInch);
    // The generator writes the title as it stands, and a file name may hold & or <.
    svg.setTitle(QString::fromStdString(title).toHtmlEscaped());
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(std::string_view path) {
    if (EndsWith(path, ".png")) return PictureFormat::kPng;
    if (EndsWith(path, ".svg")) return PictureFormat::kSvg;
    if (EndsWith(path, ".pdf")) return PictureFormat::kPdf;
    if (EndsWith(path, ".tex") || EndsWith(path, ".tikz")) return PictureFormat::kTikz;
    return std::nullopt;
}

bool PaintPicture(const PictureSource& source, const PictureContent& content, QPaintDevice& device,
                  const QTransform& toDevice) {
    ImageSurface surface(source.width, source.height);
    bool ok = false;
    DrawOn(surface, source, content, [&](const auto& draw) {
        ok = surface.SetMirror(&device, toDevice);
        if (!ok) return;
        draw();
        surface.EndMirror();
    });
    return ok;
}

QImage PictureImage(const PictureSource& source, const PictureContent& content, int scale) {
    ImageSurface surface(source.width, source.height);
    if (scale <= 1) {
        DrawOn(surface, source, content, [](const auto& draw) { draw(); });
        return surface.Image().copy();
    }
    QImage image(surface.PixelWidth() * scale, surface.PixelHeight() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawOn(surface, source, content, [&](const auto& draw) {
        if (!surface.SetMirror(&image, QTransform::fromScale(scale, scale))) return;
        draw();
        surface.EndMirror();
    });
    return image;
}

QByteArray PictureSvg(const PictureSource& source, const PictureRequest& request) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        ConfigureSvg(svg, source, request.title);
        if (!PaintPicture(source, request.content, svg)) return {};
    }
    return bytes;
}

std::string PictureTikz(const PictureSource& source, const PictureContent& content) {
    TikzSurface surface(source.width, source.height);
    DrawOn(surface, source, content, [](const auto& draw) { draw(); });
    return surface.Text();
}

std::string WritePicture(const PictureSource& source, const PictureRequest& request,
                         PictureFormat format, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    bool drawn = true;
    switch (format) {
        case PictureFormat::kPng:
            drawn = PictureImage(source, request.content, request.scale).save(&file, "PNG");
            break;
        case PictureFormat::kSvg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            ConfigureSvg(svg, source, request.title);
            drawn = PaintPicture(source, request.content, svg);
            break;
        }
        case PictureFormat::kPdf: {
            // One page the size of the picture, one device unit per pixel.
            QPdfWriter pdf(&file);
            pdf.setResolution(kDotsPerInch);
            pdf.setPageSize(QPageSize(QSizeF(source.width, source.height) * 72.0 / kDotsPerInch,
                                      QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setTitle(QString::fromStdString(request.title));
            pdf.setCreator("Korvinth");
            drawn = PaintPicture(source, request.content, pdf);
            break;
        }
        case PictureFormat::kTikz: {
            const std::string text = PictureTikz(source, request.content);
            drawn = file.write(text.data(), static_cast<qint64>(text.size())) ==
                    static_cast<qint64>(text.size());
            break;
        }
    }
    if (!drawn) {
        file.cancelWriting();
        return file.errorString().isEmpty() ? "the picture could not be drawn"
                                            : file.errorString().toStdString();
    }
    if (!file.commit()) return file.errorString().toStdString();
    return {};
}

}  // namespace kv
