// The player card (see uSpielerAnzeige.h).
#include "players/ui/uSpielerAnzeige.h"

#include "platform/ModalResults.h"
#include "platform/Paths.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/PictureImage.h"
#include "platform/ui/uTFormDefault.h"
#include "players/PlayerCard.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"
#include "players/ui/uUebersicht.h"
#include "players/ui/ufrmExportPlayer.h"
#include "ui_uSpielerAnzeige.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPixmap>
#include <QShowEvent>

namespace {

const char* const kPlaceholder = "leer.bmp";

} // namespace

TfrmSpielerAnzeige::TfrmSpielerAnzeige(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TfrmSpielerAnzeige>()) {
    ui->setupUi(this);
    FormCreate();
}

TfrmSpielerAnzeige::~TfrmSpielerAnzeige() = default;

void TfrmSpielerAnzeige::FormCreate() {
    CoverScreenInBlack(this);
    CentrePanelInFrame(ui->Panel2, ui->pnlRahmen, size());
    ui->JvGradient1_1->setGeometry(0, 0, ui->pnlRahmen->width(), ui->pnlRahmen->height());
    ui->imgLogo->move(width() - ui->imgLogo->width(), height() - ui->imgLogo->height());

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setNameFilters(
        {QStringLiteral("Bitmapdateien (*.BMP)"), QStringLiteral("JPEG-Bilder (*.JPG *.JPEG)")});
    OpenDialog1->setDefaultSuffix(QStringLiteral("BMP"));

    connect(ui->btnLoadPicture, &QPushButton::clicked, this,
            &TfrmSpielerAnzeige::btnLoadPictureClick);
    connect(ui->btnBildentfernen, &QPushButton::clicked, this,
            &TfrmSpielerAnzeige::btnBildEntfernenClick);
    connect(ui->BtnSave, &QPushButton::clicked, this, &TfrmSpielerAnzeige::BtnSaveClick);
    connect(ui->SpeedButton2, &QPushButton::clicked, this, &TfrmSpielerAnzeige::SpeedButton2Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TfrmSpielerAnzeige::Button4Click);
    // Hidden, and nothing shows it; a click would open the exchange.
    connect(ui->btnExport, &QPushButton::clicked, this, &TfrmSpielerAnzeige::btnExportClick);
    // "E&xportieren" stays hidden and unconnected until the exchange dialog exists.
}

void TfrmSpielerAnzeige::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TfrmSpielerAnzeige::FormActivate() {
    // A picture name with a folder (or a bare one in the current folder) is shown when
    // that file exists.
    const QString named = platform::toSlashes(ui->Label6->text());
    if (!named.isEmpty() && platform::fileExists(named))
        loadPicture(named);
}

bool TfrmSpielerAnzeige::loadPicture(const QString& path) {
    const QImage image = platform::loadPicture(path);
    ui->Image1->setPixmap(QPixmap::fromImage(image));
    ui->Image1->setVisible(!image.isNull());
    return !image.isNull();
}

void TfrmSpielerAnzeige::ShowPlayer(const QString& path) {
    fill(path, false);
}

void TfrmSpielerAnzeige::ShowImportedPlayer(const QString& path) {
    fill(path, true);
}

void TfrmSpielerAnzeige::fill(const QString& path, bool imported) {
    Spieler = readPlayerFile(path);
    SpielerTyp& p = Spieler;
    if (!imported)
        p.GeschaeftsmaessigAusbeutbar.set(DisplayedGeschaeftsmaessigAusbeutbar(p));

    ui->Edit1->setText(p.Name.get());
    ui->Edit2->setText(p.Alter.get());
    ui->Edit3->setText(p.Geschlecht.get());
    ui->Edit4->setText(p.Nationalitaet.get());
    ui->Edit5->setText(p.Motto.get());
    ui->Edit14->setText(p.Beruf.get());
    ui->txtFreundlich->setText(p.IstKonsensorientiert.get());
    ui->txtBewahrt->setText(p.IstFriedlich.get());
    ui->txtSichVer->setText(p.VerteidigtSicher.get());
    ui->txtGeschAusbeutbar->setText(p.GeschaeftsmaessigAusbeutbar.get());
    ui->txtGreiftAn->setText(p.NeigtZumAngreifen.get());
    ui->txtAusbeut->setText(p.NeigtZumAusbeuten.get());
    ui->txtNeigUeber->setText(p.NeigtZuUeberreaktionen.get());
    ui->txtTyp->setText(QStringLiteral("Typ: ") + QString::number(p.Spielertyp));
    const PlayerMeasureTexts measures = FormatPlayerMeasures(p);
    ui->txtKMass->setText(measures.KMass);
    ui->txtVMass->setText(measures.VMass);
    ui->txtKOMass->setText(measures.KOMass);
    ui->txtAMass->setText(measures.AMass);

    const QString picture = imported ? platform::toSlashes(p.Bilddatei.get())
                                     : PicturePathInStore(playerStoreFolder(), p.Bilddatei.get());
    const QString placeholder = playerStoreFolder() + QString::fromLatin1(kPlaceholder);
    if (!picture.isEmpty() && platform::fileExists(picture))
        loadPicture(platform::resolvePath(picture));
    else if (!imported && platform::fileExists(placeholder))
        loadPicture(platform::resolvePath(placeholder));
    else
        ui->Image1->hide();
    ui->Label6->setText(p.Bilddatei.get());
    ui->Label9->setText(imported ? QString() : path);

    const bool editable = !IsReadOnlyPlayer(path, p);
    for (QLineEdit* edit : {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit14})
        edit->setReadOnly(!editable);
    ui->btnLoadPicture->setVisible(editable);
    ui->btnBildentfernen->setVisible(editable);
    ui->BtnSave->setVisible(editable);
}

void TfrmSpielerAnzeige::SavePlayer(const QString& path) {
    SaveCardPlayer(path, Spieler, PersonalEdits(), ui->Label6->text());
}

void TfrmSpielerAnzeige::btnLoadPictureClick() {
    const QString chosen = platform::chooseExistingFile(OpenDialog1);
    if (chosen.isEmpty())
        return;
    platform::guarded(this, [&] {
        const QString name =
            CopyPictureToStore(chosen, playerStoreFolder(), [](const QByteArray& bytes) {
                return !platform::decodePicture(bytes).isNull();
            });
        loadPicture(platform::resolvePath(playerStoreFolder() + name));
        ui->Label6->setText(name);
    });
}

void TfrmSpielerAnzeige::btnBildEntfernenClick() {
    // The picture file stays in the store; other players may show it.
    ui->Label6->clear();
    ui->Image1->hide();
}

void TfrmSpielerAnzeige::btnExportClick() {
    ShowExportPlayerDialog();
}

void TfrmSpielerAnzeige::Button4Click() {
    const QString path = ui->Label9->text();
    if (path.isEmpty() || Uebersicht == nullptr)
        return;
    if (!platform::guarded(this, [&] { Uebersicht->ShowSituations(readPlayerFile(path)); }))
        return;
    if (Uebersicht->exec() == modal::Ok)
        Uebersicht->hide();
}

void TfrmSpielerAnzeige::BtnSaveClick() {
    // Refused here, over the card, so that the typed values stay whichever command opened
    // the card; only a failure to write is left to that command.
    if (platform::guarded(this, [this] { CheckPersonalFields(PersonalEdits(), true); }))
        done(modal::Ok);
}

void TfrmSpielerAnzeige::SpeedButton2Click() {
    done(modal::Cancel);
}

void TfrmSpielerAnzeige::reject() {
    SpeedButton2Click();
}

PersonalFields TfrmSpielerAnzeige::PersonalEdits() const {
    return {ui->Edit1->text(), ui->Edit2->text(), ui->Edit3->text(),
            ui->Edit4->text(), ui->Edit5->text(), ui->Edit14->text()};
}

bool TfrmSpielerAnzeige::TypesButtonOn() const {
    // The card is closed when this is asked: the button's own state, not its showing.
    return !ui->Button4->isHidden();
}

void TfrmSpielerAnzeige::SetTypesButtonOn(bool on) {
    ui->Button4->setVisible(on);
}
