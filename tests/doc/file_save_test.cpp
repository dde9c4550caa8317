#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "doc/AtomicFileSave.h"
#include "support/LedgerBuilder.h"
#include "support/LedgerFileFixture.h"

namespace tallymo {
namespace {

using test::Day;
using test::ReadFileBytes;
using test::WriteFileBytes;

const char* const kWriteError = "書き込みエラーが発生しました。";

std::vector<std::string> FolderListing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0);
    return info.st_mode & 0777;
}

class FileSave : public test::LedgerFileTest {
protected:
    FileSave() {
        test::ResetLedger(doc, {"収入"}, {"食費", "雑費"});
        doc.AppendLoadedEntry({Day(2005, 1, 1), 0, 1000, {}});
        doc.AppendLoadedEntry({Day(2005, 1, 2), 1, 0, {}});  // a zero entry from an old file
    }
    ~FileSave() override { SetBeforeReplaceHookForTesting({}); }

    // Books one more amount, so that the next save differs from the file on disk.
    void ChangeLedger() { doc.BookEntry(Day(2005, 1, 3), 2, 250, {}, false); }

    // A failed save: the write error once, naming the file; the old file and its backup byte
    // for byte, no stray files, the document as it was.
    void ExpectFailedSave(const std::string& name) {
        const std::string oldBytes = ReadFileBytes(PathOf(name));
        const std::string oldBackup = ReadFileBytes(PathOf(name + "~"));
        const std::vector<std::string> listing = FolderListing(dir);
        const std::vector<LedgerEntry> entries = doc.Entries();
        messages.clear();
        EXPECT_FALSE(doc.SaveLedgerFile(PathOf(name)));
        ExpectOnlyMessage(kWriteError, 9990, MessageIcon::None);
        EXPECT_EQ(messages[0].detail.rfind(PathOf(name) + ": ", 0), 0u) << messages[0].detail;
        EXPECT_EQ(ReadFileBytes(PathOf(name)), oldBytes);
        EXPECT_EQ(ReadFileBytes(PathOf(name + "~")), oldBackup);
        EXPECT_EQ(FolderListing(dir), listing);
        EXPECT_EQ(doc.Entries(), entries);  // zero entries are dropped only once saved
    }
};

// The previous version stays as one backup copy; a link planted as the backup is replaced,
// never written through, and a backup that cannot be made does not stop the save.
TEST_F(FileSave, KeepsThePreviousVersionAsABackupCopy) {
    const std::string first = SaveBytes();
    EXPECT_EQ(FolderListing(dir), std::vector<std::string>{"ledger.tm2"});
    ChangeLedger();
    const std::string second = SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), first);
    ChangeLedger();
    const std::string third = SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), second);  // one generation only

    WriteFileBytes(PathOf("private"), "not a ledger");
    std::filesystem::remove(PathOf("ledger.tm2~"));
    std::filesystem::create_symlink("private", PathOf("ledger.tm2~"));
    ChangeLedger();
    SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("private")), "not a ledger");
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), third);

    std::filesystem::remove(PathOf("ledger.tm2~"));
    std::filesystem::create_directory(PathOf("ledger.tm2~"));
    ChangeLedger();
    EXPECT_NE(SaveBytes(), third);
    EXPECT_EQ(FolderListing(dir),
              (std::vector<std::string>{"ledger.tm2", "ledger.tm2~", "private"}));
    EXPECT_TRUE(messages.empty());
}

// A save cut short by the file system (here a file-size limit, as on a full disk) in the middle
// of the new file, or interrupted before the new file replaces the old one.
TEST_F(FileSave, AFailedSaveLeavesTheOldFileIntact) {
    for (const std::string name : {"ledger.tm2", "ledger.csv"}) {
        SaveBytes(name);
        ChangeLedger();
        SaveBytes(name);  // with a backup
        ChangeLedger();
        SCOPED_TRACE(name);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = ReadFileBytes(PathOf(name)).size() / 2;  // the new file is larger
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        ExpectFailedSave(name);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        SetBeforeReplaceHookForTesting([](const std::string&) { return false; });
        ExpectFailedSave(name);
        SetBeforeReplaceHookForTesting({});
    }
}

// Replacing the file by a renamed temporary must not change who may read it, nor turn a
// symbolic link into a file.
TEST_F(FileSave, TheFileKeepsItsPermissionsAndItsLinks) {
    SaveBytes();
    ASSERT_EQ(chmod(PathOf("ledger.tm2").c_str(), 0600), 0);
    ChangeLedger();
    SaveBytes();
    EXPECT_EQ(Mode(PathOf("ledger.tm2")), 0600u);
    EXPECT_EQ(Mode(PathOf("ledger.tm2~")), 0600u);  // no more readable than the file

    const std::string old = SaveBytes("target.tm2");
    std::filesystem::create_symlink("target.tm2", PathOf("link.tm2"));
    ChangeLedger();
    ASSERT_TRUE(doc.SaveLedgerFile(PathOf("link.tm2")));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.tm2")));
    EXPECT_NE(ReadFileBytes(PathOf("target.tm2")), old);
}

// The form follows the extension of the file name, compared byte for byte.
TEST_F(FileSave, TheExtensionChoosesTheForm) {
    std::filesystem::create_directory(PathOf("folder.csv"));
    const std::pair<std::string, bool> names[] = {
        {"a.csv", true}, {"a.CSV", false}, {"a.csv.tm2", false}, {"folder.csv/a", false}};
    for (const auto& [name, csv] : names) {
        SCOPED_TRACE(name);
        const std::string bytes = SaveBytes(name);
        EXPECT_EQ(bytes.rfind("\x08tallymoo", 0) == 0, !csv);
        EXPECT_EQ(bytes.rfind("1,90,90,90,60\r\n", 0) == 0, csv);
        EXPECT_TRUE(doc.LoadLedgerFile(PathOf(name)));
    }
    EXPECT_TRUE(messages.empty());
}

// Whatever is no readable ledger file is refused at once, before any byte is read where it
// could block or never end, with the form's message and the file's name and reason.
TEST_F(FileSave, WhatIsNoReadableFileIsRefusedWithItsNameAndReason) {
    const char* const unexpected = "予期せぬエラーが発生しました。";
    const char* const invalidCsv = "CSVデータが正しくありません。";
    ASSERT_EQ(mkfifo(PathOf("fifo.tm2").c_str(), 0600), 0);
    std::filesystem::create_directory(PathOf("folder.csv"));
    WriteFileBytes(PathOf("huge.csv"), "");
    std::filesystem::resize_file(PathOf("huge.csv"), (std::uintmax_t{1} << 30) + 1);  // sparse
    const struct {
        const char* name;
        const char* text;
        const char* reason;
    } cases[] = {
        {"folder.csv", invalidCsv, "Is a directory"},
        {"fifo.tm2", unexpected, "not a regular file"},
        {"huge.csv", invalidCsv, "larger than any ledger can be (over 1 GB)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        const Snapshot before = Take();
        EXPECT_FALSE(doc.LoadLedgerFile(PathOf(c.name)));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].detail, PathOf(c.name) + ": " + c.reason);
        ExpectUnchanged(before);
    }
}

// A change another program makes to the file is noticed; the program's own load and save are
// none. (Same bytes at a new time: large_file_save_test.)
TEST_F(FileSave, AChangeBehindTheDocumentsBackIsNoticed) {
    const std::string path = PathOf("ledger.tm2");
    std::string edited = SaveBytes();
    edited[13] ^= 1;  // same size, other bytes (the reserved value)
    WriteFileBytes(path, edited);
    EXPECT_TRUE(doc.ChangedOnDisk(path));
    ASSERT_TRUE(doc.LoadLedgerFile(path));
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    SaveBytes();
    EXPECT_FALSE(doc.ChangedOnDisk(path));
}

// An opened file is undone entry by entry, and forgets the redo history.
TEST_F(FileSave, AnOpenedFileCanBeUndoneEntryByEntry) {
    ChangeLedger();
    SaveBytes();
    doc.Undo();
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();  // takes off the entry that stood last in the file
    EXPECT_EQ(doc.RedoHistory(), (std::vector<LedgerEntry>{{Day(2005, 1, 3), 2, 250, {}}}));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2005, 1, 1), 0, 1000, {}}}));
}

}  // namespace
}  // namespace tallymo
