// The standard-experiments menu: a tree of the folder "Standardexperimente" with its texts
// (opened in the desktop's program for them) and its prepared groups ("Selbst
// Experimentieren"), which are loaded into the current game. Closes with 5 when a group was
// loaded (lblCurrentPath then holds the group's folder) and with 2 on "&Zurück".
#pragma once

#include "platform/ModalResults.h"
#include "players/uTGroup.h"
#include "shell/StandardExperiments.h"

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>
#include <memory>

class QFrame;
class QLabel;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class GradientWidget;
class TApplicationEnviroment;

namespace Ui {
class TfrmExperimenteMenu;
}

class TfrmExperimenteMenu : public QDialog {
    Q_OBJECT
public:
    // Modal results.
    static constexpr int ResultGroup = modal::RunGroup;
    static constexpr int ResultBack = modal::Cancel;

    // Node pictures, by their index in imgMain.
    enum NodeImage {
        ImgFolderSelected = 0,
        ImgFolder = 1,
        ImgTextWithHtml = 2,
        ImgGroup = 3,
        ImgTextOnly = 4,
    };
    // Item data roles holding a node's image and selected-image index.
    static constexpr int ImageIndexRole = Qt::UserRole + 1;
    static constexpr int SelectedIndexRole = Qt::UserRole + 2;

    explicit TfrmExperimenteMenu(QWidget* parent = nullptr);
    ~TfrmExperimenteMenu() override;

    TGroup Gruppe;
    std::unique_ptr<TApplicationEnviroment> Umgebung;
    // The file the selected node stands for ("" when none).
    QString AuswahlDatei;
    // The node pictures.
    QList<QIcon> imgMain;

    // Rebuilds the tree from the program folder's "Standardexperimente".
    void FillTree();
    // Adds the texts, the group and (recursively) the sub-folders of folder below parentNode.
    void AddFolder(const QString& folder, QTreeWidgetItem* parentNode);
    // The node's text and its ancestors' joined with "/", the top-level node first.
    static QString GetNodePath(const QTreeWidgetItem* node);

    void trvMainClick();
    void btnOkClick();
    // A text: through the desktop or in the text window (see ExperimentOpeningFor), or a
    // message saying why it cannot be shown.
    void OpenText();
    void mbtnBackClick();
    void TimerDummyTimer();

    QFrame* pnlMain() const;
    GradientWidget* pnlRahmen() const;
    QLabel* lblHead() const;
    QTreeWidget* trvMain() const;
    QToolButton* btnOk() const;
    QToolButton* mbtnBack() const;
    QLabel* lblCurrentPath() const;
    QLabel* imgLogo() const;
    QTimer* TimerDummy() const { return m_timer; }

    // Escape and closing the window leave it as "&Zurück" does.
    void reject() override;

protected:
    // Every showing, and every dialog of the program closing over the menu, restart the
    // timer that rebuilds the tree.
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void FormCreate();
    QTreeWidgetItem* addNode(QTreeWidgetItem* parentNode, const QString& text, int image,
                             int selectedImage);
    void addEntries(const QList<ExperimentEntry>& entries, QTreeWidgetItem* parentNode);

    std::unique_ptr<Ui::TfrmExperimenteMenu> ui;
    QTimer* m_timer = nullptr;
};
