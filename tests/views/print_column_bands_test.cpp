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

// Each page takes as many whole columns as fit and at least one; a page never could have taken
// the next column.
TEST(PrintColumnBands, WholeColumnsPerPageAndAtLeastOne) {
    const BandCase cases[] = {
        {{9, 13, 13, 13}, 48, {4}},                // exactly the page width
        {{9, 13, 13, 13}, 47, {3, 4}},             // the last column goes over
        {{9, 13, 13, 13, 13, 13}, 30, {2, 4, 6}},  // later pages start at the left edge
        {{9, 13, 13}, 10, {1, 2, 3}},              // columns wider than the page: one each
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

}  // namespace
}  // namespace tallymo
