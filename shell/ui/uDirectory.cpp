// The folder chooser (see uDirectory.h). The drives of a Linux desktop are its mounted
// volumes; the folder list shows the way from the drive's root to the folder, then the
// folder's subfolders, and a double-click opens a folder.
#include "shell/ui/uDirectory.h"

#include "ui_uDirectory.h"

#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

TfrmDirectory::TfrmDirectory(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmDirectory) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
        move(screen->geometry().center() - rect().center());
    ui->imgBack->setPixmap(QPixmap(
        platform::resolvePath(platform::programFolder() + QStringLiteral("Verzeichnis.jpg"))));

    ui->cboDrive->addItems(platform::volumeRoots());
    const QString programDrive = platform::volumeRootOf(platform::programFolder());
    const int index = ui->cboDrive->findText(programDrive);
    ui->cboDrive->setCurrentIndex(index >= 0 ? index : 0);
    SetDirectory(platform::folderExists(platform::programFolder()) ? platform::programFolder()
                                                                   : ui->cboDrive->currentText());

    connect(ui->cboDrive, &QComboBox::currentIndexChanged, this, &TfrmDirectory::cboDriveChange);
    connect(ui->dir, &QListWidget::itemActivated, this, &TfrmDirectory::dirActivated);
    connect(ui->btnOk, &QPushButton::clicked, this, [this] { done(modal::Ok); });
}

TfrmDirectory::~TfrmDirectory() {
    delete ui;
}

QPushButton* TfrmDirectory::btnOk() const {
    return ui->btnOk;
}

bool TfrmDirectory::SetDirectory(const QString& folder) {
    const QString path = platform::withTrailingSlash(QDir::cleanPath(folder));
    if (!platform::folderExists(path) || !platform::canReadFolder(path))
        return false;
    m_directory = path;
    ui->dir->clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The way down from the root, each step one level further in.
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString walked = QStringLiteral("/");
    auto addStep = [&](const QString& text, const QString& target, int depth, const QIcon& icon) {
        auto* item =
            new QListWidgetItem(icon, QString(depth * 2, QLatin1Char(' ')) + text, ui->dir);
        item->setData(Qt::UserRole, target);
    };
    addStep(QStringLiteral("/"), walked, 0, openIcon);
    for (int i = 0; i < parts.size(); ++i) {
        walked += parts[i] + QLatin1Char('/');
        addStep(parts[i], walked, i + 1, openIcon);
    }
    const QStringList children =
        platform::listFolder(path, QStringLiteral("*"), platform::ListKind::Folders);
    for (const QString& child : children)
        addStep(child, path + child + QLatin1Char('/'), int(parts.size()) + 1, closedIcon);
    ui->dir->setCurrentRow(int(parts.size()));
    return true;
}

void TfrmDirectory::cboDriveChange() {
    if (!SetDirectory(ui->cboDrive->currentText()))
        SetDirectory(platform::volumeRootOf(platform::programFolder()));
}

void TfrmDirectory::dirActivated(QListWidgetItem* item) {
    if (item != nullptr)
        SetDirectory(item->data(Qt::UserRole).toString());
}
