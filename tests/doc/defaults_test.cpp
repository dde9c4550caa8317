#include <gtest/gtest.h>

#include <QString>

#include "doc/QtSettingsStore.h"
#include "doc/TallymoDoc.h"
#include "support/LedgerBuilder.h"
#include "support/TestEnvironment.h"

namespace tallymo {
namespace {

// Without stored defaults a new ledger is the built-in one (its matters are shown in the booking
// pane's test). Defaults stored through a real settings file are read as the program has always
// stored them (the file's place is the command-line test's): flags of one byte (only 1 means
// true), 16-bit fields truncated, the built-in width (FontSize x 10) where none is stored.
TEST(NewLedger, BuiltInAndStoredDefaults) {
    const QString path = QString::fromStdString(test::MakeTempDir("ini") + "/Tallymo.ini");
    QtSettingsStore store(path);
    FixedClock clock(MakeLocalTime(2005, 6, 7, 15, 30, 0));
    CTallymoDoc doc(store, clock);
    EXPECT_EQ(doc.Settings(), LedgerSettings{});
    EXPECT_EQ(doc.GetCurrentDate(), test::Day(2005, 6, 7));
    EXPECT_FALSE(doc.IsModified());

    doc.Settings().CloseDay = 20;
    test::ResetLedger(doc, {"給料", "q"}, {"食費", "①番"});
    doc.GetMatter(1)->SetVisible(false);
    doc.GetMatter(3)->SetVisible(false);
    doc.Settings().EnterMode = true;
    doc.SaveDefaultSettings();
    EXPECT_EQ(store.ReadInt("DefaultSettings", "EnterMode"), 1);  // a flag is the byte 1
    doc.SaveDefaultMatters(true);
    doc.SaveDefaultMatters(false);
    store.WriteInt("DefaultSettings", "FontSize", 120);
    store.WriteInt("DefaultSettings", "EnterMode", 2);
    store.WriteInt("DefaultSettings", "FractionMode", 0x10002);
    store.WriteBinary("DefaultSettings\\OutgoMatter1", "Visible", std::string(2, '\0'));
    store.WriteInt("DefaultSettings", "OutgoMatter", 3);
    store.Sync();
    QtSettingsStore reread(path);
    CTallymoDoc stored(reread);
    EXPECT_EQ(stored.Settings(), (LedgerSettings{false, 120, 0, true, 2, 20, false}));
    EXPECT_EQ(stored.VisibleMatterCount(), 4);
    EXPECT_EQ(stored.IncomeList(), (MatterList{Matter(test::Sjis("給料"), 900, true),
                                               Matter(test::Sjis("q"), 900, false)}));
    EXPECT_EQ(stored.OutgoList(),
              (MatterList{Matter(test::Sjis("食費"), 900, true),
                          Matter(test::Sjis("①番"), 900, true), Matter({}, 1200, true)}));
}

}  // namespace
}  // namespace tallymo
