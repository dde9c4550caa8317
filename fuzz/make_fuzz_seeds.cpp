// Writes the fuzzers' seed corpus into <folder>/binary and <folder>/csv.

#include <filesystem>
#include <fstream>
#include <string>

#include "doc/BinaryLedgerForm.h"
#include "doc/CsvLedgerForm.h"
#include "doc/SettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerFileBytes.h"

namespace {

using namespace tallymo;

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Cp932Text Sjis(const char* utf8) {
    return Utf8ToCp932(utf8).value_or(Cp932Text(utf8));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path root(argv[1]);
    std::filesystem::create_directories(root / "binary");
    std::filesystem::create_directories(root / "csv");

    const test::SampleLedgerNames names{Sjis("収入①").Bytes(), Sjis("食費～").Bytes(),
                                        Sjis("髙橋").Bytes(), Sjis("メモ").Bytes()};
    const TimeValue day1 = MakeLocalTime(2003, 4, 1);
    const TimeValue day2 = MakeLocalTime(2003, 4, 2);
    for (const std::int32_t version : test::LayoutVersions()) {
        Write(root / "binary" / ("layout-" + std::to_string(version) + ".tm2"),
              test::LayoutSample(version, names, day1, day2));
    }

    MemorySettingsStore store;
    FixedClock clock(1122867296);
    CTallymoDoc doc(store, clock);
    Write(root / "binary" / "new-ledger.tm2", WriteBinaryLedger(doc, 0));
    Write(root / "csv" / "new-ledger.csv", WriteCsvLedger(doc).bytes);

    doc.AppendLoadedEntry({MakeLocalTime(2000, 1, 1), 0, 10000, Sjis("メモ")});
    doc.AppendLoadedEntry({MakeLocalTime(2000, 1, 5), 1, 800, {}});
    doc.AppendLoadedEntry({MakeLocalTime(1999, 12, 31), 2, -5, {}});
    doc.GetMatter(3)->SetVisible(false);
    Write(root / "binary" / "entries.tm2", WriteBinaryLedger(doc, 0));
    Write(root / "csv" / "entries.csv", WriteCsvLedger(doc).bytes);
    Write(root / "csv" / "short.csv",
          "1,90,90,120,60\r\n2000,in,food,misc,25\r\n2000/1/5,0,800,0,9200\n\"2000/02/30\",1");
    return 0;
}
