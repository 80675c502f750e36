#include "platform/ui/Desktop.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QUrl>

namespace platform {
namespace {

std::unique_ptr<Desktop>& slot() {
    static std::unique_ptr<Desktop> instance = std::make_unique<Desktop>();
    return instance;
}

} // namespace

bool Desktop::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString Desktop::defaultApplication(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        return {};
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

int Desktop::colorDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

bool Desktop::startProgram(const QString& program) {
    return QProcess::startDetached(program, {});
}

Desktop& Desktop::instance() {
    return *slot();
}

void Desktop::setInstance(std::unique_ptr<Desktop> desktop) {
    slot() = desktop ? std::move(desktop) : std::make_unique<Desktop>();
}

} // namespace platform
