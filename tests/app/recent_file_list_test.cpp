#include <gtest/gtest.h>

#include "app/RecentFileList.h"
#include "doc/SettingsStore.h"
#include "doc/TextCodec.h"

namespace tallymo {
namespace {

TEST(RecentFileListTest, AddPutsFirstMovesDuplicatesAndKeepsFour) {
    RecentFileList list;
    for (const char* path : {"/a.tm2", "/b.tm2", "/c.tm2", "/d.tm2", "/b.tm2", "/e.tm2"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e.tm2", "/b.tm2", "/d.tm2", "/c.tm2"}));
    list.Remove(0);
    list.Remove(7);  // out of range: nothing happens
    EXPECT_EQ(list.First(), "/b.tm2");
    EXPECT_EQ(list.Entries().size(), 3u);
}

// Paths travel as CP932 in the store; vacant slots are cleared.
TEST(RecentFileListTest, StoreRoundTrip) {
    MemorySettingsStore store;
    store.WriteString("Recent File List", "File3", Cp932Text("/old.tm2"));
    RecentFileList list;
    list.Add("/b.tm2");
    list.Add("/home/利用者/小遣い帳.tm2");
    list.Write(store);
    EXPECT_EQ(store.ReadString("Recent File List", "File1"),
              Utf8ToCp932("/home/利用者/小遣い帳.tm2"));
    EXPECT_EQ(store.ReadString("Recent File List", "File2"), Cp932Text("/b.tm2"));
    EXPECT_EQ(store.ReadString("Recent File List", "File3"), Cp932Text(""));
    RecentFileList again;
    again.Read(store);
    EXPECT_EQ(again.Entries(), list.Entries());

    // Reading skips gaps, duplicates and entries beyond the capacity.
    store.WriteString("Recent File List", "File1", Cp932Text("/a.tm2"));
    store.WriteString("Recent File List", "File2", Cp932Text(""));
    store.WriteString("Recent File List", "File3", Cp932Text("/c.tm2"));
    store.WriteString("Recent File List", "File4", Cp932Text("/a.tm2"));
    store.WriteString("Recent File List", "File5", Cp932Text("/e.tm2"));
    again.Read(store);
    EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/a.tm2", "/c.tm2"}));
}

// Menu texts are numbered, shortened to the characters (not bytes) that fit, keeping the file
// name, with an ampersand doubled.
TEST(RecentFileListTest, MenuTextNumbersAndShortens) {
    RecentFileList list;
    list.Add("/home/user/documents/money/2024/household.tm2");
    list.Add("/tmp/R&D.tm2");
    EXPECT_EQ(list.MenuText(0), "&1 /tmp/R&&D.tm2");
    EXPECT_EQ(list.MenuText(1), "&2 /.../money/2024/household.tm2");
    EXPECT_EQ(AbbreviatePath("/一二三/四五六/七八九.tm2", 20), "/一二三/四五六/七八九.tm2");
}

}  // namespace
}  // namespace tallymo
