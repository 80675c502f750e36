// What the player card shows and stores beside the record's fields: the type number in a
// test player's name, the four measures, and taking a picture into the store.
#include "players/PlayerCard.h"

#include "TempRoot.h"
#include "platform/NumberFormat.h"
#include "platform/WendrakError.h"

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

TEST(PlayerCard, APictureIsCopiedIntoTheStoreOnlyWhenItIsABmpOrJpegWithAUsableName) {
    const TempRoot root;
    const QString store = root.programFolder() + "SpielerStamm/";
    const QByteArray bmp = QByteArray("BM") + QByteArray(60, '\1');
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(60, '\2');
    root.write("Wendrak/SpielerStamm/Foto.bmp", "BM alt");
    const struct {
        QString file;
        QByteArray bytes;
        bool taken;
    } rows[] = {
        {"Bilder/Foto.bmp", bmp, true}, // replaces the older picture of that name
        {"Bilder/Anna.jpg", jpeg, true},
        {"Wendrak/SpielerStamm/Foto.bmp", bmp, true}, // from the store: stays as it is
        {"Bilder/Notiz.bmp", "kein Bild", false},
        {"Bilder/Gast.plx.bmp", bmp, false}, // a name of the store's own files
        {"Bilder/x.txt", bmp, false},
        {"Bilder/" + QString(47, 'a') + ".bmp", bmp, false}, // longer than a record keeps
    };
    for (const auto& r : rows) {
        const QString source = root.write(r.file, r.bytes);
        const QString name = QFileInfo(source).fileName();
        const QByteArray before = root.read("Wendrak/SpielerStamm/" + name);
        try {
            EXPECT_EQ(CopyPictureToStore(source, store), name);
            EXPECT_TRUE(r.taken) << qPrintable(r.file);
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), r.bytes) << qPrintable(r.file);
        } catch (const WendrakError& e) {
            EXPECT_FALSE(r.taken) << qPrintable(r.file);
            EXPECT_TRUE(e.message().contains(name)) << qPrintable(e.message());
            EXPECT_EQ(root.read("Wendrak/SpielerStamm/" + name), before) << qPrintable(r.file);
        }
    }
    EXPECT_EQ(QDir(store).entryList(QDir::Files), QStringList({"Anna.jpg", "Foto.bmp"}));
}
