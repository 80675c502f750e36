// The folder chooser "Zugriffspfad auswählen": a drive list, the folder list of the chosen
// drive and "&Auswählen" (modal result 1). Start-up creates it; no command shows it.
#pragma once

#include <QDialog>

class QListWidgetItem;
class QPushButton;

namespace Ui {
class TfrmDirectory;
}

class TfrmDirectory : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDirectory(QWidget* parent = nullptr);
    ~TfrmDirectory() override;

    // The folder the list shows, ending with "/".
    QString Directory() const { return m_directory; }
    // Shows folder in the list; false (the list unchanged) when it cannot be read.
    bool SetDirectory(const QString& folder);

    QPushButton* btnOk() const;

private:
    void cboDriveChange();
    void dirActivated(QListWidgetItem* item);

    Ui::TfrmDirectory* ui;
    QString m_directory;
};
