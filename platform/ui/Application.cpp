#include "platform/ui/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

void setUpApplication(QApplication& app) {
    // The program speaks German whatever the desktop's language: the texts of Qt's
    // standard buttons and dialogs come from Qt's German translation.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
    app.setApplicationName(QStringLiteral("Wendrak"));
}

} // namespace platform
