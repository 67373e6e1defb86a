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

// A folder of its own under the system's temporary folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvinth-io-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(std::string_view name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    size_t EntryCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_)) ++n;
        return n;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteAll(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string DataFile(std::string_view name) {
    return std::string(KORVINTH_TEST_DATA) + "/" + std::string(name);
}

}  // namespace kv
