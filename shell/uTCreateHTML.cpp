// The HTML builder (see uTCreateHTML.h).
#include "shell/uTCreateHTML.h"

THTMLBuilder::THTMLBuilder()
    : FTags{QStringLiteral("!DOCTYPE"), QStringLiteral("html"),  QStringLiteral("<head"),
            QStringLiteral("<meta"),    QStringLiteral("<link"), QStringLiteral("</head"),
            QStringLiteral("title"),    QStringLiteral("body"),  QStringLiteral("</body"),
            QStringLiteral("<h1>")} {}
