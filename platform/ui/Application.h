// Application-wide set-up for the windows: German texts of Qt's standard buttons and the
// German locale for dialogs. Called by main and by the window tests.
#pragma once

class QApplication;

namespace platform {

void setUpApplication(QApplication& app);

} // namespace platform
