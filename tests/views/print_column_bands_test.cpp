#include <gtest/gtest.h>

#include <vector>

#include "views/PrintColumnBands.h"

namespace tallymo {
namespace {

struct BandCase {
    std::vector<int> widths;
    int pageWidth;
    std::vector<int> ends;  // ColumnsUpTo(1), ColumnsUpTo(2), ...
};

TEST(PrintColumnBands, WholeColumnsPerPageAndAtLeastOne) {
    const BandCase cases[] = {
        {{9, 13, 13, 13}, 100, {4}},               // everything on one page
        {{9, 13, 13, 13}, 48, {4}},                // exactly the page width
        {{9, 13, 13, 13}, 47, {3, 4}},             // the last column goes over
        {{9, 13, 13, 13, 13, 13}, 30, {2, 4, 6}},  // later pages start at the left edge
        {{9, 13, 13}, 10, {1, 2, 3}},              // columns wider than the page: one each
        {{9, 13, 13}, 0, {1, 2, 3}},
        {{}, 100, {0}},
    };
    for (const BandCase& c : cases) {
        const PrintColumnBands bands(c.widths, c.pageWidth);
        ASSERT_EQ(bands.PageCount(), static_cast<int>(c.ends.size())) << c.pageWidth;
        EXPECT_EQ(bands.ColumnsUpTo(0), 0);
        for (int p = 1; p <= bands.PageCount(); ++p) {
            EXPECT_EQ(bands.ColumnsUpTo(p), c.ends[p - 1]) << c.pageWidth << " page " << p;
        }
        EXPECT_EQ(bands.ColumnsUpTo(bands.PageCount() + 5), c.ends.back());
    }
}

// Over a grid of page widths and column counts: no page is wider than the paper unless it
// holds a single column, no page is empty, and no page could have taken the next column.
TEST(PrintColumnBands, NoPageRunsPastItsWidth) {
    for (int columns = 1; columns <= 60; columns += 7) {
        std::vector<int> widths(static_cast<std::size_t>(columns), 13);
        widths[0] = 9;
        for (int pageWidth : {5, 13, 21, 22, 40, 100, 333, 10000}) {
            const PrintColumnBands bands(widths, pageWidth);
            EXPECT_EQ(bands.ColumnsUpTo(bands.PageCount()), columns);
            for (int p = 1; p <= bands.PageCount(); ++p) {
                const int first = bands.ColumnsUpTo(p - 1);
                const int end = bands.ColumnsUpTo(p);
                ASSERT_GT(end, first) << columns << " x " << pageWidth << " page " << p;
                int used = 0;
                for (int c = first; c < end; ++c) used += widths[c];
                if (end - first > 1) {
                    EXPECT_LE(used, pageWidth);
                }
                if (end < columns) {
                    EXPECT_GT(used + widths[end], pageWidth);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tallymo
