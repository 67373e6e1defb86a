// Builds the example figures as a user would construct them (free points, constructions with
// the display forms the construction commands give their outputs, colours chosen afterwards),
// recomputes them and saves them; optionally also writes the seed files of the figure-file tests.
//
// Usage: korvinth_figures EXAMPLES_DIR [TEST_DATA_DIR]

#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/recompute.h"
#include "io/figure_file.h"
#include "io/figure_lines.h"
#include "model/catalogue.h"
#include "model/figure.h"
#include "support/chain_figure.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

// Appends procedures and objects the way the construction flow does.
struct Builder {
    Figure f;
    Notifier note;

    ObjectRef Free(double x, double y, std::string_view name = {}, i16 movable = kTrue) {
        const ObjectRef pt = test::AddFreePoint(f, x, y);
        f.Points[pt.index].movable = movable;
        f.Points[pt.index].mark = 0;
        if (!name.empty()) SetName(f, pt, name);
        return pt;
    }

    // A free point tied to a line or circle at the parameter.
    ObjectRef Tied(ObjectRef on, double param, std::string_view name) {
        const ObjectRef pt = Free(0, 0, name);
        PointRecord& r = f.Points[pt.index];
        r.bindKind = on.kind;
        r.bindIndex = on.index;
        r.param = param;
        return pt;
    }

    // A number typed in through the number dialog as a new variable.
    ObjectRef Variable(double v, std::string_view name) {
        const ObjectRef n{kKindNumber, static_cast<i16>(AppendObject(f, kKindNumber))};
        f.Numbers[n.index].value = v;
        f.Numbers[n.index].exists = kTrue;
        f.Numbers[n.index].isVariable = kTrue;
        SetName(f, n, name);
        return n;
    }

    // The code with its inputs; the outputs are created with the catalogue's kinds and get the
    // display forms its construction command gives them (`form1` overrides the first, as the
    // segment and half-line menu items do for L1).
    std::vector<ObjectRef> Make(std::string_view code, std::vector<ObjectRef> in, i16 form1 = -1) {
        const CodeInfo* info = FindCode(code);
        const std::vector<ObjectRef> out = test::AddConstruction(f, code, in);
        for (size_t j = 0; j < out.size(); ++j) {
            const ObjectRef r = out[j];
            InitObject(f, r);
            i16 form = j == 0 ? info->outputForm1 : (j == 1 ? info->outputForm2 : -1);
            if (j == 0 && form1 >= 0) form = form1;
            if (form >= 0 && r.kind == kKindPoint) f.Points[r.index].mark = form;
            if (form >= 0 && r.kind == kKindLine) f.Lines[r.index].form = form;
        }
        return out;
    }
    ObjectRef Make1(std::string_view code, std::vector<ObjectRef> in, i16 form1 = -1) {
        return Make(code, std::move(in), form1).front();
    }

    void Colour(ObjectRef r, i16 c) {
        if (r.kind == kKindPoint) f.Points[r.index].colour = c;
        if (r.kind == kKindLine) f.Lines[r.index].colour = c;
        if (r.kind == kKindCircle) f.Circles[r.index].colour = c;
    }
    void Name(ObjectRef r, std::string_view name) { SetName(f, r, name); }
};

constexpr i16 kBlue = 1, kGreen = 2, kCyan = 3, kRed = 4, kPurple = 5;
constexpr i16 kSegment = 1;

// A triangle with its circumcentre O, centroid G, orthocentre H and nine-point centre N on one
// line, the Euler line; the nine-point circle has half the circumradius, and OG : GH = 1 : 2.
Figure EulerLine() {
    Builder b;
    // Large enough that the distances read well with the default of no decimal places.
    const ObjectRef A = b.Free(-10, -4, "A"), B = b.Free(8, -5, "B"), C = b.Free(6, 6, "C");
    b.Make1("L1", {A, B}, kSegment);
    b.Make1("L1", {B, C}, kSegment);
    b.Make1("L1", {C, A}, kSegment);
    const ObjectRef O = b.Make1("P1", {A, B, C});
    const ObjectRef G = b.Make1("P3", {A, B, C});
    const ObjectRef H = b.Make1("P4", {A, B, C});
    const ObjectRef N = b.Make1("P6", {A, B, C});
    b.Name(O, "O");
    b.Name(G, "G");
    b.Name(H, "H");
    b.Name(N, "N");
    b.Colour(O, kRed);
    b.Colour(G, kGreen);
    b.Colour(H, kBlue);
    b.Colour(N, kPurple);
    b.Colour(b.Make1("L1", {O, H}), kRed);
    b.Colour(b.Make1("C3", {A, B, C}), kCyan);
    b.Colour(b.Make1("C7", {A, B, C}), kPurple);
    b.Make1("ND2P", {O, G});
    b.Make1("ND2P", {G, H});
    b.Make1("ND2P", {O, N});
    b.Make1("ND2P", {N, H});
    b.Make1("NRC", {{kKindCircle, 1}});
    b.Make1("NRC", {{kKindCircle, 2}});
    RecomputeFigure(b.f, b.note);
    return std::move(b.f);
}

// The two tangents from a point P to a circle touch it at T1 and T2, which lie on the polar of
// P; the tangent lengths PT1 and PT2 agree.
Figure TangentsAndPolar() {
    Builder b;
    const ObjectRef O = b.Free(0, 0, "O"), R = b.Free(3, 0, "R");
    const ObjectRef circle = b.Make1("C2", {O, R});
    const ObjectRef P = b.Free(7, 2, "P");
    const std::vector<ObjectRef> tangents = b.Make("L5", {P, circle});
    b.Colour(tangents[0], kBlue);
    b.Colour(tangents[1], kBlue);
    const ObjectRef polar = b.Make1("L8", {P, circle});
    b.Colour(polar, kRed);
    const std::vector<ObjectRef> touch = b.Make("PC2", {polar, circle});
    b.Name(touch[0], "T1");
    b.Name(touch[1], "T2");
    b.Colour(touch[0], kRed);
    b.Colour(touch[1], kRed);
    b.Make1("ND2P", {P, touch[0]});
    b.Make1("ND2P", {P, touch[1]});
    b.Make1("NDPL", {O, tangents[0]});
    b.Make1("NRC", {circle});
    RecomputeFigure(b.f, b.note);
    return std::move(b.f);
}

// Points read as complex numbers: the product zw has the product of the moduli and the sum of
// the arguments. O and E stay fixed (they may not be dragged); z and w are free.
Figure ComplexProduct() {
    Builder b;
    const ObjectRef O = b.Free(0, 0, "O", 1), E = b.Free(1, 0, "E", 1);
    b.Colour(b.Make1("C2", {O, E}), kCyan);
    // zw = (3 + i)(1 + 2i) = 1 + 7i: the angles 18 and 63 add up to 81 degrees.
    const ObjectRef z = b.Free(3, 1, "z"), w = b.Free(1, 2, "w");
    const ObjectRef zw = b.Make1("PO*", {z, w});
    b.Name(zw, "zw");
    b.Colour(zw, kRed);
    b.Make1("L1", {O, z}, kSegment);
    b.Make1("L1", {O, w}, kSegment);
    b.Colour(b.Make1("L1", {O, zw}, kSegment), kRed);
    b.Make1("ND2P", {O, z});
    b.Make1("ND2P", {O, w});
    b.Make1("ND2P", {O, zw});
    b.Make1("NA3+", {E, O, z});
    b.Make1("NA3+", {E, O, w});
    b.Make1("NA3+", {E, O, zw});
    RecomputeFigure(b.f, b.note);
    return std::move(b.f);
}

// Inversion in a circle maps the line UV to the circle through the centre O and the images U'
// and V'; it meets the circle of inversion where the line does. A point X tied to the line has
// its image X' on that circle, which X' traces (its locus colour is set) while X slides.
Figure InversionOfALine() {
    Builder b;
    const ObjectRef O = b.Free(0, 0, "O"), R = b.Free(3, 0, "R");
    const ObjectRef circle = b.Make1("C2", {O, R});
    b.Colour(circle, kCyan);
    const ObjectRef U = b.Free(-9, 3, "U"), V = b.Free(9, 0, "V");
    const ObjectRef line = b.Make1("L1", {U, V});
    const ObjectRef X = b.Tied(line, 14, "X");
    const ObjectRef image = b.Make1("PT4", {X, circle});
    b.Name(image, "X'");
    b.Colour(image, kRed);
    b.f.Points[image.index].locusColour = kRed;
    const ObjectRef uImage = b.Make1("PT4", {U, circle});
    const ObjectRef vImage = b.Make1("PT4", {V, circle});
    b.Name(uImage, "U'");
    b.Name(vImage, "V'");
    b.Colour(b.Make1("C3", {O, uImage, vImage}), kRed);
    b.Make1("ND2P", {O, X});
    b.Make1("ND2P", {O, image});
    RecomputeFigure(b.f, b.note);
    return std::move(b.f);
}

// The triangle of the figure-file tests, stored as constructed: the computed objects still sit at
// the origin, so a report of the loaded file shows what the recompute makes of them.
Figure TestTriangle(std::string_view firstName = "A") {
    Builder b;
    const ObjectRef A = b.Free(0, 0), B = b.Free(4, 0), C = b.Free(0, 3);
    b.Name(A, firstName);
    const ObjectRef D = b.Make1("P1", {A, B, C});
    b.Make1("C2", {D, A});
    b.Make1("L1", {A, B});
    b.Make1("ND2P", {A, B});
    return std::move(b.f);
}

// Every catalogue code once, with slots of the catalogue's kinds.
Figure EveryCode() {
    Builder b;
    for (int i = 0; i < 3; ++i) {
        b.Free(i, i * i);
        b.Variable(i + 0.5, "v" + std::to_string(i));
        AppendObject(b.f, kKindLine);
        AppendObject(b.f, kKindCircle);
    }
    int turn = 0;
    for (const CodeInfo& c : CodeCatalogue()) {
        const int p = AppendProcedure(b.f, c.code);
        for (size_t j = 0; j < c.inputs.size(); ++j)
            b.f.ProcInput[p][j + 1] = {KindOfLetter(c.inputs[j]), static_cast<i16>(1 + turn++ % 3)};
        for (size_t j = 0; j < c.outputs.size(); ++j)
            b.f.ProcOutput[p][j + 1] = {KindOfLetter(c.outputs[j]),
                                        static_cast<i16>(1 + turn++ % 3)};
        if (c.outputs.size() == 2 && turn % 2) b.f.SwapFlag[p] = kTrue;
    }
    return std::move(b.f);
}

bool WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) std::fprintf(stderr, "korvinth_figures: cannot write %s\n", path.c_str());
    return static_cast<bool>(out);
}

bool Save(const std::filesystem::path& path, Figure f) {
    const SaveResult r = SaveFigureFile(path.string(), f);
    if (!r.ok()) std::fprintf(stderr, "korvinth_figures: %s\n", r.error.Describe().c_str());
    return r.ok();
}

// The file text in the older layout: the isVariable line after each number dropped.
std::string WithoutIsVariableLines(const Figure& f) {
    const std::string text = FigureFileText(f);
    const std::vector<std::string_view> lines = SplitLines(text);
    const size_t first = 1 + 11 * static_cast<size_t>(f.ProcedureCount) + 11;
    const size_t last = first + 2 * static_cast<size_t>(f.ObjectCount[0]);
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i >= first && i < last && (i - first) % 2 == 1) continue;
        out.append(lines[i]);
        out += "\r\n";
    }
    return out;
}

std::string ToShiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Replaces line `index` (0-based) of a file text.
std::string ReplaceLine(const std::string& text, size_t index, std::string_view with) {
    std::string out;
    size_t i = 0;
    for (std::string_view l : SplitLines(text)) {
        out.append(i++ == index ? with : l);
        out += "\r\n";
    }
    return out;
}

int Main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc == 4 && std::string_view(argv[1]) == "--chain") {
        const int steps = std::atoi(argv[2]);
        return steps > 0 && steps <= 10000 && Save(argv[3], test::ChainFigure(steps)) ? 0 : 2;
    }
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: korvinth_figures EXAMPLES_DIR [TEST_DATA_DIR]\n"
                     "       korvinth_figures --chain STEPS OUT.kvf\n");
        return 2;
    }
    bool ok = true;
    const fs::path examples = argv[1];
    fs::create_directories(examples);
    const Figure inversion = InversionOfALine();
    ok &= Save(examples / "euler-line.kvf", EulerLine());
    ok &= Save(examples / "tangents-and-polar.kvf", TangentsAndPolar());
    ok &= Save(examples / "complex-product.kvf", ComplexProduct());
    ok &= Save(examples / "inversion-of-a-line.kvf", inversion);
    if (argc >= 3) {
        const fs::path data = argv[2];
        fs::create_directories(data / "bad");
        const std::string triangle = FigureFileText(TestTriangle());
        ok &= WriteBytes(data / "empty.kvf", FigureFileText(Figure()));
        ok &= WriteBytes(data / "triangle.kvf", triangle);
        ok &= WriteBytes(data / "every-code.kvf", FigureFileText(EveryCode()));
        ok &= WriteBytes(data / "rev0-numbers.kvf", WithoutIsVariableLines(EulerLine()));
        ok &= WriteBytes(data / "sjis-point.kvf", ToShiftJis(FigureFileText(TestTriangle("点Ａ"))));
        ok &= Save(data / "tied-points.kvf", inversion);
        // Procedure 4, input 1 (line 24) of kind 7.
        ok &= WriteBytes(data / "bad" / "kind-7.kvf", ReplaceLine(triangle, 23, "7,1"));
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
    return kv::Main(argc, argv);
}
