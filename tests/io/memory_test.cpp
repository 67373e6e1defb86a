// Reading a file holds memory in proportion to it: a file whose only large item is a very long
// name is held no more than about three times over, in UTF-8 as in Shift-JIS. Every allocation
// of this test program is counted to see it.

#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "io/figure_file.h"
#include "io_test_util.h"

namespace {

struct AllocationMeter {
    std::atomic<size_t> current{0};
    std::atomic<size_t> peak{0};
};

AllocationMeter& Meter() {
    static AllocationMeter meter;
    return meter;
}

void* Counted(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    AllocationMeter& m = Meter();
    const size_t now = m.current += malloc_usable_size(p);
    size_t peak = m.peak.load();
    while (now > peak && !m.peak.compare_exchange_weak(peak, now)) {
    }
    return p;
}

void Uncounted(void* p) {
    if (!p) return;
    Meter().current -= malloc_usable_size(p);
    std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
    return Counted(size);
}
void* operator new[](std::size_t size) {
    return Counted(size);
}
void operator delete(void* p) noexcept {
    Uncounted(p);
}
void operator delete[](void* p) noexcept {
    Uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Uncounted(p);
}

namespace kv {
namespace {

// The most memory held at once while the figure file is loaded, beyond what was held before.
size_t PeakWhileLoading(const std::string& path) {
    Figure f;
    AllocationMeter& m = Meter();
    const size_t before = m.current;
    m.peak = before;
    const LoadResult r = LoadFigureFile(path, f);
    EXPECT_TRUE(r.ok()) << r.error.Describe();
    return m.peak - before;
}

struct LongName {
    const char* what;
    std::string character;  // repeated to make the name
    std::string cut;        // the name as read: ten of them
};

TEST(Memory, ALongNameIsHeldAtMostThreeTimesOverWhileItIsRead) {
    const std::string text = FigureFileText(TriangleFigure());
    for (const LongName& row : {LongName{"UTF-8", "漢", "漢漢漢漢漢漢漢漢漢漢"},
                                LongName{"Shift-JIS", "\x8a\xbf", "漢漢漢漢漢漢漢漢漢漢"}}) {
        SCOPED_TRACE(row.what);
        std::string huge;
        for (int i = 0; i < (4 << 20) / static_cast<int>(row.character.size()); ++i)
            huge += row.character;
        std::string file = text;
        const size_t at = file.find("\r\n\"A\"\r\n");  // the name of the first point
        ASSERT_NE(at, std::string::npos);
        file.replace(at + 2, 3, "\"" + huge + "\"");
        TempDir dir;
        const std::string path = dir.File("long.kvf");
        WriteAll(path, file);
        huge = {};
        EXPECT_LE(PeakWhileLoading(path), 3 * file.size());

        Figure f;
        ASSERT_TRUE(LoadFigureFile(path, f).ok());
        EXPECT_EQ(f.Points[1].name, row.cut);
    }
}

}  // namespace
}  // namespace kv
