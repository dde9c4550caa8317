#include <gtest/gtest.h>

#include <QPushButton>

#include "support/PanesFixture.h"

namespace tallymo {
namespace {

class CalcViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(panes.ok); }

    // Clicks the keys named by their captions, one character a key ("T" is the tax key).
    void Press(const QString& keys) {
        for (const QChar key : keys) {
            const QString caption = key == QLatin1Char('T') ? QStringLiteral("税") : QString(key);
            int id = 1;
            while (id <= CCalcView::kKeyCount && panes.calculator->Key(id)->text() != caption) ++id;
            ASSERT_LE(id, CCalcView::kKeyCount) << caption.toStdString();
            QTest::mouseClick(panes.calculator->Key(id), Qt::LeftButton);
        }
    }
    QString Shown() { return panes.Amount().text(); }

    test::PanesFixture panes;
};

// Keys pressed on a fresh field, the fraction mode, what the field shows and the help topic of
// the message that reports an invalid entry, kept for correction (0: no message).
TEST_F(CalcViewTest, KeySequencesFromAFreshField) {
    const struct {
        const char* keys;
        std::uint16_t fractionMode;
        const char* shown;
        int message = 0;
    } runs[] = {
        {"98T", 2, "102"},
        {"1000+500T", 1, "1,525"},  // the factor applies to the last operand only
        {"100=*2=", 1, "2"},        // "*" after "=" does nothing; "2" starts a new entry
        {"7C", 1, "0"},
        {"5+=", 1, "5+", 2130},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.keys);
        panes.doc.Settings().FractionMode = run.fractionMode;
        panes.pane->Clear();
        Press(QString::fromUtf8(run.keys));
        EXPECT_EQ(Shown().toStdString(), run.shown);
        ASSERT_EQ(panes.capture.messages.size(), run.message ? 1u : 0u);
        if (run.message) {
            EXPECT_EQ(panes.capture.messages[0].helpContext, run.message);
        }
    }
    EXPECT_TRUE(panes.doc.Entries().empty());  // the keys store nothing in the ledger
    EXPECT_FALSE(panes.doc.IsModified());
}

}  // namespace
}  // namespace tallymo
