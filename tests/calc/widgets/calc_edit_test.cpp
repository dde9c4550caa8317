#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "calc/widgets/CalcEdit.h"
#include "support/WidgetTestSupport.h"

namespace tallymo {
namespace {

using test::Day;

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

TEST_F(CalcEditTest, LossOfFocusAndTabCommit) {
    Type("2*3");
    ASSERT_TRUE(test::FocusOn(*other));
    EXPECT_EQ(field->text(), "6");

    ASSERT_TRUE(test::FocusOn(*field));
    Type("+1000");  // the comma-free text 6 was kept on focus, and typing appends
    Key(Qt::Key_Tab);
    EXPECT_EQ(field->text(), "1,006");
    EXPECT_TRUE(other->hasFocus());
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

// The booking rule is the core's (tests/calc/booking_test.cpp): a bound field hands it the
// typed text on commit; a failure keeps the cell's amount.
TEST_F(CalcEditTest, FieldBoundToACellBooksWhatWasTyped) {
    CTallymoDoc& doc = fixture.doc;
    const TimeValue day = Day(2005, 3, 10);
    doc.BookEntry(day, 1, 500, {}, false);
    field->Bind(&doc, day, 1, true);
    for (const auto& [typed, amount] : {std::pair{"7*3", 21}, {"5/0", 21}}) {
        field->clear();
        Type(typed);
        Key(Qt::Key_Return);
        EXPECT_EQ(doc.DayAmount(day, 1), amount) << typed;
    }
    EXPECT_EQ(doc.CountEntries(1, day, day), 1);  // overwritten
    EXPECT_EQ(capture.messages.size(), 1u);
}

TEST_F(CalcEditTest, KeyFilterPassesEditingKeysAndSwallowsTheRest) {
    QApplication::clipboard()->setText("99");  // Ctrl+V pastes no text past the filter
    const struct {
        Qt::Key key;  // pressed after typing "12"
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    } cases[] = {
        {Qt::Key_Backspace, Qt::NoModifier, "1"},
        {Qt::Key_V, Qt::ControlModifier, "12"},
        {Qt::Key_7, Qt::KeypadModifier, "127"},
    };
    for (const auto& c : cases) {
        field->clear();
        Type("12");
        Key(c.key, c.modifiers);
        EXPECT_EQ(field->text().toStdString(), c.expected);
    }
}

TEST_F(CalcEditTest, FocusRemovesCommasAndDetachesTheInputMethod) {
    field->setText("1,234,567");
    ASSERT_TRUE(test::FocusOn(*other));
    ASSERT_TRUE(test::FocusOn(*field));
    EXPECT_EQ(field->text(), "1234567");
    EXPECT_FALSE(field->testAttribute(Qt::WA_InputMethodEnabled));
    ASSERT_TRUE(test::FocusOn(*other));
    EXPECT_EQ(field->text(), "1,234,567");
}

TEST_F(CalcEditTest, DisplayOnlyFieldTakesNoKeysAndShowsNegativesRed) {
    field->SetDisplayOnly(true);
    for (const auto& [text, red] : {std::pair{"-1,234", true}, {"1,234", false}}) {
        field->setText(text);
        EXPECT_EQ(field->palette().color(QPalette::Text) == QColor(255, 0, 0), red) << text;
    }
    Type("99");
    EXPECT_EQ(field->text(), "1,234");
}

}  // namespace
}  // namespace tallymo
