// The main window's tournament observer (see ProgressObserver.h).
#include "shell/ui/ProgressObserver.h"

#include "engine/ui/uWarten.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/Colours.h"
#include "platform/HelpContexts.h"
#include "platform/ModalResults.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"
#include "shell/ui/Startup.h"

#include <QCoreApplication>
#include <QFrame>

using namespace colours;

ProgressObserver::ProgressObserver(QWidget* owner, TfrmDravolenzMain_New* results)
    : m_owner(owner), m_results(results), m_progress(startupForm<TForm10>()) {}

void ProgressObserver::showProgress() {
    TForm10* form = m_progress;
    if (form == nullptr)
        return;
    QPalette palette = form->pnlRahmen()->palette();
    palette.setColor(QPalette::Window, GradientWidget::fromBgr(clPanelFrame));
    form->pnlRahmen()->setPalette(palette);
    form->show();
    form->raise();
    form->activateWindow();
    form->reset();
    ApplyFormDefaults(clBlack, clNavy, form, help::Progress);
    QCoreApplication::processEvents();
}

void ProgressObserver::processEvents() {
    if (m_progress != nullptr)
        m_progress->processEventsAndCheckAbbruch();
    else
        QCoreApplication::processEvents();
}

bool ProgressObserver::abortRequested() {
    return m_progress != nullptr && m_progress->Abbruch;
}

bool ProgressObserver::confirmAbort(const QString& question) {
    return platform::askYesNo(m_progress, question);
}

void ProgressObserver::clearAbort() {
    if (m_progress != nullptr)
        m_progress->Abbruch = false;
}

void ProgressObserver::progress(int gauge) {
    if (m_progress != nullptr)
        m_progress->setGaugeValue(gauge);
}

void ProgressObserver::hideProgress() {
    if (m_progress != nullptr)
        m_progress->hide();
}

void ProgressObserver::showMessage(const QString& text) {
    platform::showMessage(m_owner, text, QStringLiteral("Wendrak"));
}

int ProgressObserver::showResults() {
    return m_results != nullptr ? m_results->exec() : modal::Cancel;
}
