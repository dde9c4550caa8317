#pragma once
// The main window over a document on a fixed clock and an in-memory settings store, with
// message boxes, questions, input wizards and file dialogs answered by the test.
// Header-only, for the widget tests.

#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "app/RecentFileList.h"
#include "support/TestEnvironment.h"
#include "support/WidgetTestSupport.h"
#include "ui/Question.h"
#include "views/widgets/MainFrame.h"
#include "views/widgets/WizardDlg.h"

namespace tallymo::test {

// Records every question and answers it from a queue (then with "no").
struct QuestionCapture {
    std::vector<Question> asked;  // with their texts and buttons
    std::deque<Answer> answers;
    ScopedPresenter<QuestionPresenter, SetQuestionPresenter> scope{
        [this](QWidget*, const Question& question) {
            asked.push_back(question);
            if (answers.empty()) return Answer::No;
            const Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }};
};

struct HelpCapture {
    std::vector<int> topics;
    ScopedPresenter<HelpPresenter, SetHelpPresenter> scope{
        [this](int topic) { topics.push_back(topic); }};
};

// Runs every input wizard through `onWizard` instead of exec(); by default it presses "記帳".
struct WizardCapture {
    int shown = 0;
    std::function<void(CWizardDlg&)> onWizard;
    ScopedPresenter<WizardPresenter, SetWizardPresenter> scope{[this](CWizardDlg& dialog) {
        ++shown;
        onWizard ? onWizard(dialog) : dialog.accept();
        return dialog.result();
    }};
};

struct FrameFixture {
    explicit FrameFixture(TimeValue today = Day(2005, 3, 15)) : docs(today) {}

    // Builds the window over the current store (call again after frame.reset() to start anew).
    CMainFrame& Create() {
        frame = std::make_unique<CMainFrame>(docs.doc, docs.store, recent);
        docs.doc.SetMessageHandler(
            [this](const UserMessage& message) { ShowMessageBox(frame.get(), message); });
        frame->SetFileDialogRunner([this](QWidget*, CMainFrame::FileDialogKind,
                                          const QString&) -> std::optional<CMainFrame::FileChoice> {
            if (fileChoices.empty()) return std::nullopt;
            const auto choice = fileChoices.front();
            fileChoices.pop_front();
            return choice;
        });
        return *frame;
    }
    bool ShowActive() { return test::ShowActive(*frame); }

    // A ledger file written by a second document: the built-in matters and the given bookings.
    std::string WriteLedger(const std::string& name,
                            const std::vector<std::pair<TimeValue, std::int32_t>>& foodBookings) {
        MemorySettingsStore store;
        CTallymoDoc other(store, docs.clock);
        for (const auto& [day, amount] : foodBookings) other.BookEntry(day, 1, amount, {}, false);
        const std::string path = folder + "/" + name;
        EXPECT_TRUE(other.SaveLedgerFile(path));
        return path;
    }

    DocFixture docs;
    RecentFileList recent;
    MessageCapture messages;
    QuestionCapture questions;
    WizardCapture wizards;
    std::deque<CMainFrame::FileChoice> fileChoices;
    std::string folder = MakeTempDir("frame");
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace tallymo::test
