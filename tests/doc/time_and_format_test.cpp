#include <gtest/gtest.h>

#include "doc/TextCodec.h"
#include "doc/TimeValue.h"
#include "doc/YenFormat.h"
#include "support/LedgerBuilder.h"

namespace tallymo {
namespace {

using test::Day;

TEST(TimeValue, NormalisesOutOfRangeFieldsLikeMktimeAndClampsTo32Bits) {
    EXPECT_EQ(MakeLocalTime(2005, 2, 31), Day(2005, 3, 3));
    EXPECT_EQ(ToLocal(MakeLocalTime(2005, 3, 31, 23, 59, 59)).weekday, 4);  // a Thursday
    // Held inside the 32-bit range.
    EXPECT_EQ(MakeLocalTime(2038, 1, 19, 12, 14, 7), INT32_MAX);
    EXPECT_TRUE(FitsTimeValue(2038, 1, 19, 12, 14, 7));
    EXPECT_FALSE(FitsTimeValue(2038, 1, 19, 12, 14, 8));
    EXPECT_EQ(MakeLocalTime(2100, 1, 1), INT32_MAX);
    EXPECT_EQ(MakeLocalTime(1800, 1, 1), INT32_MIN);
}

TEST(TextCodec, RoundTripsCp932OnlyCharactersAndRefusesOthers) {
    // Yen amounts group thousands, without a comma after the sign. (Everyday amounts and
    // percentages are checked in the table and figure texts.)
    EXPECT_EQ(FormatSignedYen(-123456), "-123,456");
    EXPECT_EQ(FormatSignedYen(INT32_MIN), "-2,147,483,648");
    EXPECT_EQ(FormatYen(4294967295u), "4,294,967,295");
    const std::string text = "①～髙 食費";
    const auto cp932 = Utf8ToCp932(text);
    ASSERT_TRUE(cp932.has_value());
    EXPECT_EQ(*cp932, Cp932Text(std::string("\x87\x40\x81\x60\xFB\xFC\x20\x90\x48\x94\xEF", 11)));
    EXPECT_EQ(Cp932ToUtf8(*cp932), text);
    EXPECT_FALSE(Utf8ToCp932("emoji \xF0\x9F\x98\x80").has_value());
    // A cut lead byte is not CP932; shown, it becomes a replacement character.
    EXPECT_FALSE(Cp932ToUtf8Strict(Cp932Text("\x90")).has_value());
    EXPECT_EQ(Cp932ToUtf8(Cp932Text("A\x90")), "A\xEF\xBF\xBD");
    // Printed widths count half-width cells: a double-byte character takes two.
    EXPECT_EQ(HalfWidthCells("2026年12月分 小遣い帳"), 21u);
    EXPECT_EQ(HalfWidthCells("ｶﾅ \xF0\x9F\x98\x80"), 5u);
}

}  // namespace
}  // namespace tallymo
