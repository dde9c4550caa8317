#pragma once
// The printed month table on paper: the title on the first page, then the table in bands of
// whole columns, one band a page, every page starting its table at the same height. One
// drawing serves the printer, the print preview and PDF files.
//
// Device resolution. The title (80 points) and body (40 points) sizes are screen sizes: at the
// screen's 96 dots per inch they become 106 and 53 dots high, and those dots are then used on
// the printer as they are. On a typical office printer of 600 dots per inch that gives a title
// of about 12.7 points and a body of about 6.4 points, with hairline cell frames. The pages
// are therefore laid out in 600-dot inches on every device and scaled to the device's real
// resolution, so that a printer, the preview and a PDF all show the same page.

#include <QtGlobal>

#include "views/PeriodTable.h"
#include "views/PrintColumnBands.h"

class QPainter;
class QPagedPaintDevice;

namespace tallymo {

class PrintedMonthPages {
public:
    static constexpr int kLayoutDotsPerInch = 600;

    // Lays `table` out for a printable area of the given size in device dots at the device's
    // resolution. Fonts must be available (a QGuiApplication exists).
    PrintedMonthPages(PeriodTable table, int pageWidthDots, int pageHeightDots, qreal dotsPerInchX,
                      qreal dotsPerInchY);

    int PageCount() const { return m_bands.PageCount(); }
    // The columns on pages 1 .. n (see PrintColumnBands).
    int ColumnsUpTo(int n) const { return m_bands.ColumnsUpTo(n); }

    // Draws page `page` (1 .. PageCount) with the painter's origin at the printable area's
    // top-left corner. The painter's state is given back as it was.
    void DrawPage(QPainter& painter, int page) const;

private:
    PeriodTable m_table;
    int m_titleCx = 0;
    int m_titleCy = 0;
    int m_bodyCx = 0;
    int m_bodyCy = 0;
    qreal m_scaleX = 1;  // layout dots to device dots
    qreal m_scaleY = 1;
    PrintColumnBands m_bands;
};

// Draws pages `firstPage` .. `lastPage` (clamped to the pages there are, at least one) onto a
// printer or a PDF writer, a new sheet between pages. False when no painting could start on the
// device. `pageCount`, when given, receives the number of pages of the whole table.
bool DrawPrintedMonthPages(QPagedPaintDevice& device, const PeriodTable& table, int firstPage,
                           int lastPage, int* pageCount = nullptr);

}  // namespace tallymo
