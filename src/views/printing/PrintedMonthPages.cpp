#include "views/printing/PrintedMonthPages.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "doc/TextCodec.h"

namespace tallymo {
namespace {

// Point sizes in tenths, as they are handed to the font creation for the screen.
constexpr int kTitleTenths = 800;
constexpr int kBodyTenths = 400;
constexpr int kScreenDotsPerInch = 96;
constexpr int kCaptionColumnChars = 9;
constexpr int kFigureColumnChars = 13;

// The installed faces standing in for the Japanese system faces ＭＳ 明朝 and ＭＳ ゴシック.
const char* const kTitleFace = "IPAMincho";
const char* const kBodyFace = "IPAGothic";

// The screen's conversion of a size in tenths of a point to a height in dots (truncated).
int ScreenDots(int tenths) {
    return tenths * kScreenDotsPerInch / 720;
}

QFont PrintFont(const char* face, int tenths) {
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(ScreenDots(tenths));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont TitleFont() {
    return PrintFont(kTitleFace, kTitleTenths);
}
QFont BodyFont() {
    return PrintFont(kBodyFace, kBodyTenths);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int ColumnWidth(int column, int cx) {
    return (column == 0 ? kCaptionColumnChars : kFigureColumnChars) * cx;
}

// The frame of a cell: one dot wide, inside its rectangle.
void FrameRect(QPainter& painter, const QRect& r) {
    painter.fillRect(r.x(), r.y(), r.width(), 1, Qt::black);
    painter.fillRect(r.x(), r.bottom(), r.width(), 1, Qt::black);
    painter.fillRect(r.x(), r.y(), 1, r.height(), Qt::black);
    painter.fillRect(r.right(), r.y(), 1, r.height(), Qt::black);
}

}  // namespace

PrintedMonthPages::PrintedMonthPages(PeriodTable table, int pageWidthDots, int pageHeightDots,
                                     qreal dotsPerInchX, qreal dotsPerInchY)
    : m_table(std::move(table)), m_bands({}, 0) {
    const QFontMetrics title(TitleFont());
    const QFontMetrics body(BodyFont());
    m_titleCx = title.horizontalAdvance(QLatin1Char('O'));
    m_titleCy = title.height();
    m_bodyCx = body.horizontalAdvance(QLatin1Char('O'));
    m_bodyCy = body.height();

    const qreal toLayoutX = kLayoutDotsPerInch / std::max<qreal>(dotsPerInchX, 1);
    const qreal toLayoutY = kLayoutDotsPerInch / std::max<qreal>(dotsPerInchY, 1);
    const qreal pageWidth = std::max(pageWidthDots, 1) * toLayoutX;
    const qreal pageHeight = std::max(pageHeightDots, 1) * toLayoutY;

    // A paper too small for one column, for the title or for the rows of a period is not
    // drawn past: the whole page shrinks until they fit.
    const int titleWidth = std::max(static_cast<int>(HalfWidthCells(m_table.title)) * m_titleCx,
                                    title.horizontalAdvance(Text(m_table.title)));
    const int widestColumn = std::max(ColumnWidth(0, m_bodyCx), ColumnWidth(1, m_bodyCx));
    const int tableBottom = 2 * m_titleCy + m_table.Rows() * m_bodyCy;
    const qreal fit = std::min({qreal(1), pageWidth / std::max(widestColumn, titleWidth),
                                pageHeight / std::max(tableBottom, 1)});
    m_scaleX = fit / toLayoutX;
    m_scaleY = fit / toLayoutY;

    std::vector<int> widths;
    for (int c = 0; c < m_table.Columns(); ++c) widths.push_back(ColumnWidth(c, m_bodyCx));
    // Whole layout dots: rounding down keeps the last column inside the paper.
    m_bands = PrintColumnBands(widths, static_cast<int>(pageWidth / fit));
}

void PrintedMonthPages::DrawPage(QPainter& painter, int page) const {
    if (page < 1 || page > PageCount()) return;
    painter.save();
    painter.scale(m_scaleX, m_scaleY);

    if (page == 1) {
        painter.setFont(TitleFont());
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 1 << 20, m_titleCy), Qt::AlignLeft | Qt::AlignTop,
                         Text(m_table.title));
        const int underline = static_cast<int>(HalfWidthCells(m_table.title)) * m_titleCx;
        painter.fillRect(0, m_titleCy, underline, 1, Qt::black);
    }

    painter.setFont(BodyFont());
    const int top = 2 * m_titleCy;
    int x = 0;
    for (int c = m_bands.ColumnsUpTo(page - 1); c < m_bands.ColumnsUpTo(page); ++c) {
        const int width = ColumnWidth(c, m_bodyCx);
        for (int r = 0; r < m_table.Rows(); ++r) {
            const TableCell& cell = m_table.At(r, c);
            const QRect rect(x, top + r * m_bodyCy, width, m_bodyCy);
            const bool header = r == 0;
            painter.setPen(!header && cell.text.find('-') != std::string::npos ? QColor(255, 0, 0)
                                                                               : QColor(0, 0, 0));
            // A name longer than its column is cut at the frame rather than written over the
            // next cell (or past the paper's edge), and then shows its beginning.
            const QString text = Text(cell.text);
            const bool centred =
                header && painter.fontMetrics().horizontalAdvance(text) <= rect.width();
            painter.drawText(rect, (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop,
                             text);
            FrameRect(painter, rect);
        }
        x += width;
    }
    painter.restore();
}

bool DrawPrintedMonthPages(QPagedPaintDevice& device, const PeriodTable& table, int firstPage,
                           int lastPage, int* pageCount) {
    const PrintedMonthPages pages(table, device.width(), device.height(), device.logicalDpiX(),
                                  device.logicalDpiY());
    if (pageCount) *pageCount = pages.PageCount();
    // A range past the end (the table lost columns since the pages were counted) prints the
    // last page rather than a blank sheet.
    firstPage = std::clamp(firstPage, 1, pages.PageCount());
    lastPage = std::clamp(lastPage, firstPage, pages.PageCount());
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = firstPage; page <= lastPage; ++page) {
        if (page > firstPage && !device.newPage()) return false;
        pages.DrawPage(painter, page);
    }
    return painter.end();
}

}  // namespace tallymo
