// A ledger of several megabytes is written a piece at a time: the file holds exactly the
// encoded bytes, its stamp matches the file read back in other pieces, and a save cut short in
// a later piece still leaves the old file and its backup as they were.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "doc/AtomicFileSave.h"
#include "doc/BinaryLedgerForm.h"
#include "doc/FileStamp.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::ReadFileBytes;
using test::WriteFileBytes;

TEST(ByteHash, TheSameBytesCutAnyWayGiveTheSameValue) {
    std::string bytes(10'007, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
    ByteHash whole;
    whole.Add(bytes);
    for (const std::size_t cut : {1u, 3u, 7u, 8u, 9u, 4096u}) {
        ByteHash pieces;
        for (std::size_t at = 0; at < bytes.size(); at += cut) {
            pieces.Add(std::string_view(bytes).substr(at, cut));
        }
        EXPECT_EQ(pieces.Value(), whole.Value()) << cut;
        EXPECT_EQ(pieces.Size(), whole.Size()) << cut;
    }
    for (const std::string& other :
         {bytes + '\0', bytes.substr(1), std::string(bytes).replace(5000, 1, 1, '\x7f')}) {
        ByteHash changed;
        changed.Add(other);
        EXPECT_NE(changed.Value(), whole.Value());
    }
}

class LargeFileSave : public test::LedgerFileTest {
protected:
    LargeFileSave() {
        test::FillGeneratedLedger(doc, 300'000, 10, 5, Day(2004, 12, 31));
        // Memos long and short, one longer than a piece, so that pieces end at every kind of
        // record.
        for (const std::size_t length : {1u, 250u, 300'000u, 17u}) {
            doc.AppendLoadedEntry(
                {Day(2004, 12, 31), 1, 5, MemoText(Cp932Text(std::string(length, 'm')))});
        }
    }
};

TEST_F(LargeFileSave, WritesTheEncodedBytesStampsThemAndFailsWithoutHarm) {
    const std::string path = PathOf("ledger.tm2");
    const std::string encoded = WriteBinaryLedger(doc, static_cast<std::uint32_t>(kSaveTime));
    ASSERT_GT(encoded.size(), 4'000'000u);
    EXPECT_EQ(SaveBytes(), encoded);
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    WriteFileBytes(path, encoded);  // same bytes, new time: read back in other pieces
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    std::string edited = encoded;
    edited[edited.size() / 2] ^= 1;
    WriteFileBytes(path, edited);
    EXPECT_TRUE(doc.ChangedOnDisk(path));

    SaveBytes();  // the edited file becomes the backup
    doc.BookEntry(Day(2004, 12, 30), 2, 250, {}, false);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    for (const std::size_t limit : {encoded.size() / 2, encoded.size() - 1}) {
        SCOPED_TRACE(limit);
        rlimit limited = saved;
        limited.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &limited);
        messages.clear();
        const bool savedFile = doc.SaveLedgerFile(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(savedFile);
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(ReadFileBytes(path), encoded);
        EXPECT_EQ(ReadFileBytes(BackupPathFor(path)), edited);
    }
    std::signal(SIGXFSZ, previous);
}

}  // namespace
}  // namespace tallymo
