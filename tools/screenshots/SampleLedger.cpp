#include "SampleLedger.h"

#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

// Matter indices of the built-in lists: 収入 | 食費 交通費 交際費 光熱費 通信費 住居費 雑費.
enum : MatterIndex { kIncome = 0, kFood, kFares, kSocial, kUtilities, kPhone, kRent, kSundry };

}  // namespace

TimeValue SampleToday() {
    return MakeLocalTime(2005, 3, 15);
}

void FillSampleLedger(CTallymoDoc& doc) {
    auto book = [&doc](int month, int day, MatterIndex matter, std::int32_t amount) {
        doc.BookEntry(MakeLocalTime(2005, month, day), matter, amount, MemoText(), false);
    };
    book(2, 25, kRent, 68000);
    book(2, 27, kUtilities, 9800);
    for (int day = 1; day <= 15; ++day) {
        book(3, day, kFood, 600 + 35 * day);
        if (day % 7 != 6 && day % 7 != 0) book(3, day, kFares, 460);
    }
    book(3, 4, kSocial, 4500);
    book(3, 8, kPhone, 6280);
    book(3, 10, kIncome, 185000);
    book(3, 12, kSundry, 1980);
    book(3, 12, kFood, 1050);  // a second entry the same day: the cell shows the sum
    doc.SetModifiedFlag(false);
}

}  // namespace tallymo
