#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "doc/AtomicFileSave.h"
#include "support/LedgerBuilder.h"
#include "support/LedgerFileBytes.h"
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

    // A failed save: the write error once, the old file byte for byte, no stray files, the
    // document as it was.
    void ExpectFailedSave(const std::string& name, const std::string& oldBytes,
                          const std::vector<std::string>& listing) {
        const std::vector<LedgerEntry> entries = doc.Entries();
        const bool modified = doc.IsModified();
        messages.clear();
        EXPECT_FALSE(doc.SaveLedgerFile(PathOf(name)));
        ExpectOnlyMessage(kWriteError, 9990, MessageIcon::None);
        EXPECT_EQ(ReadFileBytes(PathOf(name)), oldBytes);
        EXPECT_EQ(FolderListing(dir), listing);
        EXPECT_EQ(doc.Entries(), entries);
        EXPECT_EQ(doc.IsModified(), modified);
    }
};

TEST_F(FileSave, KeepsThePreviousVersionAsABackupCopyWhenItCan) {
    const std::string first = SaveBytes();
    EXPECT_EQ(FolderListing(dir), std::vector<std::string>{"ledger.tm2"});

    ChangeLedger();
    const std::string second = SaveBytes();
    EXPECT_NE(first, second);
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), first);

    ChangeLedger();
    SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), second);  // one generation only
    EXPECT_EQ(FolderListing(dir), (std::vector<std::string>{"ledger.tm2", "ledger.tm2~"}));
    EXPECT_TRUE(messages.empty());

    // A backup that cannot be made does not stop the save.
    std::filesystem::remove(PathOf("ledger.tm2~"));
    std::filesystem::create_directory(PathOf("ledger.tm2~"));
    ChangeLedger();
    const std::string fourth = SaveBytes();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2")), fourth);
    EXPECT_NE(fourth, second);
}

// The backup is written beside the file and renamed into place: a backup cut short leaves the
// previous one whole, and a link planted as the backup is replaced, never written through.
TEST_F(FileSave, TheBackupIsReplacedWholeOrNotAtAll) {
    const std::string first = SaveBytes();
    ChangeLedger();
    SaveBytes();
    SetBeforeReplaceHookForTesting(
        [&](const std::string& target) { return target != PathOf("ledger.tm2~"); });
    ChangeLedger();
    const std::string third = SaveBytes();  // the failed backup does not stop the save
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), first);
    EXPECT_EQ(FolderListing(dir), (std::vector<std::string>{"ledger.tm2", "ledger.tm2~"}));
    SetBeforeReplaceHookForTesting({});

    WriteFileBytes(PathOf("private"), "not a ledger");
    ASSERT_EQ(chmod(PathOf("private").c_str(), 0600), 0);
    std::filesystem::remove(PathOf("ledger.tm2~"));
    std::filesystem::create_symlink("private", PathOf("ledger.tm2~"));
    ChangeLedger();
    SaveBytes();
    EXPECT_EQ(ReadFileBytes(PathOf("private")), "not a ledger");
    struct stat info {};
    ASSERT_EQ(stat(PathOf("private").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_FALSE(std::filesystem::is_symlink(PathOf("ledger.tm2~")));
    EXPECT_EQ(ReadFileBytes(PathOf("ledger.tm2~")), third);
}

TEST_F(FileSave, AnInterruptedSaveLeavesTheOldFileIntact) {
    const std::string old = SaveBytes();
    ChangeLedger();
    doc.AppendLoadedEntry({Day(2005, 1, 4), 1, 0, {}});
    bool interrupted = false;
    SetBeforeReplaceHookForTesting([&](const std::string&) {
        interrupted = true;
        return false;
    });
    ExpectFailedSave("ledger.tm2", old, {"ledger.tm2"});
    EXPECT_TRUE(interrupted);
    EXPECT_EQ(doc.Entries().back().amount, 0);  // zero entries are dropped only once saved

    // The same for the text form.
    SetBeforeReplaceHookForTesting({});
    const std::string oldCsv = SaveBytes("ledger.csv");
    SetBeforeReplaceHookForTesting([](const std::string&) { return false; });
    ChangeLedger();
    ExpectFailedSave("ledger.csv", oldCsv, {"ledger.csv", "ledger.tm2"});
}

TEST_F(FileSave, AFolderThatDoesNotExistGivesTheWriteError) {
    messages.clear();
    EXPECT_FALSE(doc.SaveLedgerFile(PathOf("missing/ledger.tm2")));
    ExpectOnlyMessage(kWriteError, 9990, MessageIcon::None);
    EXPECT_EQ(doc.Entries().size(), 2u);
}

// Replacing the file by a renamed temporary must not change who may read it.
TEST_F(FileSave, TheFileKeepsItsPermissionsAndItsLinks) {
    const mode_t mask = umask(022);
    SaveBytes();
    struct stat info {};
    ASSERT_EQ(stat(PathOf("ledger.tm2").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    ASSERT_EQ(chmod(PathOf("ledger.tm2").c_str(), 0640), 0);
    ChangeLedger();
    SaveBytes();
    ASSERT_EQ(stat(PathOf("ledger.tm2").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // The backup copy is no more readable than the file.
    ASSERT_EQ(chmod(PathOf("ledger.tm2").c_str(), 0600), 0);
    SaveBytes();
    ASSERT_EQ(stat(PathOf("ledger.tm2~").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    umask(mask);

    // Saving through a symbolic link replaces its target.
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
    const std::vector<std::pair<std::string, bool>> names = {
        {"a.csv", true},      {"a.CSV", false},    {"a.tm2", false},        {"a", false},
        {"a.csv.tm2", false}, {"a.tm2.csv", true}, {"folder.csv/a", false}, {".csv", true},
        {"a.csvx", false},
    };
    for (const auto& [name, csv] : names) {
        SCOPED_TRACE(name);
        const std::string bytes = SaveBytes(name);
        EXPECT_EQ(bytes.rfind("\x08tallymoo", 0) == 0, !csv);
        EXPECT_EQ(bytes.rfind("1,90,90,90,60\r\n", 0) == 0, csv);
        EXPECT_TRUE(doc.LoadLedgerFile(PathOf(name)));
        EXPECT_EQ(doc.MatterCount(), 3);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(FileSave, UpperCaseCsvIsReadAsBinaryAndRefusedByItsMagic) {
    const std::string text = SaveBytes("ledger.csv");
    messages.clear();
    EXPECT_FALSE(LoadBytes(text, "ledger.CSV"));
    ExpectOnlyMessage("この形式のファイルには対応していません。", 3110, MessageIcon::Stop);
    messages.clear();
    EXPECT_TRUE(LoadBytes(text, "copy.csv"));
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
    WriteFileBytes(PathOf("empty.tm2"), "");
    const struct {
        const char* name;
        const char* text;
        const char* reason;
    } cases[] = {
        {"missing.tm2", unexpected, "No such file or directory"},
        {"missing.csv", invalidCsv, "No such file or directory"},
        {"folder.csv", invalidCsv, "Is a directory"},
        {"fifo.tm2", unexpected, "not a regular file"},
        {"huge.csv", invalidCsv, "larger than any ledger can be (over 1 GB)"},
        {"empty.tm2", unexpected, "the file is empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ResetLedger(doc, {"収入"}, {"食費"});
        messages.clear();
        const Snapshot before = Take();
        EXPECT_FALSE(doc.LoadLedgerFile(PathOf(c.name)));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].detail, PathOf(c.name) + ": " + c.reason);
        ExpectUnchanged(before);
    }
}

// A change another program makes to the file is noticed; touching it or writing the same
// bytes is not a change, and the program's own save is not either.
TEST_F(FileSave, AChangeBehindTheDocumentsBackIsNoticed) {
    const std::string path = PathOf("ledger.tm2");
    const std::string saved = SaveBytes();
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    WriteFileBytes(path, saved);  // same bytes, new time
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    std::string edited = saved;
    edited[13] ^= 1;  // same size, other bytes (the reserved value)
    WriteFileBytes(path, edited);
    EXPECT_TRUE(doc.ChangedOnDisk(path));
    EXPECT_FALSE(doc.ChangedOnDisk(PathOf("other.tm2")));
    ASSERT_TRUE(doc.LoadLedgerFile(path));
    EXPECT_FALSE(doc.ChangedOnDisk(path));
    WriteFileBytes(path, saved + "more");
    EXPECT_TRUE(doc.ChangedOnDisk(path));
    SaveBytes();
    EXPECT_FALSE(doc.ChangedOnDisk(path));
}

TEST_F(FileSave, LoadingLeavesTheModifiedFlagAndTheCurrentDateAlone) {
    SaveBytes();
    doc.SetCurrentDate(Day(2010, 10, 10));
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_TRUE(doc.IsModified());  // the caller clears it
    EXPECT_EQ(doc.GetCurrentDate(), Day(2010, 10, 10));
    ASSERT_TRUE(doc.SaveLedgerFile(PathOf("ledger.tm2")));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FileSave, AnOpenedFileCanBeUndoneEntryByEntryAndForgetsTheRedoHistory) {
    doc.BookEntry(Day(2005, 1, 3), 2, 250, {}, false);
    SaveBytes();
    doc.Undo();
    ASSERT_TRUE(doc.CanRedo());

    ASSERT_TRUE(doc.LoadLedgerFile(PathOf("ledger.tm2")));
    EXPECT_FALSE(doc.CanRedo());
    ASSERT_TRUE(doc.CanUndo());
    doc.Undo();  // takes off the entry that stood last in the file
    EXPECT_EQ(doc.RedoHistory(), (std::vector<LedgerEntry>{{Day(2005, 1, 3), 2, 250, {}}}));
    EXPECT_EQ(doc.Entries(), (std::vector<LedgerEntry>{{Day(2005, 1, 1), 0, 1000, {}}}));

    // A zero entry read from an old per-day file is undone like any other.
    const TimeValue day1 = Day(2003, 4, 1), day2 = Day(2003, 4, 2);
    ASSERT_TRUE(LoadBytes(test::LayoutSample(2000004, {"a", "b", "c", ""}, day1, day2), "old.tm2"));
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(doc.RedoHistory(), (std::vector<LedgerEntry>{{day2, 2, 350, {}}, {day2, 1, 0, {}}}));
}

}  // namespace
}  // namespace tallymo
