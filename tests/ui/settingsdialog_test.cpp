// The settings dialog opened from the main menu: it shows "Kemra.ini" as the file is at
// each showing, lets only the user name and the installation folder be edited, writes every
// setting back on "&Ok", and stays open when the save fails.
#include "shell/ui/uSYSPfade.h"

#include "ShellTestSupport.h"
#include "platform/Ansi.h"
#include "platform/ui/MessageBoxes.h"

using namespace shelltest;

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    // A refused save keeps the dialog open with what was typed and Escape then leaves the file
    // as it was; the next showing reads the file again; "&Ok" writes the settings back in place.
    void okWritesTheSettingsBackAndAFailedSaveKeepsTheDialogOpen() {
        Program program; // the dialog reads the file at each showing
        const QByteArray before = "[Path]\r\nRootpath=R:\\\r\nWendrakPath=W:\\\r\n[Settings]\r\n"
                                  "Username=Anna\r\nMatrixKK=4;4\r\n";
        program.root.write("Kemra.ini", before);
        program.showMenu();
        platform::MessageBoxes::startRecording();
        QStringList shown;
        const auto openTypeAndSave = [&shown, &program](const char* name) {
            whenModalOf<TfrmPfade>([&shown, name](TfrmPfade* d) {
                for (const char* edit : {"Name", "Rootpath", "wendrakpath", "WendrakTextPath",
                                         "PelkamExportPath", "PelkamPath"}) {
                    auto* e = d->findChild<QLineEdit*>(edit);
                    shown << QString(e->isEnabled() ? "" : "x") + e->text();
                }
                d->findChild<QLineEdit*>("Name")->setText(QString::fromUtf8(name));
                d->findChild<QLineEdit*>("Rootpath")->setText("S:\\");
                d->findChild<QPushButton*>("btnOk")->click();
                shown << QString::number(d->isVisible()) + d->findChild<QLineEdit*>("Name")->text();
                if (d->isVisible())
                    QTest::keyClick(d, Qt::Key_Escape);
            });
            program.main()->button("BitBtn1")->click();
        };
        openTypeAndSave("Łukasz");
        QCOMPARE(startupForm<TfrmPfade>()->result(), int(QDialog::Rejected));
        QCOMPARE(program.root.read("Kemra.ini"), before);
        openTypeAndSave("Carla");
        QCOMPARE(platform::MessageBoxes::shown(),
                 QStringList{platform::AnsiFieldMessage("Ihr Name") +
                             "\n\nMit Esc schließen Sie den Dialog, ohne zu speichern."});
        platform::MessageBoxes::reset();
        const QString dir = program.root.root(), x = "x" + dir;
        const auto opened = QStringList({"Anna", "R:\\", "xW:\\", x + "Wendrak/Texte/",
                                         x + "Wendrak/PelkamSpieler/", x + "Wendrak Pelkam/"});
        QCOMPARE(shown, opened + QStringList{QString::fromUtf8("1Łukasz")} + opened +
                            QStringList{"0Carla"});
        QCOMPARE(program.root.read("Kemra.ini"),
                 ("[Path]\r\nRootpath=S:\\\r\nWendrakPath=W:\\\r\nPelkamPath=" + dir +
                  "Wendrak Pelkam/\r\nIniFileName=" + dir +
                  "Kemra.ini\r\nPelkamExeName=Pelkam.exe\r\nWendrakTextPath=" + dir +
                  "Wendrak/Texte/\r\nPelkamExportPath=" + dir +
                  "Wendrak/PelkamSpieler/\r\n[Settings]\r\nUsername=Carla\r\nMatrixKK=4;4\r\n"
                  "MatrixDD=1;1\r\nMatrixDK=5;0\r\nMatrixKD=0;5\r\n")
                     .toUtf8());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settingsdialog_test.moc"
