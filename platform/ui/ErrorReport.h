// The application's general error report: shows a caught error in a German message box.
// Every window command that can fail wraps its work in guarded(), so no exception reaches
// Qt's event loop.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

void showError(QWidget* parent, const QString& message);
// Runs work; a WendrakError or any other exception is shown through showError.
// Returns false when work threw.
bool guarded(QWidget* parent, const std::function<void()>& work);

} // namespace platform
