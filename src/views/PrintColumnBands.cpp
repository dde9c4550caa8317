#include "views/PrintColumnBands.h"

#include <algorithm>
#include <cstdint>

namespace tallymo {

PrintColumnBands::PrintColumnBands(const std::vector<int>& columnWidths, int pageWidth) {
    const int columns = static_cast<int>(columnWidths.size());
    int column = 0;
    while (column < columns) {
        // 64 bits: a band's width is a sum of many columns.
        std::int64_t used = columnWidths[column];
        int end = column + 1;  // the first column always goes on the page
        while (end < columns && used + columnWidths[end] <= pageWidth) used += columnWidths[end++];
        m_ends.push_back(end);
        column = end;
    }
    if (m_ends.empty()) m_ends.push_back(0);  // a table without columns still prints one page
}

int PrintColumnBands::ColumnsUpTo(int n) const {
    if (n <= 0) return 0;
    return m_ends[static_cast<std::size_t>(std::min(n, PageCount()) - 1)];
}

}  // namespace tallymo
