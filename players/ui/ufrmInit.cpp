// The wait window of the player index (see ufrmInit.h).
#include "players/ui/ufrmInit.h"

#include "platform/ui/ErrorReport.h"
#include "players/uTGroup.h"
#include "ui_ufrmInit.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <memory>

TfrmInit::TfrmInit(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    Ui::TfrmInit ui;
    ui.setupUi(this);
    lblInfo = ui.lblInfo;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    lblInfo->setFont(font);
    setFixedSize(258, 99);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

TfrmInit::~TfrmInit() = default;

QStringList BuildPlayerIndexWithWait(const TGroup& group, const QString& folder, QWidget* parent) {
    PlayerIndex index;
    { // the box below must not sit behind the wait window
        auto wait = std::make_unique<TfrmInit>();
        wait->show();
        wait->repaint();
        // Let the window system put the window on screen before the scan blocks the thread.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        index = group.BuildPlayerIndex(folder);
    }
    if (!index.unreadable.isEmpty())
        platform::showError(parent, QStringLiteral("Diese Spielerdateien können nicht gelesen "
                                                   "werden und fehlen in der Spielerliste:\n") +
                                        index.unreadable.join(QLatin1Char('\n')));
    return index.players;
}
