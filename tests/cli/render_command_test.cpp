#include "cli/render_command.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/offscreen_gui.h"
#include "io/figure_file.h"
#include "model/figure.h"
#include "paint/picture_export.h"
#include "support/figure_builder.h"
#include "support/temp_dir.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::optional<RenderOptions> Parse(std::vector<std::string> args, std::string* error = nullptr) {
    std::string e;
    auto o = ParseRenderOptions(args, e);
    if (error) *error = e;
    return o;
}

TEST(RenderOptions, DefaultsAndEveryOption) {
    const auto plain = Parse({"fig.kvf", "out.png"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->figurePath, "fig.kvf");
    EXPECT_EQ(plain->imagePath, "out.png");
    EXPECT_EQ(plain->width, 641);
    EXPECT_EQ(plain->height, 481);
    EXPECT_FALSE(plain->axes);
    EXPECT_EQ(plain->digits, 0);
    EXPECT_DOUBLE_EQ(plain->pixelSize, 0.05);
    EXPECT_TRUE(plain->smooth);
    EXPECT_FALSE(Parse({"--classic", "fig.kvf", "out.png"})->smooth);

    const auto all = Parse(
        {"--axes", "a.kvf", "--size", "1280x960", "b.png", "--digits", "3", "--pixel-size", "0.1"});
    ASSERT_TRUE(all);
    EXPECT_EQ(all->figurePath, "a.kvf");
    EXPECT_EQ(all->imagePath, "b.png");
    EXPECT_EQ(all->width, 1280);
    EXPECT_EQ(all->height, 960);
    EXPECT_TRUE(all->axes);
    EXPECT_EQ(all->digits, 3);
    EXPECT_DOUBLE_EQ(all->pixelSize, 0.1);
}

TEST(RenderOptions, BadArgumentsAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"only.kvf"},
        {"a", "b", "c"},
        {"a", "b", "--size"},
        {"a", "b", "--size", "640"},
        {"a", "b", "--size", "0x480"},
        {"a", "b", "--size", "640x-1"},
        {"a", "b", "--size", "99999x10"},
        {"a", "b", "--size", "64 0x480"},
        {"a", "b", "--digits", "21"},
        {"a", "b", "--digits", "-1"},
        {"a", "b", "--digits", "two"},
        {"a", "b", "--pixel-size", "0"},
        {"a", "b", "--pixel-size", "nan"},
        {"a", "b", "--pixel-size", "1e300"},
        {"a", "b", "--zoom", "2"},
    };
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(Parse(args, &error)) << ::testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

using test::TempDir;

// The mean difference of two pictures of the same size per channel (0..255).
double MeanDifferenceOf(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// A red filled box at the origin and, with `measured`, a second point at (1.5, 0) and their
// distance in the number list.
std::string WriteFigure(const fs::path& dir, bool measured = false) {
    Figure f;
    const auto point = [&](double x) {
        const int i = test::AddPoint(f, x, 0, 4);
        f.Points[i].colour = 4;
        return i;
    };
    const int a = point(0);
    if (measured) {
        const int b = point(1.5);
        const int n = test::AddFromTwoPoints(f, "ND2P", a, b, kKindNumber);
        f.Numbers[n].name = "AB";
    }
    const std::string path = (dir / (measured ? "measured.kvf" : "point.kvf")).string();
    EXPECT_TRUE(WriteFigureFile(path, f).ok());
    return path;
}

QImage Render(const std::vector<std::string>& args) {
    std::ostringstream err;
    EXPECT_EQ(RunRenderCommand(args, err), 0) << err.str();
    return QImage(QString::fromStdString(args.at(1)));
}

TEST(RenderCommand, WritesThePictureAsPng) {
    TempDir dir;
    const std::string figure = WriteFigure(dir.path());
    const std::string image = (dir.path() / "point.png").string();
    std::ostringstream err;
    const std::vector<std::string> args = {figure, image, "--size", "201x101"};
    ASSERT_EQ(RunRenderCommand(args, err), 0) << err.str();
    QImage png(QString::fromStdString(image));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.width(), 201);
    EXPECT_EQ(png.height(), 101);
    EXPECT_EQ(png.pixel(100, 50), qRgb(128, 0, 0));
    EXPECT_EQ(png.pixel(5, 5), qRgb(192, 192, 192));
}

// --axes, --pixel-size and --digits reach the picture.
TEST(RenderCommand, OptionsChangeThePicture) {
    TempDir dir;
    const std::string figure = WriteFigure(dir.path(), true);
    const std::string out = (dir.path() / "out.png").string();
    const QRgb red = qRgb(128, 0, 0);
    const QRgb axis = qRgb(170, 170, 170);

    const QImage plain = Render({figure, out});
    EXPECT_EQ(plain.pixel(320, 10), qRgb(192, 192, 192));
    EXPECT_EQ(plain.pixel(320 + 27, 238), red);  // B = (1.5, 0) at 20 pixels per unit

    const QImage axes = Render({figure, out, "--axes", "--pixel-size", "0.1"});
    EXPECT_EQ(axes.pixel(320, 10), axis);        // the y axis, solid
    EXPECT_EQ(axes.pixel(320 + 12, 238), red);   // 10 pixels per unit
    EXPECT_EQ(axes.pixel(320 + 30, 240), axis);  // now only the x axis is there

    // " 1." with no decimal places, " 1.5  " with three: only the number list differs.
    const QImage digits = Render({figure, out, "--digits", "3"});
    ASSERT_EQ(digits.size(), plain.size());
    int differ = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (digits.pixel(x, y) != plain.pixel(x, y)) {
                ++differ;
                EXPECT_LT(x, 200);
                EXPECT_GT(y, 380);
            }
    EXPECT_GT(differ, 0);
}

// Smooth drawing reaches the picture of every raster path, and --classic gives whole pixels:
// a slanted line has blended grey levels only when smooth, and a "・" point is one pixel
// classic but a dot of several smooth.
TEST(RenderCommand, SmoothDrawingBlendsEdgesAndClassicDoesNot) {
    TempDir dir;
    Figure f;
    const int a = test::AddPoint(f, -5, -3);
    const int b = test::AddPoint(f, 4, 2);
    test::AddLineThrough(f, a, b, 1);
    test::AddPoint(f, 3, -4);  // the lone "・"
    const std::string figure = (dir.path() / "slant.kvf").string();
    ASSERT_TRUE(WriteFigureFile(figure, f).ok());
    const std::string out = (dir.path() / "out.png").string();
    struct Row {
        std::vector<std::string> extra;
        bool smooth;
    } const rows[] = {{{}, true},
                      {{"--classic"}, false},
                      {{"--scale", "2"}, true},
                      {{"--scale", "2", "--classic"}, false}};
    for (const Row& row : rows) {
        std::vector<std::string> args = {figure, out};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        const QImage image = Render(args);
        const int k = image.width() / 641;
        int blended = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                blended += p != qRgb(0, 0, 0) && p != qRgb(192, 192, 192);
            }
        const std::string what = row.extra.empty() ? "default" : row.extra.back();
        EXPECT_EQ(blended > 0, row.smooth) << what;
        // The lone point at (3, -4), 60 and 80 pixels from the centre at 20 per unit; its name
        // lies to the right and below, outside the corner looked at.
        int dark = 0;
        for (int y = (320 - 6) * k; y < (320 + 1) * k; ++y)
            for (int x = (380 - 6) * k; x < (380 + 1) * k; ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        if (row.smooth) {
            EXPECT_GE(dark, 4 * k * k) << what;
        } else {
            EXPECT_EQ(dark, k * k) << what;
        }
    }
}

TEST(RenderCommand, BadFileOrOptionsExitTwoWithOneLine) {
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{(dir.path() / "missing.kvf").string(), "x.png"},
          std::vector<std::string>{"x.kvf"}}) {
        std::ostringstream err;
        EXPECT_EQ(RunRenderCommand(args, err), 2);
        const std::string text = err.str();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    }
    // An image that cannot be written is a failure, not a success.
    const std::string figure = WriteFigure(dir.path());
    std::ostringstream err;
    const std::vector<std::string> args = {figure, (dir.path() / "no" / "such" / "x.png").string()};
    EXPECT_EQ(RunRenderCommand(args, err), 1);
    EXPECT_FALSE(err.str().empty());
}

TEST(RenderCommand, TheFormatIsChosenByTheExtensionInAnyCase) {
    const std::vector<std::pair<const char*, std::optional<PictureFormat>>> rows = {
        {"a.svg", PictureFormat::kSvg},
        {"dir/B.SVG", PictureFormat::kSvg},
        {".svg", PictureFormat::kSvg},
        {"a.png", PictureFormat::kPng},
        {"a.svg.PNG", PictureFormat::kPng},
        {"x.pdf", PictureFormat::kPdf},
        {"x.Pdf", PictureFormat::kPdf},
        {"fig.tex", PictureFormat::kTikz},
        {"fig.TIKZ", PictureFormat::kTikz},
        {"svg", std::nullopt},
        {"a.svgz", std::nullopt},
        {"a.jpg", std::nullopt},
        {"a", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, format] : rows) EXPECT_EQ(PictureFormatOf(path), format) << path;
}

// An OUT whose extension names no format is an error before anything is written; it used to
// give PNG data under any name, with success.
TEST(RenderCommand, AnUnknownExtensionExitsTwoAndWritesNothing) {
    TempDir dir;
    const std::string figure = WriteFigure(dir.path());
    for (const char* name : {"x.jpg", "x", "x.pdf.bak"}) {
        const std::string out = (dir.path() / name).string();
        std::ostringstream err;
        EXPECT_EQ(RunRenderCommand(std::vector<std::string>{figure, out}, err), 2) << name;
        EXPECT_NE(err.str().find(".png"), std::string::npos) << err.str();
        EXPECT_FALSE(fs::exists(out)) << name;
        RenderOptions direct;
        direct.figurePath = figure;
        direct.imagePath = out;
        std::ostringstream err2;
        EXPECT_EQ(RunRenderCommand(direct, err2), 2) << name;
        EXPECT_FALSE(fs::exists(out)) << name;
    }
}

// The PDF's one page: its size in points, and its content stream inflated.
struct PdfContents {
    bool header = false;
    int pages = 0;
    QString mediaBox;
    QByteArray content;  // the page's drawing operators
};

PdfContents ReadPdf(const std::string& path) {
    PdfContents c;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return c;
    const QByteArray pdf = file.readAll();
    c.header = pdf.startsWith("%PDF-");
    c.pages =
        static_cast<int>(pdf.count("/Type /Page\n")) + static_cast<int>(pdf.count("/Type /Page\r"));
    const qsizetype box = pdf.indexOf("/MediaBox [");
    if (box >= 0)
        c.mediaBox = QString::fromLatin1(pdf.mid(box + 11, pdf.indexOf(']', box) - box - 11));
    // Every deflated stream, inflated (qUncompress wants the length first; any large one does).
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        QByteArray z = pdf.mid(start, end - start);
        QByteArray sized(4, '\0');
        sized[0] = 0x01;  // 16 MB
        const QByteArray plain = qUncompress(sized + z);
        if (plain.contains(" re") || plain.contains(" l\n") || plain.contains(" m\n"))
            c.content += plain;
        at = end;
    }
    return c;
}

// Every format from the same figure: the file opens and holds the objects.
TEST(RenderCommand, WritesEachFormatByItsExtension) {
    const OffscreenGui gui;
    TempDir dir;
    const std::string figure = WriteFigure(dir.path(), true);
    const auto run = [&](const std::string& name, std::vector<std::string> extra = {}) {
        const std::string out = (dir.path() / name).string();
        std::vector<std::string> args = {figure, out, "--size", "201x101"};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream err;
        EXPECT_EQ(RunRenderCommand(args, err), 0) << name << err.str();
        return out;
    };
    // PNG at one, two and four times the size: the same picture, enlarged.
    const QImage one(QString::fromStdString(run("one.png")));
    for (int k : {2, 4}) {
        const QImage big(QString::fromStdString(run("big.png", {"--scale", std::to_string(k)})));
        ASSERT_EQ(big.size(), one.size() * k) << k;
        EXPECT_EQ(big.pixel(100 * k + k / 2, 50 * k + k / 2), qRgb(128, 0, 0)) << k;
        EXPECT_EQ(big.pixel(5 * k, 5 * k), qRgb(192, 192, 192)) << k;
        // Shrunk back, it is the small picture up to the text, which is drawn afresh.
        const QImage back = big.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_LT(MeanDifferenceOf(back, one), 2.0) << k;
    }
    for (const char* bad : {"0", "3", "x"}) {
        std::string error;
        EXPECT_FALSE(Parse({"a.kvf", "b.png", "--scale", bad}, &error)) << bad;
    }

    const PdfContents pdf = ReadPdf(run("fig.PDF"));
    EXPECT_TRUE(pdf.header);
    EXPECT_EQ(pdf.pages, 1);
    const QStringList box = pdf.mediaBox.split(' ', Qt::SkipEmptyParts);
    ASSERT_EQ(box.size(), 4) << pdf.mediaBox.toStdString();
    EXPECT_NEAR(box[2].toDouble(), 201 * 0.75, 0.5);
    EXPECT_NEAR(box[3].toDouble(), 101 * 0.75, 0.5);
    // The grey background and the red box of the point are filled; text is shown.
    EXPECT_TRUE(pdf.content.contains(" re")) << pdf.content.left(400).toStdString();
    EXPECT_TRUE(pdf.content.contains("0.501960813 0 0 scn"))
        << pdf.content.left(2000).toStdString();
    EXPECT_TRUE(pdf.content.contains("0 0 201 101 re"));
    EXPECT_TRUE(pdf.content.contains("Tj") || pdf.content.contains("TJ"));

    std::ifstream tikz(run("fig.tex"));
    const std::string tex((std::istreambuf_iterator<char>(tikz)), std::istreambuf_iterator<char>());
    EXPECT_NE(tex.find("\\begin{tikzpicture}"), std::string::npos);
    EXPECT_NE(tex.find("\\definecolor{kvred}{RGB}{128,0,0}"), std::string::npos);
    EXPECT_NE(tex.find("{AB\\ =\\ "), std::string::npos) << tex;
}

// What an SVG picture holds, read back with an XML reader.
struct SvgContents {
    bool wellFormed = false;
    QString width, height, viewBox;
    int curves = 0;  // ellipses, circles and paths
    QStringList texts;
};

SvgContents ReadSvg(const std::string& path) {
    SvgContents c;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return c;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        if (name == u"svg") {
            c.width = xml.attributes().value("width").toString();
            c.height = xml.attributes().value("height").toString();
            c.viewBox = xml.attributes().value("viewBox").toString();
        } else if (name == u"ellipse" || name == u"circle" || name == u"path") {
            ++c.curves;
        } else if (name == u"text") {
            c.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    c.wellFormed = !xml.hasError();
    return c;
}

// Millimetres at 96 dots per inch, back in pixels.
double MillimetresToPixels(const QString& length) {
    EXPECT_TRUE(length.endsWith("mm")) << length.toStdString();
    return length.chopped(2).toDouble() * kSvgDotsPerInch / 25.4;
}

// The mean difference of two pictures per channel (0..255), both shrunk by `factor` with
// smoothing, so that antialiased edges and single-pixel shifts count little.
double MeanDifference(const QImage& a, const QImage& b, int factor) {
    const QSize small = a.size() / factor;
    const QImage x = a.convertToFormat(QImage::Format_RGB32)
                         .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.convertToFormat(QImage::Format_RGB32)
                         .scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int j = 0; j < small.height(); ++j) {
        for (int i = 0; i < small.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * small.width() * small.height());
}

// The triangle example with a Japanese name for its first point: the SVG is well-formed, has
// its size, its circle as a curve, every name as text, and looks like the PNG of the figure.
TEST(RenderCommand, WritesTheSameFigureAsSvg) {
    const OffscreenGui gui;  // for the renderer below; the command uses it too
    TempDir dir;
    Figure f;
    ASSERT_TRUE(LoadFigureFile(std::string(KORVINTH_TEST_DATA) + "/triangle.kvf", f).ok());
    f.Points[1].name = "頂点";
    // Characters that XML must escape, in the file name (the picture's title).
    const std::string figure = (dir.path() / "tri&<angle>.kvf").string();
    ASSERT_TRUE(WriteFigureFile(figure, f).ok());
    const std::string svgPath = (dir.path() / "triangle.SVG").string();
    const std::string pngPath = (dir.path() / "triangle.png").string();
    const QImage png = Render({figure, pngPath, "--size", "401x321"});
    std::ostringstream err;
    const std::vector<std::string> svgArgs = {figure, svgPath, "--size", "401x321"};
    ASSERT_EQ(RunRenderCommand(svgArgs, err), 0) << err.str();

    const SvgContents svg = ReadSvg(svgPath);
    ASSERT_TRUE(svg.wellFormed);
    EXPECT_NEAR(MillimetresToPixels(svg.width), 401, 0.01);
    EXPECT_NEAR(MillimetresToPixels(svg.height), 321, 0.01);
    EXPECT_EQ(svg.viewBox, "0 0 401 321");
    EXPECT_GE(svg.curves, 1);
    for (const char* name : {"頂点", "B", "C", "D"})
        EXPECT_TRUE(svg.texts.contains(QString::fromUtf8(name))) << name;

    // Drawn by an SVG renderer, the picture is the PNG's, up to antialiasing and fonts.
    QSvgRenderer renderer(QString::fromStdString(svgPath));
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(png.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        renderer.render(&p);
    }
    // The figure is thin lines on grey, so the difference is judged against that of an empty
    // picture: the rendered SVG must be much closer to the PNG than nothing drawn at all.
    QImage blank(png.size(), QImage::Format_RGB32);
    blank.fill(qRgb(192, 192, 192));
    const double fromSvg = MeanDifference(png, drawn, 4);
    const double fromBlank = MeanDifference(png, blank, 4);
    EXPECT_GT(fromBlank, 1.0);
    EXPECT_LT(fromSvg, 0.5 * fromBlank);
}

}  // namespace
}  // namespace kv
