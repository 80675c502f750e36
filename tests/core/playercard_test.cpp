// What the player card and the chooser do below their windows: the type number in a test
// player's name, the four measures, taking a picture into the store, read-only players and
// the card's save.
#include "players/PlayerCard.h"

#include "TempRoot.h"
#include "platform/Ansi.h"
#include "platform/NumberFormat.h"
#include "platform/Pictures.h"
#include "platform/WendrakError.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

TEST(PlayerCard, TypeNumberFromFileNameReadsTheNumberAfterTheCapitalE) {
    const struct {
        const char* name;
        int want;
    } rows[] = {{"TypE7_x", 7}, {"TYPA12E3", 3}, {"TypA", 0},      {"Type5", 0},
                {"TypAE", -1},  {"TYPE", -1},    {"Ritter_3", -1}, {"TypE99999999999", -1}};
    for (const auto& r : rows)
        EXPECT_EQ(TypeNumberFromFileName(r.name), r.want) << r.name;
}

TEST(PlayerCard, MeasuresUseTheGeneralFormatAndTheTypeNumberOfATestPlayer) {
    platform::setDecimalSeparator(u',');
    SpielerTyp p = zeroedPlayer();
    p.Name.set("Anna");
    p.ErgebnisGegenK = 3001;
    p.ErgebnisNachEntgegenkommen = -1;
    p.ErgebnisGegenD = 250;
    p.Friedfertigkeit = 899;
    const auto texts = [&p] {
        const PlayerMeasureTexts t = FormatPlayerMeasures(p);
        return QStringList({t.KMass, t.VMass, t.KOMass, t.AMass});
    };
    EXPECT_EQ(texts(), QStringList({"0,9995", "k.A.", "0,899", "0,75"}));
    p.Name.set("TypE7_Otto");
    p.ErgebnisNachEntgegenkommen = 1000;
    EXPECT_EQ(texts(), QStringList({"0,9995", "0", "0,899", "0,7"}));
}

static ino_t inode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

TEST(PlayerCard, APictureIsCopiedIntoTheStoreOnlyWhenItIsASmallWholeBmpOrJpegWithAUsableName) {
    const TempRoot root;
    const QString store = root.programFolder() + "SpielerStamm/";
    const QByteArray bmp = QByteArray("BM") + QByteArray(60, '\1');
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(60, '\2');
    // The windows decode the picture; here a picture is what starts like one.
    const auto decodes = [](const QByteArray& b) { return b.startsWith("BM") || b[0] == '\xFF'; };
    const QString notPicture = "Die Datei \"%1\" ist kein Bild im Format BMP oder JPEG.";
    const QString tooLarge = "Das Bild \"%2\" ist größer als 50 MB und kann nicht geladen werden.";
    root.write("Wendrak/SpielerStamm/Foto.bmp", "BM alt");
    const struct {
        QString file;
        QByteArray bytes;
        QString refused;  // %1 the file name, %2 its path; "" when taken
        qint64 size = -1; // grown to this size (a sparse file), or a named pipe for 0
    } rows[] = {
        {"Bilder/Foto.bmp", bmp, ""}, // replaces the older picture of that name
        {"Bilder/Anna.jpg", jpeg, ""},
        {"Wendrak/SpielerStamm/Foto.bmp", bmp, ""}, // from the store: stays as it is
        {"Bilder/Notiz.bmp", "kein Bild", notPicture},
        {"Bilder/Gast.plx.bmp", bmp,
         "Die Datei \"%1\" gehört zum Spielerstamm und kann nicht als Bild geladen werden."},
        {"Bilder/x.txt", bmp,
         "Die Datei \"%1\" gehört zum Spielerstamm und kann nicht als Bild "
         "geladen werden."},
        {"Bilder/Foto.wendrak-Ab12Cd", bmp,
         "Der Name \"%1\" ist den Zwischendateien des Programms vorbehalten; bitte benennen Sie "
         "das Bild um."},
        {"Bilder/" + QString(47, 'a') + ".bmp", bmp, // longer than a record keeps
         "Der Name des Bildes \"%1\" ist zu lang (höchstens 50 Zeichen) oder enthält Zeichen, "
         "die nicht gespeichert werden können."},
        {"Bilder/Rohr.bmp", {}, "Die Datei \"%2\" ist keine gewöhnliche Datei.", 0},
        {"Bilder/Riese.bmp", "BM", tooLarge, platform::MaxPictureSize + 1},
        {"Bilder/Grenze.bmp", "??", notPicture, platform::MaxPictureSize}, // size accepted
    };
    for (const auto& r : rows) {
        const QString source = r.size == 0 ? root.root() + r.file : root.write(r.file, r.bytes);
        ASSERT_TRUE(r.size == 0 ? ::mkfifo(QFile::encodeName(source).constData(), 0644) == 0
                                : r.size < 0 || QFile::resize(source, r.size));
        const QString name = QFileInfo(source).fileName();
        const QByteArray before = root.read("Wendrak/SpielerStamm/" + name);
        const ino_t was = inode(store + name);
        try {
            EXPECT_EQ(CopyPictureToStore(source, store, decodes), name);
            // The same picture is not written again (a read-only one stays usable).
            EXPECT_TRUE(!r.file.startsWith("Wendrak/") || inode(source) == was);
            EXPECT_EQ(r.refused, "") << qPrintable(r.file);
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), r.bytes) << qPrintable(r.file);
        } catch (const WendrakError& e) {
            EXPECT_EQ(e.message(), QString(r.refused).replace("%1", name).replace("%2", source));
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), before) << qPrintable(r.file);
        }
    }
    EXPECT_EQ(QDir(store).entryList(QDir::Files), QStringList({"Anna.jpg", "Foto.bmp"}));
}

TEST(PlayerCard, AReadOnlyPlayerIsNeitherMeasuredNorSavedWhateverTheCaseOfItsPlxName) {
    const TempRoot root;
    const QString store = root.programFolder() + "SpielerStamm/";
    const SpielerTyp vorlage =
        readPlayerFile(TempRoot::sourceData() + "Wendrak/SpielerStamm/VORLAGE.PLY");
    const struct {
        QString file, dateiname;
        bool readOnly;
    } rows[] = {{"Anna.ply", "Anna.ply", false},
                {"Gast.PLX.ply", "Gast.ply", true},
                {"Gast2.ply", "Gast2.pLx", true},
                {"VORLAGE.PLY", vorlage.Dateiname.get(), true}}; // the shipped template
    for (const auto& r : rows) {
        SpielerTyp p = r.file == "VORLAGE.PLY" ? vorlage : zeroedPlayer();
        p.Dateiname.set(r.dateiname);
        const QString path = store + r.file;
        writePlayerFile(path, p);
        const QByteArray before = TempRoot::readFile(path);
        int runs = 0;
        const SpielerTyp shown = PreparePlayerToShow(path, [&runs](const QString& file) {
            ++runs;
            return updatePlayerFile(file, [](SpielerTyp& q) { q.ErgebnisGegenK = 4242; });
        });
        EXPECT_EQ(shown.ErgebnisGegenK == 4242, !r.readOnly) << qPrintable(r.file);
        EXPECT_EQ(runs, r.readOnly ? 0 : 1) << qPrintable(r.file);
        try {
            SaveCardPlayer(path, shown, {"Neu", "", "", "", "", "", ""});
            EXPECT_FALSE(r.readOnly) << qPrintable(r.file);
            EXPECT_EQ(readPlayerFile(path).Name.get(), "Neu");
        } catch (const WendrakError& e) {
            EXPECT_TRUE(r.readOnly) << qPrintable(r.file);
            EXPECT_EQ(e.message(), "Der Spieler \"" + r.file +
                                       "\" ist schreibgeschützt und kann nicht gespeichert "
                                       "werden.");
            EXPECT_EQ(TempRoot::readFile(path), before) << qPrintable(r.file);
        }
    }
}

TEST(PlayerCard, SaveWritesTheSixEditsThePictureAndValidMeasuresAndRefusesTextOutsideAnsi) {
    const TempRoot root;
    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    SpielerTyp shown = zeroedPlayer();
    shown.Dateiname.set("Anna.ply");
    shown.GeschaeftsmaessigAusbeutbar.set("Nein"); // the card's copy after the "k.A." rule
    shown.reserved3[7] = 0x5A;
    writePlayerFile(path, shown);
    const QByteArray before = TempRoot::readFile(path);
    const PlayerCardFields typed = {"Anna Neu",      "17",        "w",       "deutsch",
                                    "Nie nachgeben", "Schülerin", "Anna.jpg"};
    const char* labels[] = {"Name", "Alter", "Geschlecht", "Nationalität", "Motto", "Beruf"};
    QString PlayerCardFields::*members[] = {
        &PlayerCardFields::Name,          &PlayerCardFields::Alter, &PlayerCardFields::Geschlecht,
        &PlayerCardFields::Nationalitaet, &PlayerCardFields::Motto, &PlayerCardFields::Beruf};
    for (int i = 0; i < 6; ++i) {
        PlayerCardFields fields = typed;
        fields.*members[i] = "Łukasz";
        try {
            SaveCardPlayer(path, shown, fields);
            ADD_FAILURE() << labels[i];
        } catch (const WendrakError& e) {
            EXPECT_EQ(e.message(), platform::AnsiFieldMessage(QString::fromUtf8(labels[i])));
        }
        EXPECT_EQ(TempRoot::readFile(path), before);
    }
    SaveCardPlayer(path, shown, typed);
    SpielerTyp want = shown;
    want.Name.set("Anna Neu");
    want.Alter.set("17");
    want.Geschlecht.set("w");
    want.Nationalitaet.set("deutsch");
    want.Motto.set("Nie nachgeben");
    want.Beruf.set("Schülerin");
    want.Bilddatei.set("Anna.jpg");
    want.MasseGueltig = 1;
    EXPECT_EQ(TempRoot::readFile(path), QByteArray(reinterpret_cast<const char*>(&want), 2400));
}
