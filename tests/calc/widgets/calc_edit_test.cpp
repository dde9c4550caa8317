#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "calc/widgets/CalcEdit.h"
#include "doc/LeadingInteger.h"
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
        {"1,980", 1, "1,980", 0},     // the comma key types nothing; the amount is the same
        {"abc100-300", 1, "200", 0},  // letters are swallowed
        {"7*1.05", 2, "7", 0},        // the ledger's rounding
        {"5/0", 1, "5/0", 2110},      // a failure keeps the typed text for correction
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

TEST_F(CalcEditTest, LossOfFocusAndTabCommitEvenWhenStopped) {
    Type("2*3");
    ASSERT_TRUE(test::FocusOn(*other));
    EXPECT_EQ(field->text(), "6");

    ASSERT_TRUE(test::FocusOn(*field));
    Type("+1000");  // the comma-free text 6 was kept on focus, and typing appends
    Key(Qt::Key_Tab);
    EXPECT_EQ(field->text(), "1,006");
    EXPECT_TRUE(other->hasFocus());

    // A stopped field swallows keys but still commits when it loses the focus.
    ASSERT_TRUE(test::FocusOn(*field));
    field->setText("2*2");
    field->StopCalculating();
    Type("5");
    EXPECT_EQ(field->text(), "2*2");
    ASSERT_TRUE(test::FocusOn(*other));
    EXPECT_EQ(field->text(), "4");
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
    QApplication::clipboard()->setText("99");
    using Press = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
    const struct {
        std::vector<Press> keys;  // pressed after typing "12"
        const char* typed;        // then typed
        const char* expected;
        bool selectAll = false;  // before the keys
    } cases[] = {
        {{{Qt::Key_Left, none}, {Qt::Key_Delete, none}}, "3", "13"},
        {{{Qt::Key_Home, none}, {Qt::Key_Backspace, none}}, "", "1"},  // Home swallowed
        {{{Qt::Key_Escape, none}, {Qt::Key_Space, none}}, "", "12"},
        {{{Qt::Key_V, ctrl}, {Qt::Key_Insert, Qt::ShiftModifier}}, "", "12"},
        {{{Qt::Key_X, ctrl}}, "", "12", true},
        {{}, "*(+-/).5", "12*(+-/).5"},
        {{{Qt::Key_7, Qt::KeypadModifier}}, "", "127"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        field->clear();
        Type("12");
        if (c.selectAll) field->selectAll();
        for (const auto& [key, modifiers] : c.keys) Key(key, modifiers);
        Type(c.typed);
        EXPECT_EQ(field->text().toStdString(), c.expected);
    }
}

TEST_F(CalcEditTest, FrameChordsReachTheWindowsShortcuts) {
    int undone = 0;
    int saved = 0;
    for (auto [key, count] : {std::pair{Qt::Key_Z, &undone}, std::pair{Qt::Key_S, &saved}}) {
        auto* action = new QAction(&window);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        QObject::connect(action, &QAction::triggered, [count] { ++*count; });
        window.addAction(action);
    }

    Type("12");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undone, 1);
    EXPECT_EQ(field->text(), "12");  // the field's own undo did not run
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved, 0);  // swallowed like every other chord
}

TEST_F(CalcEditTest, FocusRemovesCommasDetachesTheInputMethodAndAClickSelectsAll) {
    field->setText("1,234,567");
    ASSERT_TRUE(test::FocusOn(*other));
    ASSERT_TRUE(test::FocusOn(*field));
    EXPECT_EQ(field->text(), "1234567");
    EXPECT_FALSE(field->testAttribute(Qt::WA_InputMethodEnabled));
    ASSERT_TRUE(test::FocusOn(*other));
    EXPECT_TRUE(field->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(field->text(), "1,234,567");

    // A click gives the focus and selects the whole amount.
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(5, field->height() / 2));
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), "1234567");
}

TEST_F(CalcEditTest, DisplayOnlyFieldTakesNoKeysAndShowsNegativesRed) {
    field->setText("-5");
    EXPECT_FALSE(field->ShowsNegativeInRed());  // only in display-only mode
    field->SetDisplayOnly(true);
    for (const auto& [text, red] : {std::pair{"-1,234", true}, {"0", false}, {"1,234", false}}) {
        field->setText(text);
        EXPECT_EQ(field->palette().color(QPalette::Text) == QColor(255, 0, 0), red) << text;
    }
    Type("99");
    EXPECT_EQ(field->text(), "1,234");
}

TEST(LeadingIntegerTest, ReadsLikeTheCLibrary) {
    const std::pair<const char*, std::int32_t> cases[] = {{"  -1,234", -1},
                                                          {"+7x", 7},
                                                          {"", 0},
                                                          {"-", 0},
                                                          {"99999999999", 2147483647},
                                                          {"-99999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingInteger(text), value) << text;
}

}  // namespace
}  // namespace tallymo
