// Choosing an existing file with the program's file dialog. A window test queues the
// answer in advance (FileDialogs::answerNext): the dialog then does not open, so the test
// does not depend on the dialog reading its folder in the background.
#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;

namespace platform {

// Shows dialog modally; the chosen file, or an empty string when the user cancelled.
QString chooseExistingFile(QFileDialog* dialog);
// The same for a dialog that allows several files: the chosen files, none when cancelled.
QStringList chooseExistingFiles(QFileDialog* dialog);

class FileDialogs {
public:
    // The next dialog answers path without opening (empty: cancelled).
    static void answerNext(const QString& path);
    // The next dialog answers these files (empty: cancelled).
    static void answerNext(const QStringList& paths);
    // Back to real dialogs.
    static void reset();
};

} // namespace platform
