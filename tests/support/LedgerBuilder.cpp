#include "support/LedgerBuilder.h"

#include <ostream>
#include <random>

#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"

namespace tallymo {

void PrintTo(const Cp932Text& text, std::ostream* out) {
    *out << "Cp932Text(\"" << Cp932ToUtf8(text) << "\")";
}

}  // namespace tallymo

namespace tallymo::test {

TimeValue Day(int year, int month, int day) {
    return MakeLocalTime(year, month, day);
}

Cp932Text Sjis(const std::string& utf8) {
    return Utf8ToCp932(utf8).value();
}

void ResetLedger(CTallymoDoc& doc, const std::vector<std::string>& incomeNames,
                 const std::vector<std::string>& outgoNames) {
    const auto list = [](const std::vector<std::string>& names) {
        MatterList matters;
        for (const std::string& name : names)
            matters.emplace_back(Sjis(name), kNewMatterCellWidth, true);
        return matters;
    };
    doc.DeleteContents();
    doc.SetMatterLists(list(incomeNames), list(outgoNames));
}

void FillGeneratedLedger(CTallymoDoc& doc, std::size_t entryCount, int matterCount, int years,
                         TimeValue lastDay, std::uint32_t seed) {
    std::vector<std::string> income;
    std::vector<std::string> outgo;
    const int incomeCount = matterCount >= 8 ? 4 : 1;
    for (int i = 0; i < incomeCount; ++i) income.push_back("収入" + std::to_string(i + 1));
    for (int i = incomeCount; i < matterCount; ++i) outgo.push_back("支出" + std::to_string(i));
    ResetLedger(doc, income, outgo);

    const TimeValue firstDay = AddDays(lastDay, -365 * years);
    const int dayCount = CalendarDaysBetween(firstDay, lastDay) + 1;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> matter(0, matterCount - 1);
    std::uniform_int_distribution<int> amount(1, 30000);
    doc.ReserveEntries(entryCount);
    std::size_t i = 0;
    TimeValue day = firstDay;
    for (std::size_t d = 1; d <= static_cast<std::size_t>(dayCount); ++d, day = NextDay(day)) {
        // The entries spread evenly over the days, in date order.
        for (; i < d * entryCount / static_cast<std::size_t>(dayCount); ++i)
            doc.AppendLoadedEntry(LedgerEntry{day, matter(random), amount(random), {}});
    }
}

}  // namespace tallymo::test
