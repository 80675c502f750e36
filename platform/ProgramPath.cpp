#include "platform/ProgramPath.h"

#include "platform/Paths.h"

#include <QFileInfo>
#include <mutex>

namespace platform {
namespace {

std::mutex g_mutex;
QString g_path;

QString executablePath() {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.canonicalFilePath();
}

} // namespace

QString programPath() {
    std::lock_guard lock(g_mutex);
    if (g_path.isEmpty())
        g_path = executablePath();
    return g_path;
}

void setProgramPath(const QString& path) {
    std::lock_guard lock(g_mutex);
    g_path = toSlashes(path);
}

QString programFolder() {
    return extractFilePath(programPath());
}

} // namespace platform
