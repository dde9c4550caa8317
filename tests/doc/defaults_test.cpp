#include <gtest/gtest.h>

#include <QString>

#include "doc/QtSettingsStore.h"
#include "doc/TallymoDoc.h"
#include "doc/TextCodec.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

std::vector<std::string> Names(const MatterList& list) {
    std::vector<std::string> names;
    for (const Matter& m : list) names.push_back(Cp932ToUtf8(m.Name()));
    return names;
}

TEST(NewLedger, EmptyStoreGivesTheBuiltInLedger) {
    MemorySettingsStore store;
    FixedClock clock(MakeLocalTime(2005, 6, 7, 15, 30, 0));
    CTallymoDoc doc(store, clock);
    EXPECT_EQ(Names(doc.IncomeList()), std::vector<std::string>{"収入"});
    EXPECT_EQ(Names(doc.OutgoList()),
              (std::vector<std::string>{"食費", "交通費", "交際費", "光熱費", "通信費", "住居費",
                                        "雑費"}));
    for (const Matter& m : doc.OutgoList()) EXPECT_EQ(m, Matter(m.Name(), 900, true));
    EXPECT_EQ(doc.Settings(), LedgerSettings{});
    EXPECT_EQ(doc.GetCurrentDate(), test::Day(2005, 6, 7));
    EXPECT_TRUE(doc.Entries().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Version().Packed(), 2000500);
}

TEST(NewLedger, StoredSettingsAndMattersAreUsed) {
    MemorySettingsStore store;
    store.WriteInt("DefaultSettings", "FontSize", 120);
    store.WriteInt("DefaultSettings", "EnterMode", 2);  // only 1 means true
    store.WriteInt("DefaultSettings", "ShowType", 1);
    store.WriteInt("DefaultSettings", "FractionMode", 0x10002);  // truncated to 16 bits
    store.WriteInt("DefaultSettings", "CloseDay", 25);
    store.WriteInt("DefaultSettings", "ShowQuickWizard", 0);
    CTallymoDoc doc(store);
    EXPECT_EQ(doc.Settings(), (LedgerSettings{false, 120, 1, false, 2, 25, false}));
    EXPECT_EQ(doc.GetMatter(0)->CellWidth(), 1200);  // built-in matters take FontSize x 10

    store.WriteInt("DefaultSettings", "OutgoMatter", 2);
    store.WriteString("DefaultSettings\\OutgoMatter0", "Name", *Utf8ToCp932("髙い物"));
    store.WriteInt("DefaultSettings\\OutgoMatter0", "CellWidth", 700);
    store.WriteBinary("DefaultSettings\\OutgoMatter0", "Visible", std::string(1, '\0'));
    store.WriteBinary("DefaultSettings\\OutgoMatter1", "Visible", std::string(2, '\0'));
    store.WriteInt("DefaultSettings", "IncomeMatter", 0);
    doc.InitNewLedger();
    EXPECT_TRUE(doc.IncomeList().empty());
    // A visible flag that is not one byte long reads as visible.
    EXPECT_EQ(doc.OutgoList(),
              (MatterList{Matter(test::Sjis("髙い物"), 700, false), Matter({}, 1200, true)}));
}

TEST(NewLedger, ShorterSaveLeavesStaleSectionsThatTheCountHides) {
    MemorySettingsStore store;
    CTallymoDoc doc(store);
    test::ResetLedger(doc, {"a", "b", "c", "d", "e"}, {"x"});
    doc.SaveDefaultMatters(true);
    test::ResetLedger(doc, {"p", "q", "r"}, {"y"});
    doc.GetMatter(1)->SetVisible(false);
    doc.SaveDefaultMatters(true);
    EXPECT_TRUE(store.Contains("DefaultSettings\\IncomeMatter4", "Name"));
    EXPECT_EQ(store.ReadInt("DefaultSettings", "IncomeMatter"), 3);
    doc.InitNewLedger();
    EXPECT_EQ(Names(doc.IncomeList()), (std::vector<std::string>{"p", "q", "r"}));
    EXPECT_FALSE(doc.IncomeList()[1].IsVisible());
    EXPECT_EQ(doc.OutgoList().size(), 7u);  // outgo never saved: built in
}

TEST(SettingsFile, RoundTripsThroughARealIniFile) {
    const std::string dir = test::MakeTempDir("ini");
    const QString path = QString::fromStdString(dir + "/Tallymo.ini");
    {
        QtSettingsStore store(path);
        CTallymoDoc doc(store);
        doc.Settings().FontSize = 110;
        doc.Settings().CloseDay = 20;
        doc.Settings().EnterMode = true;
        doc.Settings().ShowQuickWizard = false;
        test::ResetLedger(doc, {"給料"}, {"食費", "①番"});
        doc.GetMatter(2)->SetVisible(false);
        doc.SaveDefaultSettings();
        doc.SaveDefaultMatters(true);
        doc.SaveDefaultMatters(false);
        store.Sync();
    }
    QtSettingsStore store(path);
    CTallymoDoc doc(store);
    EXPECT_EQ(doc.Settings(), (LedgerSettings{true, 110, 0, false, 1, 20, false}));
    EXPECT_EQ(Names(doc.IncomeList()), std::vector<std::string>{"給料"});
    EXPECT_EQ(Names(doc.OutgoList()), (std::vector<std::string>{"食費", "①番"}));
    EXPECT_FALSE(doc.OutgoList()[1].IsVisible());
    EXPECT_EQ(store.ReadBinary("DefaultSettings\\OutgoMatter1", "Visible"), std::string(1, '\0'));
    EXPECT_FALSE(store.ReadInt("DefaultSettings", "Missing").has_value());
    EXPECT_FALSE(store.ReadBinary("DefaultSettings", "FontSize").has_value());
    EXPECT_TRUE(store.ReadFlag("Settings", "Absent", true));
}

TEST(SettingsFile, UserStoreLivesUnderXdgConfigHome) {
    QtSettingsStore store;
    const std::string expected =
        std::string(getenv("XDG_CONFIG_HOME")) + "/Harvelon/Tallymo Ver.2.ini";
    EXPECT_EQ(store.FileName().toStdString(), expected);
}

}  // namespace
}  // namespace tallymo
