#include "qt/picture_commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMimeData>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <algorithm>
#include <optional>

#include "qt/kv_win.h"
#include "qt/qt_text.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {

namespace {

// The file types of the save dialog, in the order offered, with the extension a name without
// one is given.
struct FileType {
    const char* filter;
    const char* extension;
};
constexpr FileType kFileTypes[] = {
    {"PNG 画像 (*.png)", ".png"},
    {"SVG 画像 (*.svg)", ".svg"},
    {"PDF 文書 (*.pdf)", ".pdf"},
    {"TikZ (*.tex *.tikz)", ".tex"},
};

// Runs `use` with the window's picture as it shows it now.
template <class Use>
auto WithWindowPicture(KVwin& window, Use&& use) {
    App& app = window.app();
    const Notifier note = NotifierOf(window.host());
    const PictureSource source{app.figure,
                               app.view,
                               NamesMayHide(CurrentMode(app.session)),
                               note,
                               app.colours,
                               window.canvas().width(),
                               window.canvas().height()};
    return use(source);
}

std::string PictureTitle(KVwin& window) {
    const std::string& file = window.app().session.FigureFileName;
    return QFileInfo(QString::fromStdString(file)).fileName().toStdString();
}

// The PNG scale and the number list, asked after the file name; nullopt when cancelled.
std::optional<PictureRequest> AskPictureOptions(KVwin& window, PictureFormat format) {
    QDialog dialog(&window);
    dialog.setObjectName("PictureOptions");
    dialog.setWindowTitle(ToQt("画像として保存"));
    auto* layout = new QFormLayout(&dialog);
    auto* scale = new QComboBox(&dialog);
    scale->setObjectName("Scale");
    for (int k : kPictureScales) scale->addItem(ToQt(std::to_string(k) + " 倍"), k);
    scale->setEnabled(format == PictureFormat::kPng);
    layout->addRow(ToQt("大きさ (PNG)"), scale);
    auto* numbers = new QCheckBox(ToQt("測定値の一覧を含める"), &dialog);
    numbers->setObjectName("NumberList");
    numbers->setChecked(true);
    layout->addRow(numbers);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PictureRequest request;
    request.scale = scale->currentData().toInt();
    request.content.numberList = numbers->isChecked();
    return request;
}

}  // namespace

std::string ExportPicture(KVwin& window, const std::string& path, PictureFormat format,
                          const PictureRequest& request) {
    PictureRequest titled = request;
    if (titled.title.empty()) titled.title = PictureTitle(window);
    return WithWindowPicture(window, [&](const PictureSource& source) {
        return WritePicture(source, titled, format, path);
    });
}

void mnuExportPicture_Click(KVwin& window) {
    QStringList filters;
    for (const FileType& t : kFileTypes) filters << ToQt(t.filter);
    QString selected = filters.front();
    QString name = QFileDialog::getSaveFileName(&window, ToQt("画像として保存"), QString(),
                                                filters.join(";;"), &selected);
    if (name.isEmpty()) return;
    std::string path = FromQt(name);
    if (!PictureFormatOf(path)) {
        // A name without a known extension gets the one of the file type chosen.
        const auto at = std::find_if(std::begin(kFileTypes), std::end(kFileTypes),
                                     [&](const FileType& t) { return ToQt(t.filter) == selected; });
        path += at != std::end(kFileTypes) ? at->extension : ".png";
    }
    const PictureFormat format = *PictureFormatOf(path);
    const std::optional<PictureRequest> request = AskPictureOptions(window, format);
    if (!request) return;
    const std::string failure = ExportPicture(window, path, format, *request);
    if (!failure.empty()) {
        window.host().Message("画像「" + path + "」を保存できませんでした。\r\n(" + failure + ")");
    }
}

void mnuCopyPicture_Click(KVwin& window) {
    auto* data = new QMimeData;
    WithWindowPicture(window, [&](const PictureSource& source) {
        data->setImageData(PictureImage(source, PictureContent{}));
        PictureRequest request;
        request.title = PictureTitle(window);
        data->setData("image/svg+xml", PictureSvg(source, request));
        return 0;
    });
    QApplication::clipboard()->setMimeData(data);
}

QTransform PrintTransform(const QSizeF& page, QSize picture, double pixelSize, double dotsPerInch,
                          PrintScale scale) {
    const double w = std::max(picture.width(), 1), h = std::max(picture.height(), 1);
    const double s = scale == PrintScale::kFitPage
                         ? std::min(page.width() / w, page.height() / h)
                         : pixelSize * dotsPerInch / 2.54;  // a world unit is a centimetre
    QTransform t;
    t.translate((page.width() - w * s) / 2, (page.height() - h * s) / 2);
    t.scale(s, s);
    return t;
}

bool PrintPicture(KVwin& window, QPrinter& printer, PrintScale scale) {
    printer.setDocName(ToQt(PictureTitle(window)));
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QTransform t = PrintTransform(page.size(), window.canvas().size(),
                                        window.app().view.PixelSize, printer.resolution(), scale);
    return WithWindowPicture(window, [&](const PictureSource& source) {
        return PaintPicture(source, PictureContent{}, printer, t);
    });
}

void mnuPrint_Click(KVwin& window) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &window);
    preview.setObjectName("PrintPreview");
    preview.setWindowTitle(ToQt("印刷"));
    preview.resize(900, 700);  // room for the toolbar with the choice of scale
    PrintScale scale = PrintScale::kFitPage;
    auto* choice = new QComboBox(&preview);
    choice->setObjectName("PrintScale");
    choice->addItem(ToQt("ページに合わせる"));
    choice->addItem(ToQt("1 単位 = 1 cm"));
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addWidget(choice);
    }
    QObject::connect(choice, &QComboBox::currentIndexChanged, &preview, [&](int index) {
        scale = index == 0 ? PrintScale::kFitPage : PrintScale::kCentimetre;
        if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) widget->updatePreview();
    });
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { PrintPicture(window, *p, scale); });
    preview.exec();
}

}  // namespace kv
