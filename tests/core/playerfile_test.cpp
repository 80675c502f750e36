// Player files: every field at its offset, strings at full capacity in Windows-1252,
// reserved bytes carried over, and what happens with missing, short and long files.
#include "players/PlayerFile.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstring>

namespace {

std::int32_t intAt(const QByteArray& b, int off) {
    std::int32_t v;
    std::memcpy(&v, b.constData() + off, 4);
    return v;
}

// The length byte and the text of a string field in the raw file.
QByteArray stringAt(const QByteArray& b, int off) {
    return b.mid(off + 1, static_cast<unsigned char>(b.at(off)));
}

// A record whose every byte is different from zero and from its neighbours, as a file of
// another program might hold it.
SpielerTyp noisyRecord() {
    SpielerTyp p;
    auto* bytes = reinterpret_cast<unsigned char*>(&p);
    for (size_t i = 0; i < sizeof p; ++i)
        bytes[i] = static_cast<unsigned char>(0x11 + i * 13);
    return p;
}

QByteArray bytesOf(const SpielerTyp& p) {
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

} // namespace

TEST(PlayerFile, EveryFieldLandsAtItsOffset) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    p.Herkunft = 1;
    p.Dateiname.set("Anna.ply");
    p.Name.set("Anna");
    p.Geschlecht.set("w");
    p.Alter.set("14");
    p.Nationalitaet.set("deutsch");
    p.IstAutomat = 1;
    for (int s = 0; s < SituationCount; ++s) {
        p.Situationen[s] = {10 + s, s, 10 - s};
        p.Automat[s] = {s % 4, {MoveK, MoveD, s % 2 ? MoveZ : MoveEmpty}};
    }
    p.Motto.set("Gemeinsam geht es besser.");
    p.IstFriedlich.set("Ja");
    p.GreiftNichtAn.set("Nein");
    p.VerteidigtSicher.set("k.A.");
    p.NeigtZumAngreifen.set("Nein");
    p.NeigtZumAusbeuten.set("Ja");
    p.NeigtZuUeberreaktionen.set("Nein");
    p.Bilddatei.set("anna.jpg");
    p.Spielertyp = 5;
    p.ErgebnisGegenK = 3000;
    p.ErgebnisNachEntgegenkommen = -1;
    p.ErgebnisGegenD = 1000;
    p.Friedfertigkeit = 899;
    p.IstKonsensorientiert.set("Ja");
    p.Beruf.set("Schülerin");
    p.GeschaeftsmaessigAusbeutbar.set("Nein");
    p.MasseGueltig = 1;

    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    writePlayerFile(path, p);
    const QByteArray b = root.read("Wendrak/SpielerStamm/Anna.ply");
    ASSERT_EQ(b.size(), 2400);

    EXPECT_EQ(intAt(b, 0), 1);
    EXPECT_EQ(stringAt(b, 4), "Anna.ply");
    EXPECT_EQ(stringAt(b, 55), "Anna");
    EXPECT_EQ(stringAt(b, 106), "w");
    EXPECT_EQ(stringAt(b, 108), "14");
    EXPECT_EQ(stringAt(b, 112), "deutsch");
    EXPECT_EQ(b.at(123), 1);
    for (int s = 0; s < SituationCount; ++s) {
        EXPECT_EQ(intAt(b, 124 + 12 * s), 10 + s);
        EXPECT_EQ(intAt(b, 128 + 12 * s), s);
        EXPECT_EQ(intAt(b, 132 + 12 * s), 10 - s);
        EXPECT_EQ(intAt(b, 280 + 16 * s), s % 4);
        EXPECT_EQ(intAt(b, 284 + 16 * s), 0);
        EXPECT_EQ(intAt(b, 288 + 16 * s), 1);
        EXPECT_EQ(intAt(b, 292 + 16 * s), s % 2 ? 2 : -1);
    }
    EXPECT_EQ(stringAt(b, 488), "Gemeinsam geht es besser.");
    EXPECT_EQ(stringAt(b, 744), "Ja");
    EXPECT_EQ(stringAt(b, 749), "Nein");
    EXPECT_EQ(stringAt(b, 754), "k.A.");
    EXPECT_EQ(stringAt(b, 759), "Nein");
    EXPECT_EQ(stringAt(b, 764), "Ja");
    EXPECT_EQ(stringAt(b, 769), "Nein");
    EXPECT_EQ(stringAt(b, 774), "anna.jpg");
    EXPECT_EQ(intAt(b, 828), 5);
    EXPECT_EQ(intAt(b, 832), 3000);
    EXPECT_EQ(intAt(b, 836), -1);
    EXPECT_EQ(intAt(b, 840), 1000);
    EXPECT_EQ(intAt(b, 844), 899);
    EXPECT_EQ(stringAt(b, 856), "Ja");
    EXPECT_EQ(stringAt(b, 1112), "Sch\xfclerin");
    EXPECT_EQ(stringAt(b, 1368), "Nein");
    EXPECT_EQ(b.at(2392), 1);

    // Read back field by field.
    const SpielerTyp q = readPlayerFile(path);
    EXPECT_EQ(bytesOf(q), b);
    EXPECT_EQ(q.Beruf.get(), QString::fromUtf8("Schülerin"));
    EXPECT_EQ(q.ErgebnisNachEntgegenkommen, -1);
    EXPECT_EQ(q.Automat[3].zug(3), MoveZ);
}

TEST(PlayerFile, NewRecordIsZeroAndReadsBackIdentical) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    EXPECT_EQ(bytesOf(p), QByteArray(2400, '\0'));
    p.Name.set("Ben");
    p.Dateiname.set("Ben.PLY");
    const QString path = root.programFolder() + "SpielerStamm/Ben.PLY";
    writePlayerFile(path, p);
    const QByteArray b = root.read("Wendrak/SpielerStamm/Ben.PLY");
    EXPECT_EQ(b, bytesOf(p));
    EXPECT_EQ(b.mid(1624, 768), QByteArray(768, '\0'));
    EXPECT_EQ(bytesOf(readPlayerFile(path)), b);
}

TEST(PlayerFile, StringsKeepTheirFullCapacityAndNoMore) {
    SpielerTyp p = zeroedPlayer();
    const QString fifty = QString(49, QLatin1Char('x')) + QString::fromUtf8("ä");
    p.Name.set(fifty);
    p.Geschlecht.set("m");
    EXPECT_EQ(p.Name.len, 50);
    EXPECT_EQ(p.Name.get(), fifty);
    EXPECT_EQ(bytesOf(p).at(106), 1); // the byte after the name is the gender's length

    p.Name.set(fifty + "yz"); // cut to the width of the field
    EXPECT_EQ(p.Name.get(), fifty);
    EXPECT_EQ(p.Geschlecht.get(), "m");

    const QString motto = QString(255, QLatin1Char('m'));
    p.Motto.set(motto + "!");
    EXPECT_EQ(p.Motto.get(), motto);
    EXPECT_EQ(p.IstFriedlich.len, 0);

    p.Alter.set("1234");
    EXPECT_EQ(p.Alter.get(), "123");
    p.Geschlecht.set("weiblich");
    EXPECT_EQ(p.Geschlecht.get(), "w");

    p.Motto.set(QString::fromUtf8("Größe € zählt")); // one byte per character
    EXPECT_EQ(QByteArray(p.Motto.data, p.Motto.len), "Gr\xf6\xdf"
                                                     "e \x80 z\xe4hlt");
}

TEST(PlayerFile, DamagedLengthByteReadsOnlyTheField) {
    SpielerTyp p = zeroedPlayer();
    p.VerteidigtSicher.set("Ja");
    p.VerteidigtSicher.len = 200;
    EXPECT_EQ(p.VerteidigtSicher.get().size(), 4);
    EXPECT_FALSE(p.VerteidigtSicher == "Ja");
}

TEST(PlayerFile, ForeignRecordKeepsEveryByteItDoesNotChange) {
    TempRoot root;
    const SpielerTyp foreign = noisyRecord();
    const QString path = root.write("Wendrak/SpielerStamm/Fremd.ply", bytesOf(foreign));

    SpielerTyp p = readPlayerFile(path);
    EXPECT_EQ(bytesOf(p), bytesOf(foreign));
    p.Name.set("Neu");
    p.Spielertyp = 3;
    writePlayerFile(path, p);

    const QByteArray after = root.read("Wendrak/SpielerStamm/Fremd.ply");
    const QByteArray before = bytesOf(foreign);
    ASSERT_EQ(after.size(), 2400);
    // Only the name's length byte and first three bytes and the type number differ; the
    // tail of the old name stays behind the new length, as the format allows.
    for (int i = 0; i < 2400; ++i) {
        const bool changed = (i >= 55 && i < 59) || (i >= 828 && i < 832);
        if (!changed) {
            ASSERT_EQ(after.at(i), before.at(i)) << "byte " << i;
        }
    }
}

TEST(PlayerFile, LongerFileIsReadAsItsFirstRecordAndPlxLikePly) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    p.Name.set("Lang");
    const QString path =
        root.write("Wendrak/SpielerStamm/Lang.plx", bytesOf(p) + QByteArray(50, 'z'));
    EXPECT_EQ(bytesOf(readPlayerFile(path)), bytesOf(p));
}

TEST(PlayerFile, MissingOrShortFileFailsWithAGermanMessageNamingIt) {
    TempRoot root;
    const QString missing = root.programFolder() + "SpielerStamm/Niemand.ply";
    try {
        readPlayerFile(missing);
        FAIL() << "no error";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("Niemand.ply")) << e.what();
        EXPECT_TRUE(e.message().contains("nicht gefunden")) << e.what();
    }
    EXPECT_FALSE(QFile::exists(missing));

    const QByteArray shortBytes(2399, '\x07');
    const QString shortPath = root.write("Wendrak/SpielerStamm/Kurz.ply", shortBytes);
    try {
        readPlayerFile(shortPath);
        FAIL() << "no error";
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains("Kurz.ply")) << e.what();
        EXPECT_TRUE(e.message().contains("zu kurz")) << e.what();
    }
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), shortBytes);
}
