// Message boxes with a test hook (see MessageBoxes.h).
#include "platform/ui/MessageBoxes.h"

#include <QList>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

struct Recorder {
    bool on = false;
    QList<bool> answers;
    QStringList texts;
};

Recorder& recorder() {
    static Recorder r;
    return r;
}

} // namespace

void MessageBoxes::answerNext(bool yes) {
    recorder().on = true;
    recorder().answers << yes;
}

void MessageBoxes::startRecording() {
    recorder().on = true;
}

QStringList MessageBoxes::shown() {
    return recorder().texts;
}

void MessageBoxes::reset() {
    recorder() = Recorder{};
}

bool MessageBoxes::recording() {
    return recorder().on;
}

void MessageBoxes::record(const QString& text) {
    recorder().texts << text;
}

bool MessageBoxes::takeAnswer() {
    return recorder().answers.isEmpty() ? false : recorder().answers.takeFirst();
}

void showMessage(QWidget* parent, const QString& text, const QString& title) {
    if (MessageBoxes::recording())
        return MessageBoxes::record(text);
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void showWarning(QWidget* parent, const QString& text, const QString& title) {
    if (MessageBoxes::recording())
        return MessageBoxes::record(text);
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

bool askYesNo(QWidget* parent, const QString& question, const QString& title, bool defaultYes) {
    if (MessageBoxes::recording()) {
        MessageBoxes::record(question);
        return MessageBoxes::takeAnswer();
    }
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace platform
