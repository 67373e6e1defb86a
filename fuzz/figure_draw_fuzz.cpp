// Feeds arbitrary bytes to the figure-file reader and draws every figure it accepts as the
// window would, at the smallest, the usual and a far-out zoom, onto a recording surface (every
// coordinate must be finite) and onto the image the window and --render paint.

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_checks.h"
#include "paint/image_surface.h"
#include "support/offscreen_app.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static std::unique_ptr<QGuiApplication> app =
        kv::test::MakeOffscreenApp<QGuiApplication>("korvinth_fuzz_draw");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::ReadResult r = kv::ReadFigureText(bytes, "fuzz.kvf");
    if (!r.result.ok()) return 0;
    kv::Figure& f = *r.figure;
    kv::NameMeasuredOutputs(f);
    for (double pixelSize : {0.0001, 0.05, 1e6}) {
        kv::test::RecordingSurface recording(161, 121);
        kv::fuzz::Draw(f, recording, pixelSize);
        kv::fuzz::RequireFiniteDrawing(recording);
        kv::ImageSurface image(161, 121);
        kv::fuzz::Draw(f, image, pixelSize);
        (void)image.Image();
    }
    return 0;
}
