// The main window's tournament observer (see ProgressObserver.h).
#include "shell/ui/ProgressObserver.h"

#include "engine/ui/uWarten.h"
#include "engine/ui/ufrmDravolenzMain_New.h"
#include "platform/ui/Colours.h"
#include "platform/ui/GradientWidget.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/uTFormDefault.h"

#include <QCoreApplication>
#include <QFrame>

using namespace colours;

void ProgressObserver::showProgress() {
    TForm10* form = Form10;
    if (form == nullptr)
        return;
    QPalette palette = form->pnlRahmen()->palette();
    palette.setColor(QPalette::Window, GradientWidget::fromBgr(clPanelFrame));
    form->pnlRahmen()->setPalette(palette);
    form->show();
    form->raise();
    form->activateWindow();
    form->reset();
    ApplyFormDefaults(clBlack, clNavy, form, 30100);
    QCoreApplication::processEvents();
}

void ProgressObserver::processEvents() {
    if (Form10 != nullptr)
        Form10->processEventsAndCheckAbbruch();
    else
        QCoreApplication::processEvents();
}

bool ProgressObserver::abortRequested() {
    return Form10 != nullptr && Form10->Abbruch;
}

bool ProgressObserver::confirmAbort(const QString& question) {
    return platform::askYesNo(Form10, question);
}

void ProgressObserver::clearAbort() {
    if (Form10 != nullptr)
        Form10->Abbruch = false;
}

void ProgressObserver::progress(int gauge) {
    if (Form10 != nullptr)
        Form10->setGaugeValue(gauge);
}

void ProgressObserver::hideProgress() {
    if (Form10 != nullptr)
        Form10->hide();
}

void ProgressObserver::showMessage(const QString& text) {
    platform::showMessage(m_owner, text, QStringLiteral("Wendrak"));
}

int ProgressObserver::showResults() {
    return m_results != nullptr ? m_results->exec() : 2;
}
