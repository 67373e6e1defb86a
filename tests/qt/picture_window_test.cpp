// The window's picture leaving it (files, clipboard, printer), the wheel over the canvas, and
// the keyboard shortcuts, driven offscreen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "io/report.h"
#include "qt/kv_win.h"
#include "qt/picture_commands.h"
#include "qt/qt_host.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"
#include "support/temp_dir.h"
#include "ui/modes.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {
namespace {

// The real host, counting the file dialogs instead of opening them.
class CountingHost : public QtHost {
  public:
    explicit CountingHost(KVwin& w) : QtHost(w) {}
    int opens = 0, saves = 0;
    std::vector<std::string> messages;
    std::optional<std::string> OpenFileName() override {
        ++opens;
        return std::nullopt;
    }
    std::optional<std::string> SaveFileName() override {
        ++saves;
        return std::nullopt;
    }
    void Message(const std::string& prompt, const std::string&) override {
        messages.push_back(prompt);
    }
    void Beep() override {}
};

// A window of 641 x 481 client pixels or so, showing a red-boxed point A, a point B, the segment
// AB, a circle about A through B and their distance.
class PictureWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<KVwin>([this](KVwin& w) {
            auto h = std::make_unique<CountingHost>(w);
            host = h.get();
            return h;
        });
        window->Start("");
        window->resize(700, 560);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Figure& f = window->app().figure;
        const int a = test::AddPoint(f, -2, 1, 4);
        const int b = test::AddPoint(f, 3, -1, 1);
        f.Points[a].colour = 4;
        f.Points[a].name = "A";
        f.Points[b].name = "B";
        test::AddLineThrough(f, a, b, 1);
        test::AddFromTwoPoints(f, "C2", a, b, kKindCircle);
        const int d = test::AddFromTwoPoints(f, "ND2P", a, b, kKindNumber);
        f.Numbers[d].name = "AB";
        Redraw();
    }
    void Redraw() { FullRedraw(window->app(), window->host(), window->canvas().surface()); }
    std::string Report() { return ConstructionReport(window->app().figure, "w"); }
    QSize CanvasSize() const { return window->canvas().size(); }

    std::unique_ptr<KVwin> window;
    CountingHost* host = nullptr;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Each format from the window: the file opens and holds the picture the window shows.
TEST_F(PictureWindow, ExportsEveryFormatAtTheWindowsSize) {
    test::TempDir dir;
    const QSize size = CanvasSize();
    for (int scale : kPictureScales) {
        PictureRequest request;
        request.scale = scale;
        const std::string path = dir.File("x" + std::to_string(scale) + ".png");
        ASSERT_EQ(ExportPicture(*window, path, PictureFormat::kPng, request), "");
        const QImage png(QString::fromStdString(path));
        EXPECT_EQ(png.size(), size * scale) << scale;
    }
    // At one times the size it is the window's own picture, pixel for pixel.
    const QImage one(QString::fromStdString(dir.File("x1.png")));
    EXPECT_EQ(one.convertToFormat(QImage::Format_RGB32),
              window->canvas().surface().Image().convertToFormat(QImage::Format_RGB32));

    ASSERT_EQ(ExportPicture(*window, dir.File("x.svg"), PictureFormat::kSvg, {}), "");
    const std::string svg = ReadAll(dir.File("x.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find(">A</text>"), std::string::npos);
    EXPECT_NE(svg.find("AB ="), std::string::npos);

    PictureRequest noNumbers;
    noNumbers.content.numberList = false;
    ASSERT_EQ(ExportPicture(*window, dir.File("n.svg"), PictureFormat::kSvg, noNumbers), "");
    EXPECT_EQ(ReadAll(dir.File("n.svg")).find("AB ="), std::string::npos);

    ASSERT_EQ(ExportPicture(*window, dir.File("x.pdf"), PictureFormat::kPdf, {}), "");
    EXPECT_EQ(ReadAll(dir.File("x.pdf")).rfind("%PDF-", 0), 0u);

    ASSERT_EQ(ExportPicture(*window, dir.File("x.tex"), PictureFormat::kTikz, {}), "");
    const std::string tex = ReadAll(dir.File("x.tex"));
    EXPECT_NE(tex.find("circle[radius="), std::string::npos);
    EXPECT_NE(tex.find("{A};"), std::string::npos);

    // A folder that does not exist: the reason comes back, nothing is claimed.
    EXPECT_NE(ExportPicture(*window, dir.File("no/x.png"), PictureFormat::kPng, {}), "");
}

TEST_F(PictureWindow, CopyPutsAnImageAndAnSvgOnTheClipboardByCtrlC) {
    QApplication::clipboard()->clear();
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), CanvasSize());
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
}

TEST_F(PictureWindow, PrintsOnePageToAPdfPrinter) {
    test::TempDir dir;
    for (PrintScale scale : {PrintScale::kFitPage, PrintScale::kCentimetre}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const std::string path = dir.File(scale == PrintScale::kFitPage ? "fit.pdf" : "cm.pdf");
        printer.setOutputFileName(QString::fromStdString(path));
        ASSERT_TRUE(PrintPicture(*window, printer, scale));
        const std::string pdf = ReadAll(path);
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_NE(pdf.find("/Type /Page"), std::string::npos);
    }
}

TEST(PrintTransform, FitsThePageOrMakesAUnitACentimetre) {
    const QSize picture(641, 481);
    // A page twice as wide as the picture and as high: the height decides; centred.
    const QTransform fit =
        PrintTransform(QSizeF(1282, 481), picture, 0.05, 600, PrintScale::kFitPage);
    EXPECT_DOUBLE_EQ(fit.m11(), 1.0);
    EXPECT_DOUBLE_EQ(fit.dx(), 320.5);
    EXPECT_DOUBLE_EQ(fit.dy(), 0.0);
    // 20 pixels are one unit, which is 600 / 2.54 dots.
    const QTransform cm =
        PrintTransform(QSizeF(4000, 6000), picture, 0.05, 600, PrintScale::kCentimetre);
    EXPECT_NEAR(cm.map(QPointF(20, 0)).x() - cm.map(QPointF(0, 0)).x(), 600 / 2.54, 1e-9);
    EXPECT_NEAR(cm.map(QPointF(320.5, 240.5)).x(), 2000, 1e-9);
}

// The wheel and a pinch zoom about the point under the pointer and the sideways wheel moves
// the picture; none of them changes the figure.
TEST_F(PictureWindow, TheWheelZoomsAboutThePointerAndMoves) {
    Canvas& canvas = window->canvas();
    const std::string before = Report();
    const QPointF at(150.5, 90.5);
    const auto world = [&] {
        return MappingOf(window->app().view, canvas.width(), canvas.height())
            .PixelToWorld(at.x(), at.y());
    };
    const WorldPos under = world();
    QWheelEvent up(at, canvas.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &up);
    EXPECT_DOUBLE_EQ(window->app().view.PixelSize, 0.025);
    EXPECT_NEAR(world().x, under.x, 1e-9);
    EXPECT_NEAR(world().y, under.y, 1e-9);

    QWheelEvent side(at, canvas.mapToGlobal(at), QPoint(), QPoint(120, 0), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &side);
    // The picture moved right by 40 pixels: the point is now 40 pixels further right.
    const WorldPos moved = MappingOf(window->app().view, canvas.width(), canvas.height())
                               .PixelToWorld(at.x() + 40, at.y());
    EXPECT_NEAR(moved.x, under.x, 1e-9);
    EXPECT_NEAR(moved.y, under.y, 1e-9);
    EXPECT_DOUBLE_EQ(window->app().view.PixelSize, 0.025);
    EXPECT_EQ(Report(), before);

    // A pinch spreading the fingers to twice the size magnifies twice, about the fingers.
    const WorldPos pinched = world();
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2,
                              at, at, canvas.mapToGlobal(at), 1.0, QPointF());
    QApplication::sendEvent(&canvas, &pinch);
    EXPECT_DOUBLE_EQ(window->app().view.PixelSize, 0.0125);
    EXPECT_NEAR(world().x, pinched.x, 1e-9);
    EXPECT_NEAR(world().y, pinched.y, 1e-9);

    window->RunMenuCommand("mnuZoomFit");
    EXPECT_EQ(Report(), before);
    window->RunMenuCommand("mnuZoomDefault");
    EXPECT_EQ(window->app().view.CentreX, 0);
}

// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+S saves, Ctrl+O opens; a greyed menu keeps
// its items' shortcuts from acting, as it keeps the mouse away.
TEST_F(PictureWindow, ShortcutsRunTheirItemsOnlyWhereTheMouseCould) {
    const std::string before = Report();
    const int procedures = window->app().figure.ProcedureCount;
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->app().figure.ProcedureCount, procedures - 2);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->app().figure.ProcedureCount, procedures - 1);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Report(), before);

    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(host->saves, 1);
    EXPECT_EQ(host->opens, 1);

    PushMode(window->app().session, kModeDeform);  // dragging greys "ﾌｧｲﾙ" and "作図(継続)"
    RefreshStatus(window->app(), window->host());
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(host->saves, 1);
    EXPECT_EQ(window->app().figure.ProcedureCount, procedures);
}

}  // namespace
}  // namespace kv
