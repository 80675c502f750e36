// The settings dialog opened from the main menu: it shows "Kemra.ini" as the file is at
// each showing, lets only the user name and the installation folder be edited, and writes
// every setting back on "&Ok" while other keys and sections of the file stay.
#include "shell/ui/uSYSPfade.h"

#include "ShellTestSupport.h"
#include "platform/IniFile.h"
#include "platform/ui/MessageBoxes.h"

using namespace shelltest;

class SettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void okWritesTheSettingsBackAndKeepsForeignKeysAndSections() {
        Program program([](TempRoot& root) {
            root.write("Kemra.ini", "[Path]\r\nRootpath=R:\\\r\nWendrakPath=W:\\Wendrak\\\r\n"
                                    "Fremdschluessel=bleibt\r\n\r\n[Settings]\r\nUsername=Anna\r\n"
                                    "MatrixKK=4;4\r\n\r\n[Fremd]\r\nWert=1\r\n");
        });
        const QString ini = program.root.root() + "Kemra.ini";
        // Written after start-up, as another window would: the dialog shows it.
        {
            platform::IniFile later(ini);
            later.writeString("Settings", "Username", "Berta");
            later.updateFile();
        }
        program.showMenu();

        QStringList shown;
        whenModalOf<TfrmPfade>([&shown](TfrmPfade* d) {
            for (const char* name : {"Name", "Rootpath", "wendrakpath", "WendrakTextPath",
                                     "PelkamExportPath", "PelkamPath"}) {
                auto* edit = d->findChild<QLineEdit*>(name);
                shown << QString(edit->isEnabled() ? "" : "x") + edit->text();
            }
            d->findChild<QLineEdit*>("Name")->setText("Carla");
            d->findChild<QLineEdit*>("Rootpath")->setText("S:\\");
            d->findChild<QPushButton*>("btnOk")->click();
        });
        program.main()->button("BitBtn1")->click();
        const QString dir = program.root.root();
        QCOMPARE(shown, QStringList(
                            {"Berta", "R:\\", "xW:\\Wendrak\\", "x" + dir + "Wendrak/Texte/",
                             "x" + dir + "Wendrak/PelkamSpieler/", "x" + dir + "Wendrak Pelkam/"}));

        const platform::IniFile written(ini);
        QStringList values;
        for (const char* key :
             {"Settings/Username", "Path/Rootpath", "Path/WendrakPath", "Path/WendrakTextPath",
              "Settings/MatrixKK", "Path/Fremdschluessel", "Fremd/Wert"})
            values << written.readString(QString(key).section('/', 0, 0),
                                         QString(key).section('/', 1), "");
        QCOMPARE(values, QStringList({"Carla", "S:\\", "W:\\Wendrak\\", dir + "Wendrak/Texte/",
                                      "4;4", "bleibt", "1"}));
    }

    // A save that fails or is refused keeps the dialog open with what was typed, and Escape
    // then leaves it without changing the file.
    void aFailedSaveKeepsTheDialogOpenAndEscapeChangesNothing() {
        const struct {
            bool folder; // "Kemra.ini" is a folder: the file cannot be read
            const char* typed;
            const char* message;
        } rows[] = {
            {true, "Carla",
             "Die Datei \"%1Kemra.ini\" kann nicht gelesen werden und wird deshalb nicht "
             "geschrieben."},
            {false, "Łukasz",
             "Das Feld „Ihr Name“ enthält Zeichen, die nicht gespeichert werden können. Erlaubt "
             "sind nur Zeichen des Windows-Zeichensatzes (Windows-1252)."},
        };
        for (const auto& row : rows) {
            Program program([&row](TempRoot& root) {
                if (row.folder)
                    QDir().mkpath(root.root() + "Kemra.ini");
                else
                    root.write("Kemra.ini", "[Settings]\r\nUsername=Anna\r\n");
            });
            program.showMenu();
            platform::MessageBoxes::startRecording();
            QStringList afterOk;
            whenModalOf<TfrmPfade>([&afterOk, &row](TfrmPfade* d) {
                d->findChild<QLineEdit*>("Name")->setText(QString::fromUtf8(row.typed));
                d->findChild<QPushButton*>("btnOk")->click();
                afterOk << QString::number(d->isVisible())
                        << d->findChild<QLineEdit*>("Name")->text();
                QTest::keyClick(d, Qt::Key_Escape);
            });
            program.main()->button("BitBtn1")->click();
            const QStringList shown = platform::MessageBoxes::shown();
            platform::MessageBoxes::reset();
            QCOMPARE(afterOk, QStringList({"1", QString::fromUtf8(row.typed)}));
            QCOMPARE(shown, QStringList{
                                QString::fromUtf8(row.message).replace("%1", program.root.root())});
            QCOMPARE(startupForm<TfrmPfade>()->result(), int(QDialog::Rejected));
            QCOMPARE(program.root.read("Kemra.ini"),
                     row.folder ? "" : "[Settings]\r\nUsername=Anna\r\n");
        }
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settingsdialog_test.moc"
