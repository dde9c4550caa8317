#pragma once
// The printed month table as a PDF file, written whole or not at all.

#include <QByteArray>
#include <QString>

class QPageLayout;

namespace tallymo {

class PeriodTable;

// The A4 portrait sheet with the narrow margins of an office printer's printable area.
QPageLayout DefaultPrintPageLayout();

// The PDF document of pages `firstPage` .. `lastPage` on paper of `layout`; empty when the
// drawing failed. `pageCount`, when given, receives the number of pages of the whole table.
QByteArray PrintedMonthPdf(const PeriodTable& table, const QPageLayout& layout, int firstPage = 1,
                           int lastPage = 1 << 30, int* pageCount = nullptr);

// Draws every page (or pages `firstPage` .. `lastPage`) into a PDF document on paper of
// `layout` and puts it in place of `path` atomically. False, with the old file left as it
// was, when the drawing or the writing failed. `pageCount`, when given, receives the number
// of pages of the whole table.
bool SavePrintedMonthPdf(const PeriodTable& table, const QPageLayout& layout, const QString& path,
                         int firstPage = 1, int lastPage = 1 << 30, int* pageCount = nullptr);

}  // namespace tallymo
