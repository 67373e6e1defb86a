#pragma once
// Figures and temporary folders for the figure-file tests.

#include <gtest/gtest.h>

#include <unistd.h>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "io/figure_file.h"
#include "model/figure.h"
#include "support/figure_builder.h"
#include "support/temp_dir.h"

namespace kv {

using test::AddFreePoint;

// The triangle A(0,0), B(4,0), C(0,3) with its circumcentre D, the circle through A about D,
// the line AB and the distance AB; stored positions of the computed objects are left at 0.
inline Figure TriangleFigure() {
    Figure f;
    const ObjectRef a = AddFreePoint(f, 0, 0);
    const ObjectRef b = AddFreePoint(f, 4, 0);
    const ObjectRef c = AddFreePoint(f, 0, 3);
    const ObjectRef d = test::AddProcedure(f, "P1", {a, b, c}, {kKindPoint})[0];
    test::AddProcedure(f, "C2", {d, a}, {kKindCircle});
    test::AddProcedure(f, "L1", {a, b}, {kKindLine});
    test::AddProcedure(f, "ND2P", {a, b}, {kKindNumber});
    f.Lines[1].name = "1";
    f.Circles[1].name = "1";
    return f;
}

inline bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

inline std::string DataFile(std::string_view name) {
    return std::string(KORVINTH_TEST_DATA) + "/" + std::string(name);
}

}  // namespace kv
