#pragma once
// How the printed month table's columns are split into bands, one band a page. The table is
// usually wider than the paper: the columns go onto the pages left to right, each page taking
// as many whole columns as fit its width, and never fewer than one.

#include <vector>

namespace tallymo {

class PrintColumnBands {
public:
    // `columnWidths` in any unit, `pageWidth` in the same unit. A column wider than the page
    // gets a page of its own (the drawing scales the table so that it fits).
    PrintColumnBands(const std::vector<int>& columnWidths, int pageWidth);

    int PageCount() const { return static_cast<int>(m_ends.size()); }
    // The number of columns on pages 1 .. n: 0 for n = 0, every column from the last page on.
    // Page p holds the columns ColumnsUpTo(p - 1) .. ColumnsUpTo(p) - 1.
    int ColumnsUpTo(int n) const;

private:
    std::vector<int> m_ends;  // one past the last column of each page
};

}  // namespace tallymo
