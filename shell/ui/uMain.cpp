#include "shell/ui/uMain.h"

#include "platform/ProgramPath.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QLabel>

int runWendrak(int argc, char* argv[]) {
    QApplication app(argc, argv);
    platform::setProgramPath(QCoreApplication::applicationFilePath());
    platform::setUpApplication(app);
    app.setApplicationName(QStringLiteral("Wendrak"));
    QLabel placeholder(QStringLiteral("Wendrak"));
    placeholder.showMaximized();
    return app.exec();
}
