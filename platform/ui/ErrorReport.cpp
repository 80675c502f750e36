#include "platform/ui/ErrorReport.h"

#include "platform/WendrakError.h"
#include "platform/ui/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

namespace platform {

void showError(QWidget* parent, const QString& message) {
    if (MessageBoxes::recording())
        return MessageBoxes::record(message);
    QMessageBox::critical(parent, QApplication::applicationName(), message);
}

bool guarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const WendrakError& e) {
        showError(parent, e.message());
    } catch (const std::bad_alloc&) {
        showError(parent, QStringLiteral("Zu wenig Arbeitsspeicher."));
    } catch (const std::exception& e) {
        showError(parent, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showError(parent, QStringLiteral("Ein unbekannter Fehler ist aufgetreten."));
    }
    return false;
}

} // namespace platform
