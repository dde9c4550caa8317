#include "views/printing/PrintedMonthPdf.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>

#include "doc/AtomicFileSave.h"
#include "doc/LocalPath.h"
#include "views/PeriodTable.h"
#include "views/printing/PrintedMonthPages.h"

namespace tallymo {

QPageLayout DefaultPrintPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(6, 6, 6, 6),
                       QPageLayout::Millimeter);
}

QByteArray PrintedMonthPdf(const PeriodTable& table, const QPageLayout& layout, int firstPage,
                           int lastPage, int* pageCount) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PrintedMonthPages::kLayoutDotsPerInch);
        writer.setCreator(QStringLiteral("Tallymo"));
        writer.setTitle(QString::fromStdString(table.title));
        if (!writer.setPageLayout(layout)) return {};
        if (!DrawPrintedMonthPages(writer, table, firstPage, lastPage, pageCount)) return {};
    }
    return bytes;
}

bool SavePrintedMonthPdf(const PeriodTable& table, const QPageLayout& layout, const QString& path,
                         int firstPage, int lastPage, int* pageCount) {
    const QByteArray bytes = PrintedMonthPdf(table, layout, firstPage, lastPage, pageCount);
    if (bytes.isEmpty()) return false;
    return SaveFileAtomically(
        ToLocalPath(path),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace tallymo
