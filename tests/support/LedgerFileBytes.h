#pragma once
// Ledger files built byte by byte, as the releases of each layout wrote them, independent of
// the program's own writer. The file tests read them; the fuzzers start from them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallymo::test {

// Little-endian bytes of the binary ledger form.
class FileBytes {
public:
    FileBytes& Dword(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) m_bytes += static_cast<char>(v >> shift);
        return *this;
    }
    FileBytes& Word(std::uint16_t v) { return Byte(static_cast<std::uint8_t>(v)).Byte(v >> 8); }
    FileBytes& Byte(std::uint8_t v) { return Raw(std::string(1, static_cast<char>(v))); }
    FileBytes& Raw(std::string_view bytes) {
        m_bytes += bytes;
        return *this;
    }
    // The short form (length below 255) only; the longer forms are spelled out where tested.
    FileBytes& String(std::string_view text) {
        Byte(static_cast<std::uint8_t>(text.size()));
        return Raw(text);
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// The sample ledger that every layout sample holds. Names are CP932 bytes.
struct SampleLedgerNames {
    std::string income;  // the one income matter, width 900
    std::string food;    // outgo, width 1000
    std::string misc;    // outgo, width 1200, hidden where the layout has the visible flag
    std::string memo;    // the memo of the food entry where the layout has memos
};

// Settings in every sample: EnterMode 1, CloseDay 25, FontSize 100, ShowType 1,
// FractionMode 2, ShowQuickWizard 0, ShowProjection 0 (from 2000006 on).
// Entries on day1 and day2 (time values): per-day layouts (up to 2000004) hold the amounts
// day1 {10000, 800, 0} and day2 {0, 0, 350} of the three matters; the later layouts hold the
// records (day1, 0, 10000), (day1, 1, 800, memo), (day2, 2, 350) with an entry of matter 3
// (beyond the lists) between the last two. Unused fields hold values that would show if read.
// The file ends with bytes that belong to no record.
inline std::string LayoutSample(std::int32_t v, const SampleLedgerNames& names, std::int32_t day1,
                                std::int32_t day2) {
    FileBytes f;
    f.String("tallymoo").Dword(static_cast<std::uint32_t>(v));
    if (v > 2000002) f.Dword(0x5A5A5A5A);  // reserved
    f.Dword(1).Word(25).Word(100).Dword(1).Word(2);
    if (v < 2000001) f.Dword(0xDEADBEEF);
    f.Dword(0);  // ShowQuickWizard
    if (v < 2000004) f.Dword(0x01010101).Dword(0x01010101).Word(0x0101).Word(0x0101);
    if (v > 2000005) f.Dword(0);  // ShowProjection

    if (v < 2000002) {
        // One combined list: kind 1 is income, any other kind outgo.
        f.Dword(3);
        f.String(names.food).Dword(2).Word(1000);
        f.String(names.income).Dword(1).Word(900);
        f.String(names.misc).Dword(0).Word(1200);
    } else {
        const bool visibleFlag = v >= 2000100;
        f.Dword(1).String(names.income).Word(900);
        if (visibleFlag) f.Dword(1);
        f.Dword(2).String(names.food).Word(1000);
        if (visibleFlag) f.Dword(1);
        f.String(names.misc).Word(1200);
        if (visibleFlag) f.Dword(0);
    }

    if (v <= 2000004) {
        f.Dword(2);
        f.Dword(static_cast<std::uint32_t>(day1)).Dword(10000).Dword(800).Dword(0);
        f.Dword(static_cast<std::uint32_t>(day2)).Dword(0).Dword(0).Dword(350);
    } else {
        f.Dword(4);
        f.Dword(static_cast<std::uint32_t>(day1)).Dword(0).Dword(10000).String("");
        f.Dword(static_cast<std::uint32_t>(day1)).Dword(1).Dword(800).String(names.memo);
        f.Dword(static_cast<std::uint32_t>(day2)).Dword(3).Dword(999).String("");
        f.Dword(static_cast<std::uint32_t>(day2)).Dword(2).Dword(350).String("");
    }
    f.Raw(std::string_view("\x07\x00\x00\x00trailing", 12));
    return f.Bytes();
}

// Every layout version that a release wrote or that marks a change of layout.
inline const std::vector<std::int32_t>& LayoutVersions() {
    static const std::vector<std::int32_t> versions{2000000, 2000001, 2000002, 2000003, 2000004,
                                                    2000005, 2000006, 2000099, 2000100, 2000500};
    return versions;
}

}  // namespace tallymo::test
