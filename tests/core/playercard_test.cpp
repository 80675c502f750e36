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
    const std::pair<const char*, int> rows[] = {
        {"TypE7_x", 7}, {"TYPA12E3", 3}, {"TypA", 0},      {"Type5", 0},
        {"TypAE", -1},  {"TYPE", -1},    {"Ritter_3", -1}, {"TypE99999999999", -1}};
    for (const auto& [name, want] : rows)
        EXPECT_EQ(TypeNumberFromFileName(name), want) << name;
}

TEST(PlayerCard, MeasuresUseTheGeneralFormatAndTheTypeNumberOfATestPlayer) {
    platform::setDecimalSeparator(u',');
    SpielerTyp p = zeroedPlayer();
    p.Name.set("Anna");
    p.ErgebnisGegenK = 3001, p.ErgebnisNachEntgegenkommen = -1;
    p.ErgebnisGegenD = 250, p.Friedfertigkeit = 899;
    const auto texts = [&p] {
        const PlayerMeasureTexts t = FormatPlayerMeasures(p);
        return QStringList({t.KMass, t.VMass, t.KOMass, t.AMass});
    };
    EXPECT_EQ(texts(), QStringList({"0,9995", "k.A.", "0,899", "0,75"}));
    p.Name.set("TypE7_Otto");
    p.ErgebnisNachEntgegenkommen = 1000;
    EXPECT_EQ(texts(), QStringList({"0,9995", "0", "0,899", "0,7"}));
}

TEST(PlayerCard, APictureIsCopiedIntoTheStoreOnlyWhenItIsASmallWholeBmpOrJpegWithAUsableName) {
    const TempRoot root;
    const QString store = root.programFolder() + "SpielerStamm/";
    const QByteArray bmp = QByteArray("BM") + QByteArray(60, '\1');
    const auto decodes = [](const QByteArray& b) { return b.startsWith("BM") || b[0] == '\xFF'; };
    const QString notPicture = "Die Datei \"%1\" ist kein Bild im Format BMP oder JPEG.";
    const QString ours = "Die Datei \"%1\" gehört zum Spielerstamm und kann nicht als Bild "
                         "geladen werden.";
    root.write("Wendrak/SpielerStamm/Foto.bmp", "BM alt");
    const struct {
        QString file;
        QByteArray bytes;
        QString refused;  // %1 the file name, %2 its path; "" when taken
        qint64 size = -1; // grown to this size (a sparse file), or a named pipe for 0
    } rows[] = {
        {"Bilder/Foto.bmp", bmp, ""}, // replaces the older picture of that name
        {"Bilder/Anna.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(60, '\2'), ""},
        {"Wendrak/SpielerStamm/Foto.bmp", bmp, ""}, // from the store: stays as it is
        {"Bilder/Gast.plx.bmp", bmp, ours},
        {"Bilder/x.txt", bmp, ours},
        {"Bilder/group.sgp", bmp, ours},
        {"Bilder/.wendrak-Ab12Cd", bmp,
         "Der Name \"%1\" ist den Zwischendateien des Programms vorbehalten; bitte benennen Sie "
         "das Bild um."},
        {"Bilder/" + QString(47, 'a') + ".bmp", bmp, // longer than a record keeps
         "Der Name des Bildes \"%1\" ist zu lang (höchstens 50 Zeichen) oder enthält Zeichen, "
         "die nicht gespeichert werden können."},
        {"Bilder/Rohr.bmp", {}, "Die Datei \"%2\" ist keine gewöhnliche Datei.", 0},
        {"Bilder/Riese.bmp", "BM",
         "Das Bild \"%2\" ist größer als 50 MB und kann nicht geladen werden.",
         platform::MaxPictureSize + 1},
        {"Bilder/Grenze.bmp", "??", notPicture, platform::MaxPictureSize}, // size accepted
    };
    for (const auto& r : rows) {
        const QString source = r.size == 0 ? root.root() + r.file : root.write(r.file, r.bytes);
        ASSERT_TRUE(r.size == 0 ? ::mkfifo(QFile::encodeName(source).constData(), 0644) == 0
                                : r.size < 0 || QFile::resize(source, r.size));
        const QString name = QFileInfo(source).fileName();
        const QByteArray before = root.read("Wendrak/SpielerStamm/" + name);
        try {
            EXPECT_EQ(CopyPictureToStore(source, store, decodes), name);
            EXPECT_EQ(r.refused, "") << qPrintable(r.file);
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), r.bytes) << qPrintable(r.file);
        } catch (const WendrakError& e) {
            EXPECT_EQ(e.message(), QString(r.refused).replace("%1", name).replace("%2", source));
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), before) << qPrintable(r.file);
        }
    }
    EXPECT_EQ(QDir(store).entryList(QDir::Files), QStringList({"Anna.jpg", "Foto.bmp"}));
}

TEST(PlayerCard, SaveRefusesAReadOnlyPlayerWhateverTheCaseOfItsPlxAndEditsOutsideWindows1252) {
    const TempRoot root;
    // File, Dateiname, the edit given text Windows-1252 cannot hold, the message.
    using Row = std::tuple<QString, QString, int, QString>;
    const QString readOnly = "Der Spieler \"%1\" ist schreibgeschützt und kann nicht gespeichert "
                             "werden.";
    std::vector<Row> rows = {{"Anna.ply", "Anna.ply", -1, ""},
                             {"Gast.PLX.ply", "Gast.ply", -1, readOnly},
                             {"Gast2.ply", "Gast2.pLx", -1, readOnly}};
    for (const char* edit : {"Name", "Alter", "Geschlecht", "Nationalität", "Motto", "Beruf"})
        rows.push_back(
            {"Anna.ply", "Anna.ply", int(rows.size()) - 3, platform::AnsiFieldMessage(edit)});
    for (const auto& [file, dateiname, badEdit, message] : rows) {
        SpielerTyp p = zeroedPlayer();
        p.Dateiname.set(dateiname);
        const QString path = root.programFolder() + "SpielerStamm/" + file;
        writePlayerFile(path, p);
        QStringList t(6, "x");
        if (badEdit >= 0)
            t[badEdit] = "Łukasz";
        QString refused;
        try {
            SaveCardPlayer(path, p, {t[0], t[1], t[2], t[3], t[4], t[5]}, "Anna.jpg");
        } catch (const WendrakError& e) {
            refused = e.message();
        }
        EXPECT_EQ(refused, QString(message).replace("%1", file));
        EXPECT_EQ(readPlayerFile(path).MasseGueltig, refused.isEmpty()) << qPrintable(file);
    }
}
