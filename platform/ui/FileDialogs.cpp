// The file dialog with a test hook (see FileDialogs.h).
#include "platform/ui/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

namespace {

QList<QStringList>& queuedAnswers() {
    static QList<QStringList> answers;
    return answers;
}

} // namespace

QString chooseExistingFile(QFileDialog* dialog) {
    return chooseExistingFiles(dialog).value(0);
}

QStringList chooseExistingFiles(QFileDialog* dialog) {
    if (!queuedAnswers().isEmpty())
        return queuedAnswers().takeFirst();
    if (dialog->exec() != QDialog::Accepted)
        return {};
    return dialog->selectedFiles();
}

void FileDialogs::answerNext(const QString& path) {
    answerNext(path.isEmpty() ? QStringList() : QStringList(path));
}

void FileDialogs::answerNext(const QStringList& paths) {
    queuedAnswers() << paths;
}

void FileDialogs::reset() {
    queuedAnswers().clear();
}

} // namespace platform
