// Choosing an existing file with the program's file dialog. A window test queues the
// answer in advance (FileDialogs::answerNext): the dialog then does not open, so the test
// does not depend on the dialog reading its folder in the background.
#pragma once

#include <QString>

class QFileDialog;

namespace platform {

// Shows dialog modally; the chosen file, or an empty string when the user cancelled.
QString chooseExistingFile(QFileDialog* dialog);

class FileDialogs {
public:
    // The next dialog answers path without opening (empty: cancelled).
    static void answerNext(const QString& path);
    // Back to real dialogs.
    static void reset();
};

} // namespace platform
