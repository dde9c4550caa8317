#include "ui/Question.h"

#include <QMessageBox>

namespace tallymo {
namespace {

QuestionPresenter& Presenter() {
    static QuestionPresenter presenter;
    return presenter;
}

}  // namespace

Answer AskQuestion(QWidget* parent, const Question& question) {
    if (Presenter()) return Presenter()(parent, question);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (question.withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(question.noByDefault ? QMessageBox::Question : QMessageBox::Warning,
                    QStringLiteral("Tallymo Ver.2"), question.text, buttons, parent);
    box.setDefaultButton(question.noByDefault ? QMessageBox::No : QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            // Closing the box answers "cancel" where there is one, else "no".
            return question.withCancel ? Answer::Cancel : Answer::No;
    }
}

QuestionPresenter SetQuestionPresenter(QuestionPresenter presenter) {
    QuestionPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

QString SaveChangesQuestion(const QString& documentName) {
    return documentName + QStringLiteral(" への変更を保存しますか?");
}

QString ChangedOnDiskQuestion(const QString& documentName) {
    return documentName +
           QStringLiteral(" は、開いた後にほかのプログラムで変更されています。上書きしますか?");
}

}  // namespace tallymo
