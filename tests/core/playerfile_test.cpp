// Player files: every field at its offset, strings at full capacity in Windows-1252,
// reserved bytes carried over, and what happens with missing, short and long files.
#include "players/PlayerFile.h"

#include "TempRoot.h"
#include "platform/WendrakError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

// The little-endian bytes of 32-bit integers.
QByteArray ints(std::initializer_list<std::int32_t> values) {
    QByteArray out;
    for (std::int32_t v : values)
        out.append(reinterpret_cast<const char*>(&v), 4);
    return out;
}

QByteArray bytesOf(const SpielerTyp& p) {
    return QByteArray(reinterpret_cast<const char*>(&p), sizeof p);
}

// Expects reading path to fail with a German message that names the file and the fault.
void expectReadError(const QString& path, const char* file, const char* fault) {
    try {
        readPlayerFile(path);
        ADD_FAILURE() << "no error for " << file;
    } catch (const WendrakError& e) {
        EXPECT_TRUE(e.message().contains(file) && e.message().contains(fault)) << e.what();
    }
}

} // namespace

TEST(PlayerFile, EveryFieldLandsAtItsOffset) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    EXPECT_EQ(bytesOf(p), QByteArray(2400, '\0'));
    p.Herkunft = 1;
    p.Name.set("Anna");
    p.IstAutomat = 1;
    for (int s = 0; s < SituationCount; ++s) {
        p.Situationen[s] = {10 + s, s, 10 - s};
        p.Automat[s] = {s % 4, {MoveK, MoveD, s % 2 ? MoveZ : MoveEmpty}};
    }
    p.Motto.set("Gemeinsam geht es besser.");
    p.NeigtZuUeberreaktionen.set("k.A.");
    p.Spielertyp = 5;
    p.ErgebnisNachEntgegenkommen = -1;
    p.Beruf.set(QString::fromUtf8("Schülerin")); // one byte in Windows-1252
    p.GeschaeftsmaessigAusbeutbar.set("Nein");
    p.MasseGueltig = 1;

    const QString path = root.programFolder() + "SpielerStamm/Anna.ply";
    writePlayerFile(path, p);
    const QByteArray b = root.read("Wendrak/SpielerStamm/Anna.ply");
    ASSERT_EQ(b.size(), 2400);
    EXPECT_EQ(b.mid(0, 4), ints({1}));
    EXPECT_EQ(b.at(123), 1);
    for (int s = 0; s < SituationCount; ++s) {
        EXPECT_EQ(b.mid(124 + 12 * s, 12), ints({10 + s, s, 10 - s})) << s;
        EXPECT_EQ(b.mid(280 + 16 * s, 16), ints({s % 4, 0, 1, s % 2 ? 2 : -1})) << s;
    }
    EXPECT_EQ(b.mid(828, 12), ints({5, 0, -1}));
    EXPECT_EQ(b.at(2392), 1);
    // Offset of the length byte and the text behind it.
    const std::pair<int, const char*> strings[] = {{55, "Anna"},
                                                   {488, "Gemeinsam geht es besser."},
                                                   {769, "k.A."},
                                                   {1112, "Sch\xfclerin"},
                                                   {1368, "Nein"}};
    for (const auto& [offset, text] : strings)
        EXPECT_EQ(b.mid(offset + 1, static_cast<unsigned char>(b.at(offset))), text) << offset;

    const SpielerTyp q = readPlayerFile(path);
    EXPECT_EQ(bytesOf(q), b);
    EXPECT_EQ(q.Beruf.get(), QString::fromUtf8("Schülerin"));
}

TEST(PlayerFile, StringsKeepTheirFullCapacityAndNoMoreAndADamagedLengthStaysInTheField) {
    SpielerTyp p = zeroedPlayer();
    const QString fifty = QString(49, QLatin1Char('x')) + QString::fromUtf8("ä");
    p.Geschlecht.set("m");
    p.Name.set(fifty + "yz"); // cut to the width of the field
    EXPECT_EQ(p.Name.len, 50);
    EXPECT_EQ(p.Name.get(), fifty);
    EXPECT_EQ(p.Geschlecht.get(), "m"); // the neighbour is untouched
    p.Motto.set(QString(256, QLatin1Char('m')));
    EXPECT_EQ(p.Motto.get(), QString(255, QLatin1Char('m')));
    EXPECT_EQ(p.IstFriedlich.len, 0);
    p.Geschlecht.set("weiblich");
    EXPECT_EQ(p.Geschlecht.get(), "w");

    p.Motto.set(QString::fromUtf8("Größe € zählt")); // one byte per character
    EXPECT_EQ(QByteArray(p.Motto.data, p.Motto.len), "Gr\xf6\xdf\x65 \x80 z\xe4hlt");

    p.VerteidigtSicher.set("Ja");
    p.VerteidigtSicher.len = 200;
    EXPECT_EQ(p.VerteidigtSicher.get().size(), 4);
    EXPECT_FALSE(p.VerteidigtSicher == "Ja");
}

TEST(PlayerFile, ForeignRecordKeepsEveryByteItDoesNotChange) {
    TempRoot root;
    SpielerTyp foreign; // every byte different from zero and from its neighbours
    auto* raw = reinterpret_cast<unsigned char*>(&foreign);
    for (size_t i = 0; i < sizeof foreign; ++i)
        raw[i] = static_cast<unsigned char>(0x11 + i * 13);
    const QByteArray before = bytesOf(foreign);
    const QString path = root.write("Wendrak/SpielerStamm/Fremd.ply", before);

    SpielerTyp p = readPlayerFile(path);
    EXPECT_EQ(bytesOf(p), before);
    p.Name.set("Neu");
    p.Spielertyp = 3;
    writePlayerFile(path, p);

    // Only the name's length byte and first three bytes and the type number differ; the
    // tail of the old name stays behind the new length, as the format allows.
    const QByteArray after = root.read("Wendrak/SpielerStamm/Fremd.ply");
    ASSERT_EQ(after.size(), 2400);
    for (int i = 0; i < 2400; ++i) {
        if (!((i >= 55 && i < 59) || (i >= 828 && i < 832))) {
            ASSERT_EQ(after.at(i), before.at(i)) << "byte " << i;
        }
    }
}

TEST(PlayerFile, LongerPlxFileIsReadAsItsFirstRecordAndBadFilesFailNamingThemselves) {
    TempRoot root;
    SpielerTyp p = zeroedPlayer();
    p.Name.set("Lang");
    const QString longer =
        root.write("Wendrak/SpielerStamm/Lang.plx", bytesOf(p) + QByteArray(50, 'z'));
    EXPECT_EQ(bytesOf(readPlayerFile(longer)), bytesOf(p));

    const QString missing = root.programFolder() + "SpielerStamm/Niemand.ply";
    expectReadError(missing, "Niemand.ply", "nicht gefunden");
    EXPECT_FALSE(QFile::exists(missing));

    const QByteArray shortBytes(2399, '\x07');
    expectReadError(root.write("Wendrak/SpielerStamm/Kurz.ply", shortBytes), "Kurz.ply", "zu kurz");
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Kurz.ply"), shortBytes);
}
