#include "doc/BinaryLedgerForm.h"
#include "doc/LedgerBytes.h"
#include "doc/TallymoDoc.h"

namespace tallymo {
namespace {

constexpr std::size_t kHeaderBytes = 9 + 4 + 4 + 4 + 2 + 2 + 4 + 2 + 4 + 4;
constexpr std::size_t kPieceBytes = 256 * 1024;

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

bool WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved, const ByteSink& sink) {
    const std::vector<LedgerEntry>& entries = doc.Entries();
    std::uint32_t entryCount = 0;
    for (const LedgerEntry& entry : entries) {
        if (entry.amount != 0) ++entryCount;
    }

    std::string piece;
    piece.reserve(kPieceBytes + 64);
    ByteWriter out(piece);
    // Hands the piece on once it is full; a memo longer than a piece goes on its own.
    const auto flush = [&](std::size_t atLeast) {
        if (piece.size() < atLeast) return true;
        const bool taken = sink(piece);
        piece.clear();
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
    for (const LedgerEntry& entry : entries) {
        if (entry.amount == 0) continue;
        out.SignedDword(entry.date);
        out.SignedDword(entry.matter);
        out.SignedDword(entry.amount);
        out.String(entry.memo.Text().Bytes());
        if (!flush(kPieceBytes)) return false;
    }
    return flush(1);
}

std::string WriteBinaryLedger(const CTallymoDoc& doc, std::uint32_t reserved) {
    std::size_t entryBytes = 0;
    for (const LedgerEntry& entry : doc.Entries()) {
        if (entry.amount != 0) entryBytes += 12 + ByteWriter::StringBytes(entry.memo.size());
    }
    std::string bytes;
    bytes.reserve(kHeaderBytes + ListBytes(doc.IncomeList()) + ListBytes(doc.OutgoList()) + 4 +
                  entryBytes);
    WriteBinaryLedger(doc, reserved, [&bytes](std::string_view piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

}  // namespace tallymo
