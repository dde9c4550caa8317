#pragma once
// Questions the program asks with more than an OK button: whether to save changes (yes, no,
// cancel) and whether to create a file that does not exist yet (yes, no). Tests replace the
// presenter so that nothing waits for a click.

#include <QString>
#include <functional>

class QWidget;

namespace tallymo {

enum class Answer { Yes, No, Cancel };

struct Question {
    QString text;
    bool withCancel = false;  // yes, no and cancel; otherwise yes and no
    // A question about throwing something away: the question icon, and "no" as the default
    // button so that Enter keeps things. Otherwise a warning with "yes" as the default.
    bool noByDefault = false;
};

Answer AskQuestion(QWidget* parent, const Question& question);

using QuestionPresenter = std::function<Answer(QWidget* parent, const Question& question)>;
// Installs a presenter (an empty one restores the question box); returns the previous one.
QuestionPresenter SetQuestionPresenter(QuestionPresenter presenter);

// "<name> への変更を保存しますか?", asked before a modified ledger is closed or replaced.
QString SaveChangesQuestion(const QString& documentName);

// "<name> は、開いた後にほかのプログラムで変更されています。上書きしますか?", asked before a save
// would write over a change that another program made to the ledger's file.
QString ChangedOnDiskQuestion(const QString& documentName);

}  // namespace tallymo
