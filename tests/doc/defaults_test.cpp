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
    for (const Matter& m : list)
        names.push_back(Cp932ToUtf8(m.Name()) + (m.IsVisible() ? "" : "-"));
    return names;
}

// Without stored defaults a new ledger is the built-in one; stored settings and matters are
// used as the program has always stored them (flags of one byte, 16-bit fields truncated).
TEST(NewLedger, BuiltInAndStoredDefaults) {
    MemorySettingsStore store;
    FixedClock clock(MakeLocalTime(2005, 6, 7, 15, 30, 0));
    CTallymoDoc doc(store, clock);
    EXPECT_EQ(Names(doc.IncomeList()), std::vector<std::string>{"収入"});
    EXPECT_EQ(Names(doc.OutgoList()),
              (std::vector<std::string>{"食費", "交通費", "交際費", "光熱費", "通信費", "住居費",
                                        "雑費"}));
    EXPECT_EQ(doc.OutgoList()[0].CellWidth(), 900);
    EXPECT_EQ(doc.Settings(), LedgerSettings{});
    EXPECT_EQ(doc.GetCurrentDate(), test::Day(2005, 6, 7));
    EXPECT_FALSE(doc.IsModified());

    store.WriteInt("DefaultSettings", "FontSize", 120);
    store.WriteInt("DefaultSettings", "EnterMode", 2);           // only 1 means true
    store.WriteInt("DefaultSettings", "FractionMode", 0x10002);  // truncated to 16 bits
    store.WriteInt("DefaultSettings", "IncomeMatter", 0);
    store.WriteInt("DefaultSettings", "OutgoMatter", 2);
    store.WriteBinary("DefaultSettings\\OutgoMatter0", "Visible", std::string(1, '\0'));
    store.WriteBinary("DefaultSettings\\OutgoMatter1", "Visible", std::string(2, '\0'));
    store.WriteInt("DefaultSettings\\OutgoMatter1", "CellWidth", 700);
    doc.InitNewLedger();
    EXPECT_EQ(doc.Settings(), (LedgerSettings{false, 120, 0, true, 2, 0, false}));
    EXPECT_TRUE(doc.IncomeList().empty());
    // A visible flag that is not one byte long reads as visible; the built-in width is
    // FontSize x 10.
    EXPECT_EQ(doc.OutgoList(), (MatterList{Matter({}, 1200, false), Matter({}, 700, true)}));
}

// Saved through a real settings file, in the folder the program has always used, and read back.
TEST(SettingsFile, DefaultsRoundTripThroughARealIniFile) {
    const QString path = QString::fromStdString(test::MakeTempDir("ini") + "/Tallymo.ini");
    {
        QtSettingsStore store(path);
        CTallymoDoc doc(store);
        doc.Settings().FontSize = 110;
        doc.Settings().CloseDay = 20;
        doc.Settings().EnterMode = true;
        test::ResetLedger(doc, {"給料", "q"}, {"食費", "①番"});
        doc.GetMatter(3)->SetVisible(false);
        doc.SaveDefaultSettings();
        doc.SaveDefaultMatters(true);
        doc.SaveDefaultMatters(false);
        store.Sync();
    }
    QtSettingsStore store(path);
    CTallymoDoc doc(store);
    EXPECT_EQ(doc.Settings(), (LedgerSettings{true, 110, 0, true, 1, 20, false}));
    EXPECT_EQ(Names(doc.IncomeList()), (std::vector<std::string>{"給料", "q"}));
    EXPECT_EQ(Names(doc.OutgoList()), (std::vector<std::string>{"食費", "①番-"}));
    EXPECT_EQ(store.ReadBinary("DefaultSettings\\OutgoMatter1", "Visible"), std::string(1, '\0'));
    EXPECT_EQ(QtSettingsStore().FileName().toStdString(),
              std::string(getenv("XDG_CONFIG_HOME")) + "/Harvelon/Tallymo Ver.2.ini");
}

}  // namespace
}  // namespace tallymo
