#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "calc/widgets/CalcEdit.h"
#include "support/WidgetTestSupport.h"

namespace tallymo {
namespace {

// A window with the amount field and a second field to take the focus away to.
class CalcEditTest : public ::testing::Test {
public:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        field = new CCalcEdit(false, kWhite);
        other = new QLineEdit;
        layout->addWidget(field);
        layout->addWidget(other);
        field->Bind(&fixture.doc, 0, 0, true);
        ASSERT_TRUE(test::ShowActive(window));
        ASSERT_TRUE(test::FocusOn(*field));
        field->clear();
    }

    void Type(const QString& keys) { QTest::keyClicks(field, keys); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(field, key, modifiers);
    }

    test::DocFixture fixture;
    test::MessageCapture capture;
    QWidget window;
    CCalcEdit* field = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(CalcEditTest, TypedExpressionsShowTheirAmountOnEnter) {
    const struct {
        const char* typed;
        std::uint16_t fractionMode;  // the ledger's
        const char* shown;
        int helpContext;  // 0: no message
    } cases[] = {
        {"a1,980", 1, "1,980", 0},  // letters and the comma key type nothing
        {"7*1.05", 2, "7", 0},      // the ledger's rounding
        {"5/0", 1, "5/0", 2110},    // a failure keeps the typed text for correction
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        capture.messages.clear();
        fixture.doc.Settings().FractionMode = c.fractionMode;
        field->clear();
        Type(QString::fromUtf8(c.typed));
        Key(Qt::Key_Return);
        EXPECT_EQ(field->text().toStdString(), c.shown);
        ASSERT_EQ(capture.messages.size(), c.helpContext ? 1u : 0u);
        if (c.helpContext) {
            EXPECT_EQ(capture.messages[0].helpContext, c.helpContext);
            EXPECT_EQ(field->selectedText(), field->text());
        }
    }
}

// The field has the focus back before the message shows; the box taking the focus starts no
// second evaluation, leaving again with the same text says nothing twice, Tab stays.
TEST_F(CalcEditTest, AFailureIsReportedOnceWithTheFocusBackInTheField) {
    capture.onMessage = [this] {  // like a modal box: its own window becomes active
        QDialog box(&window);
        auto* button = new QLineEdit(&box);
        box.show();
        QApplication::setActiveWindow(&box);
        button->setFocus();
        QTest::qWait(20);
        box.close();
        QApplication::setActiveWindow(&window);
    };
    Type("5+");
    other->setFocus(Qt::OtherFocusReason);
    QTest::qWait(20);
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.focusAtMessage[0], field);
    EXPECT_EQ(field->text(), "5+");
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(capture.messages.size(), 1u);
    ASSERT_TRUE(test::FocusOn(*field));
    Key(Qt::Key_Tab);
    EXPECT_EQ(capture.messages.size(), 2u);
    EXPECT_TRUE(field->hasFocus());
}

// The focus takes the commas away and typing appends; Tab commits and moves on.
TEST_F(CalcEditTest, FocusRemovesCommasAndTabCommits) {
    field->setText("1,234,567");
    ASSERT_TRUE(test::FocusOn(*other));
    ASSERT_TRUE(test::FocusOn(*field));
    EXPECT_EQ(field->text(), "1234567");
    Type("+3");
    Key(Qt::Key_Tab);
    EXPECT_EQ(field->text(), "1,234,570");
    EXPECT_TRUE(other->hasFocus());
}

}  // namespace
}  // namespace tallymo
