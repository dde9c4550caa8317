// The printed pages drawn into images of the printable area, for a grid of paper widths and
// matter counts: nothing is drawn past the paper, every page holds columns, every column is
// printed once, and the figures with a minus come out red.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "views/PeriodTable.h"
#include "views/printing/PrintedMonthPages.h"

namespace tallymo {
namespace {

// A month of 31 days over `matters` matters; the names are long enough to overrun a column.
PeriodTable MonthTable(int matters) {
    PeriodTable table(34, matters + 2);
    table.title = "2024年03月分 小遣い帳";
    table.At(0, 0).text = "日付";
    table.At(0, matters + 1).text = "小計";
    for (int c = 1; c <= matters; ++c) {
        table.At(0, c).text = "とても長い名前の事柄" + std::to_string(c);
    }
    for (int r = 1; r < 34; ++r) {
        table.At(r, 0).text = "03/01(金)";
        for (int c = 1; c <= matters + 1; ++c) table.At(r, c).text = "    1,234,567";
    }
    table.At(5, matters + 1).text = "       -1,500";
    return table;
}

TEST(PrintedMonthPages, StayInsideThePaperWhateverItsSize) {
    constexpr int kDpi = 100;
    constexpr int kSlack = 120;  // image room beyond the paper, where nothing may appear
    const QSize papers[] = {{60, 60}, {400, 200}, {827, 1169}, {3000, 500}};
    for (int matters : {0, 8, 100}) {
        const PeriodTable table = MonthTable(matters);
        for (const QSize paper : papers) {
            SCOPED_TRACE(testing::Message()
                         << matters << " matters on " << paper.width() << "x" << paper.height());
            const PrintedMonthPages pages(table, paper.width(), paper.height(), kDpi, kDpi);
            ASSERT_GE(pages.PageCount(), 1);
            EXPECT_EQ(pages.ColumnsUpTo(pages.PageCount()), matters + 2);
            bool red = false;
            for (int p = 1; p <= pages.PageCount(); ++p) {
                ASSERT_GT(pages.ColumnsUpTo(p), pages.ColumnsUpTo(p - 1)) << "page " << p;
                QImage image(paper + QSize(kSlack, kSlack), QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    pages.DrawPage(painter, p);
                }
                bool inked = false;
                for (int y = 0; y < image.height(); ++y) {
                    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb pixel = line[x];
                        if (qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250)
                            continue;
                        inked = true;
                        ASSERT_TRUE(x < paper.width() && y < paper.height())
                            << "page " << p << " drawn at " << x << "," << y;
                        red = red || (qRed(line[x]) - qGreen(line[x]) > 100 &&
                                      qRed(line[x]) - qBlue(line[x]) > 100);
                    }
                }
                EXPECT_TRUE(inked) << "page " << p;
            }
            // On a tiny paper the shrunk figures blur into grey.
            if (paper.width() >= 827) {
                EXPECT_TRUE(red);
            }
        }
    }
}

}  // namespace
}  // namespace tallymo
