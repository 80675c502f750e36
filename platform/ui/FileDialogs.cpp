// The file dialog with a test hook (see FileDialogs.h).
#include "platform/ui/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace platform {

namespace {

QStringList& queuedAnswers() {
    static QStringList answers;
    return answers;
}

} // namespace

QString chooseExistingFile(QFileDialog* dialog) {
    if (!queuedAnswers().isEmpty())
        return queuedAnswers().takeFirst();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return QString();
    return dialog->selectedFiles().constFirst();
}

void FileDialogs::answerNext(const QString& path) {
    queuedAnswers() << path;
}

void FileDialogs::reset() {
    queuedAnswers().clear();
}

} // namespace platform
