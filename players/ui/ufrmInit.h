// The small wait window shown while the player index is built, and the index build that
// shows it.
#pragma once

#include <QStringList>
#include <QWidget>

class TGroup;
class QLabel;

class TfrmInit : public QWidget {
    Q_OBJECT
public:
    explicit TfrmInit(QWidget* parent = nullptr);
    ~TfrmInit() override;

private:
    QLabel* lblInfo = nullptr;
};

// TGroup::BuildPlayerIndex over folder with the wait window on screen: the window is shown
// and painted before the scan and freed afterwards. Player files left out of the list are
// then named in one error box over parent; a store that cannot be listed throws.
QStringList BuildPlayerIndexWithWait(const TGroup& group, const QString& folder, QWidget* parent);
