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

// The file's bytes into `bytes`. With a sink, `bytes` is handed on and emptied whenever it holds
// a piece, so that only about a piece is ever held; without one it ends holding the whole file.
bool WriteInto(const CTallymoDoc& doc, std::uint32_t reserved, std::uint32_t entryCount,
               std::string& bytes, const ByteSink* sink) {
    ByteWriter out(bytes);
    // A memo longer than a piece goes out with its record in one larger piece.
    const auto flush = [&](std::size_t atLeast) {
        if (!sink || bytes.size() < atLeast) return true;
        const bool taken = (*sink)(bytes);
        bytes.clear();
        return taken;
    };

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
    for (const LedgerEntry& entry : doc.Entries()) {
        if (entry.amount == 0) continue;
        out.SignedDword(entry.date);
        out.SignedDword(entry.matter);
        out.SignedDword(entry.amount);
        out.String(entry.memo.Text().Bytes());
        if (!flush(kFilePieceBytes)) return false;
    }
    return flush(1);
}

}  // namespace

bool WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved, const ByteSink& sink) {
    std::uint32_t entryCount = 0;
    for (const LedgerEntry& entry : doc.Entries()) {
        if (entry.amount != 0) ++entryCount;
    }
    std::string piece;
    piece.reserve(kFilePieceBytes + 64);
    return WriteInto(doc, reserved, entryCount, piece, &sink);
}

std::string WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved) {
    std::size_t entryBytes = 0;
    std::uint32_t entryCount = 0;
    for (const LedgerEntry& entry : doc.Entries()) {
        if (entry.amount == 0) continue;
        entryBytes += 12 + ByteWriter::StringBytes(entry.memo.size());
        ++entryCount;
    }
    std::string bytes;
    bytes.reserve(kHeaderBytes + ListBytes(doc.IncomeList()) + ListBytes(doc.OutgoList()) + 4 +
                  entryBytes);
    WriteInto(doc, reserved, entryCount, bytes, nullptr);
    return bytes;
}

}  // namespace tallymo
