// The program's message boxes: information, errors and yes/no questions, with German
// buttons. A window test can answer the boxes in advance (MessageBoxes::answerNext): the
// boxes then do not open, their texts are recorded and the queued answers are given in turn.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// An information box with its "OK" button; the title defaults to "Information".
void showMessage(QWidget* parent, const QString& text,
                 const QString& title = QStringLiteral("Information"));
// A warning box (the "Warnung !!!" kind) with its "OK" button.
void showWarning(QWidget* parent, const QString& text, const QString& title);
// A question with "Ja" and "Nein"; true for "Ja". defaultYes picks the default button.
bool askYesNo(QWidget* parent, const QString& question,
              const QString& title = QStringLiteral("Bestätigen"), bool defaultYes = true);

// For tests: while answers are queued (or recording is on), no box opens.
class MessageBoxes {
public:
    // Queues the answer of the next question (true "Ja"); information boxes take none.
    static void answerNext(bool yes);
    // Records boxes without showing them (questions without a queued answer say "Nein").
    static void startRecording();
    // Texts of the boxes since startRecording or answerNext, oldest first.
    static QStringList shown();
    // Back to real boxes; forgets answers and texts.
    static void reset();
    // True while boxes are answered instead of shown.
    static bool recording();
    // Records a box's text (used by the error report too).
    static void record(const QString& text);
    // The next queued answer ("Nein" when none is left).
    static bool takeAnswer();
};

} // namespace platform
