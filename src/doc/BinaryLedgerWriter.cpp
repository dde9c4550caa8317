#include "doc/BinaryLedgerForm.h"
#include "doc/LedgerBytes.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

constexpr std::size_t kHeaderBytes = 9 + 4 + 4 + 4 + 2 + 2 + 4 + 2 + 4 + 4;

std::size_t ListBytes(const MatterList& list) {
    std::size_t bytes = 4;
    for (const Matter& matter : list) bytes += ByteWriter::StringBytes(matter.Name().size()) + 6;
    return bytes;
}

void WriteList(ByteWriter& out, const MatterList& list) {
    out.Dword(static_cast<std::uint32_t>(list.size()));
    for (const Matter& matter : list) {
        out.String(matter.Name().Bytes());
        out.Word(matter.CellWidth());
        out.Bool32(matter.IsVisible());
    }
}

}  // namespace

std::string WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved) {
    const std::vector<LedgerEntry>& entries = doc.Entries();
    std::size_t entryBytes = 0;
    std::uint32_t entryCount = 0;
    for (const LedgerEntry& entry : entries) {
        if (entry.amount == 0) continue;
        entryBytes += 12 + ByteWriter::StringBytes(entry.memo.size());
        ++entryCount;
    }

    std::string bytes;
    bytes.reserve(kHeaderBytes + ListBytes(doc.IncomeList()) + ListBytes(doc.OutgoList()) + 4 +
                  entryBytes);
    ByteWriter out(bytes);

    const LedgerSettings& settings = doc.Settings();
    out.String(kLedgerMagic);
    out.SignedDword(doc.Version().Packed());
    out.Dword(reserved);
    out.Bool32(settings.EnterMode);
    out.Word(settings.CloseDay);
    out.Word(settings.FontSize);
    out.SignedDword(settings.ShowType);
    out.Word(settings.FractionMode);
    out.Bool32(settings.ShowQuickWizard);
    out.Bool32(settings.ShowProjection);

    WriteList(out, doc.IncomeList());
    WriteList(out, doc.OutgoList());

    out.Dword(entryCount);
    for (const LedgerEntry& entry : entries) {
        if (entry.amount == 0) continue;
        out.SignedDword(entry.date);
        out.SignedDword(entry.matter);
        out.SignedDword(entry.amount);
        out.String(entry.memo.Text().Bytes());
    }
    return bytes;
}

}  // namespace tallymo
