// The tournament run as the main window drives it: the progress window with its gauge and
// cancel button, the cancel question, the run's messages and the filled result window.
#pragma once

#include "engine/Tournament.h"

class QWidget;
class TForm10;
class TfrmDravolenzMain_New;

class ProgressObserver : public TournamentObserver {
public:
    // Messages are shown over owner; results is the window the run fills (may be null).
    // The progress window is the start-up one.
    ProgressObserver(QWidget* owner, TfrmDravolenzMain_New* results);

    void showProgress() override;
    void processEvents() override;
    bool abortRequested() override;
    bool confirmAbort(const QString& question) override;
    void clearAbort() override;
    void progress(int gauge) override;
    void hideProgress() override;
    void showMessage(const QString& text) override;
    int showResults() override;

private:
    QWidget* m_owner;
    TfrmDravolenzMain_New* m_results;
    TForm10* m_progress;
};
