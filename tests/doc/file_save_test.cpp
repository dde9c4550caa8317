#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <filesystem>

#include "doc/AtomicFileSave.h"
#include "doc/BinaryLedgerForm.h"
#include "support/LedgerBuilder.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::ReadFileBytes;
using test::WriteFileBytes;
namespace fs = std::filesystem;

const char* const kWriteError = "書き込みエラーが発生しました。";

std::ptrdiff_t FileCount(const std::string& dir) {
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

class FileSave : public test::LedgerFileTest {
protected:
    FileSave() {
        test::ResetLedger(doc, {"収入"}, {"食費", "雑費"});
        doc.AppendLoadedEntry({Day(2005, 1, 1), 0, 1000, {}});
        doc.AppendLoadedEntry({Day(2005, 1, 2), 1, 0, {}});  // a zero entry from an old file
        std::signal(SIGXFSZ, SIG_IGN);  // a write over the size limit fails instead
    }
    ~FileSave() override { SetBeforeReplaceHookForTesting({}); }

    // Books one more amount, so that the next save differs from the file on disk.
    void ChangeLedger() { doc.BookEntry(Day(2005, 1, 3), 2, 250, {}, false); }

    // A failed save, cut short by a file-size limit (as on a full disk) when one is given: the
    // write error once, naming the file; the old file and its backup byte for byte, no stray
    // files, the document as it was.
    void ExpectFailedSave(const std::string& name, rlim_t sizeLimit = RLIM_INFINITY) {
        const std::string oldBytes = ReadFileBytes(PathOf(name));
        const std::string oldBackup = ReadFileBytes(PathOf(name + "~"));
        const std::ptrdiff_t files = FileCount(dir);
        const std::vector<LedgerEntry> entries = doc.Entries();
        messages.clear();
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{std::min(sizeLimit, saved.rlim_cur), saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        EXPECT_FALSE(doc.SaveLedgerFile(PathOf(name)));
        setrlimit(RLIMIT_FSIZE, &saved);
        ExpectOnlyMessage(kWriteError, 9990, MessageIcon::None);
        EXPECT_EQ(messages[0].detail.rfind(PathOf(name) + ": ", 0), 0u) << messages[0].detail;
        EXPECT_EQ(ReadFileBytes(PathOf(name)), oldBytes);
        EXPECT_EQ(ReadFileBytes(PathOf(name + "~")), oldBackup);
        EXPECT_EQ(FileCount(dir), files);
        EXPECT_EQ(doc.Entries(), entries);  // zero entries are dropped only once saved
    }
};

// The previous version stays as one backup copy, with the file's permissions; a link
// planted as the backup is replaced, never written through. (The file's own permissions and
// links are kept by QSaveFile.)
TEST_F(FileSave, KeepsThePreviousVersionAsABackupCopy) {
    const std::string first = SaveBytes();
    ASSERT_EQ(chmod(PathOf("ledger.tm2").c_str(), 0640), 0);
    ChangeLedger();
    const std::string second = SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), first);
    EXPECT_EQ(fs::status(PathOf("ledger.tm2~")).permissions(), fs::perms{0640});
    ChangeLedger();
    const std::string third = SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), second);  // one generation only

    WriteFileBytes(PathOf("private"), "not a ledger");
    fs::remove(PathOf("ledger.tm2~"));
    fs::create_symlink("private", PathOf("ledger.tm2~"));
    ChangeLedger();
    SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("private")), "not a ledger");
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), third);
    EXPECT_EQ(FileCount(dir), 3);  // the file, its backup, the link's target
    EXPECT_TRUE(messages.empty());
}

// A save cut short by the file system in the middle of the new file, or interrupted before the
// new file replaces the old one.
TEST_F(FileSave, AFailedSaveLeavesTheOldFileIntact) {
    for (const std::string name : {"ledger.tm2", "ledger.csv"}) {
        SCOPED_TRACE(name);
        SaveBytes(name);
        ChangeLedger();
        SaveBytes(name);  // with a backup
        ChangeLedger();
        ExpectFailedSave(name, ReadFileBytes(PathOf(name)).size() / 2);  // the new file is larger
        SetBeforeReplaceHookForTesting([](const std::string&) { return false; });
        ExpectFailedSave(name);
        SetBeforeReplaceHookForTesting({});
    }
}

// Whatever is no readable ledger file is refused at once, before any byte is read where it
// could block or never end, with the form's message and the file's name and reason.
TEST_F(FileSave, WhatIsNoReadableFileIsRefusedWithItsNameAndReason) {
    ASSERT_EQ(mkfifo(PathOf("fifo.tm2").c_str(), 0600), 0);
    WriteFileBytes(PathOf("huge.csv"), "");
    fs::resize_file(PathOf("huge.csv"), (std::uintmax_t{1} << 30) + 1);  // sparse
    const std::array<std::string, 3> cases[] = {
        {"fifo.tm2", "予期せぬエラーが発生しました。", "not a regular file"},
        {"huge.csv", "CSVデータが正しくありません。", "larger than any ledger can be (over 1 GB)"},
    };
    for (const auto& [name, text, reason] : cases) {
        SCOPED_TRACE(name);
        messages.clear();
        EXPECT_FALSE(doc.LoadLedgerFile(PathOf(name)));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].detail, PathOf(name) + ": " + reason);
    }
}

// A ledger of several megabytes is written a piece at a time: the file holds exactly the
// encoded bytes, and its stamp, taken from those pieces, matches the file read back in other
// pieces. A change another program makes is noticed, the program's own load and save are none,
// and a save cut short in a later piece leaves the file and its backup as they were.
TEST_F(FileSave, ALargeLedgerIsSavedAndStampedInPieces) {
    const std::string path = PathOf("ledger.tm2");
    test::FillGeneratedLedger(doc, 300'000, 10, 5, Day(2004, 12, 31));
    // Memos long and short, one longer than a piece, so that pieces end at every kind of record.
    for (const std::size_t length : {1u, 250u, 300'000u, 17u}) {
        doc.AppendLoadedEntry(
            {Day(2004, 12, 31), 1, 5, MemoText(Cp932Text(std::string(length, 'm')))});
    }
    const std::string encoded = WriteBinaryLedger(doc, static_cast<std::uint32_t>(kSaveTime));
    ASSERT_GT(encoded.size(), 4'000'000u);
    EXPECT_EQ(SaveBytes(), encoded);
    WriteFileBytes(path, encoded);  // same bytes, new time
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    std::string edited = encoded;
    edited[edited.size() / 2] ^= 1;
    WriteFileBytes(path, edited);
    EXPECT_TRUE(doc.ChangedOnDisk(path));
    edited = encoded;
    edited[13] ^= 1;  // the reserved value: still a ledger
    WriteFileBytes(path, edited);
    ASSERT_TRUE(doc.LoadLedgerFile(path));
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    ChangeLedger();
    SaveBytes();  // the loaded file becomes the backup
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    ChangeLedger();
    ExpectFailedSave("ledger.tm2", encoded.size() / 2);
}

// An opened file is undone entry by entry, and forgets the undo and redo history of the ledger
// it replaced (here an overwrite of as many entries as the file holds, and its redo).
TEST_F(FileSave, AnOpenedFileCanBeUndoneEntryByEntry) {
    ChangeLedger();
    SaveBytes();
    doc.BookEntry(Day(2005, 1, 1), 0, 5, {}, true);
    doc.BookEntry(Day(2005, 1, 4), 1, 9, {}, false);
    doc.Undo();
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();  // takes off the entry that stood last in the file
    EXPECT_EQ(doc.RedoHistory(), (std::vector<LedgerEntry>{{Day(2005, 1, 3), 2, 250, {}}}));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2005, 1, 1), 0, 1000, {}}}));
}

}  // namespace
}  // namespace tallymo
