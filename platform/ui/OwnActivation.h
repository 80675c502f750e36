// A window's activation steps as the program's windows know them: they run each time one of
// the program's own modal dialogs closes over the window (the window shows its own steps when
// it is shown). Focus that the desktop hands back when the user returns from another
// application is no activation: a text opened in the desktop's viewer must not rebuild the
// window behind it.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace platform {

class OwnActivation : public QObject {
public:
    // Watches the application's dialogs for as long as window lives; steps run after the
    // closing dialog's event loop has ended.
    OwnActivation(QWidget* window, std::function<void()> steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dialogClosed();

    QPointer<QWidget> m_window;
    std::function<void()> m_steps;
};

} // namespace platform
