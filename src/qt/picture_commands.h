#pragma once
// The window's picture leaving the window: saved as an image file (PNG, SVG, PDF, TikZ),
// copied to the clipboard (as an image and as SVG), and printed with a preview. What leaves is
// what the window shows: the visible rectangle at the current zoom, grid and axes when they
// are on, the loci, and (unless left out) the number list.

#include <QPrinter>
#include <QRectF>
#include <QSize>
#include <QTransform>
#include <string>

#include "paint/picture_export.h"

namespace kv {

class KVwin;

// Writes the window's picture to `path`; an empty text on success, otherwise the reason.
std::string ExportPicture(KVwin& window, const std::string& path, PictureFormat format,
                          const PictureRequest& request);

// "画像として保存…": a save dialog by file type, then the PNG scale and whether the number list
// goes along; a file that cannot be written is reported in a message box.
void mnuExportPicture_Click(KVwin& window);

// "図をコピー": the picture on the clipboard as an image and as SVG.
void mnuCopyPicture_Click(KVwin& window);

// How a printed page holds the picture: as large as the page allows, or one world unit to a
// centimetre (centred; what does not fit the paper is cut).
enum class PrintScale { kFitPage, kCentimetre };

// The transform from the picture's pixels (size `picture`, `pixelSize` world units each) to a
// page area of `page` device pixels at `dotsPerInch`.
QTransform PrintTransform(const QSizeF& page, QSize picture, double pixelSize, double dotsPerInch,
                          PrintScale scale);

// Prints the window's picture on one page of `printer`. False when the printer cannot paint.
bool PrintPicture(KVwin& window, QPrinter& printer, PrintScale scale);

// "印刷…": the print preview, with the choice of scale, and from there the print dialog.
void mnuPrint_Click(KVwin& window);

}  // namespace kv
