// Player files: every field at its offset, strings at full capacity in Windows-1252,
// and reserved bytes carried over.
#include "players/PlayerFile.h"

#include "TempRoot.h"
#include "engine_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>
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

} // namespace

// A foreign record (every byte unlike zero and its neighbours) is read as it is; fields set
// on it land at their offsets and every other byte is written back, also an old name's tail.
// Where each field starts is asserted beside the record; here: the layout inside it.
TEST(PlayerFile, FieldsLandAtTheirOffsetsAndEveryOtherByteIsKept) {
    TempRoot root;
    QByteArray expected(2400, '\0');
    for (int i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<char>(0x11 + i * 13);
    const QString path = root.write("Wendrak/SpielerStamm/Fremd.ply", expected);
    SpielerTyp p = readPlayerFile(path);
    ASSERT_EQ(bytesOf(p), expected);

    p.Herkunft = 1;
    for (int s = 0; s < SituationCount; ++s) {
        p.Situationen[s] = {.Anzahl = 10 + s, .AnzahlK = s, .AnzahlD = 10 - s};
        p.Automat[s] = {.Position = s % 4, .Zug = {MoveK, MoveD, s % 2 ? MoveZ : MoveEmpty}};
        expected.replace(124 + 12 * s, 12, ints({10 + s, s, 10 - s}));
        expected.replace(280 + 16 * s, 16, ints({s % 4, 0, 1, s % 2 ? 2 : -1}));
    }
    p.Name.set("Anna");
    p.Beruf.set(QString::fromUtf8("Schülerin")); // one byte in Windows-1252
    writePlayerFile(path, p);

    expected.replace(0, 4, ints({1}));
    // Offset of the length byte and the text behind it.
    for (const auto& [offset, text] : {std::pair{55, "Anna"}, {1112, "Sch\xfclerin"}})
        expected.replace(offset, 1 + int(strlen(text)), char(strlen(text)) + QByteArray(text));
    EXPECT_EQ(root.read("Wendrak/SpielerStamm/Fremd.ply").toHex().toStdString(),
              expected.toHex().toStdString());
}

TEST(PlayerFile, StringsKeepTheirFullCapacityAndNoMoreAndADamagedLengthStaysInTheField) {
    SpielerTyp p = zeroedPlayer();
    const QString fifty = QString(49, QLatin1Char('x')) + QString::fromUtf8("ä");
    p.Geschlecht.set("m");
    p.Name.set(fifty + "yz"); // cut to the width of the field; the neighbour is untouched
    EXPECT_TRUE(p.Name.len == 50 && p.Name.get() == fifty && p.Geschlecht.get() == "m");
    p.VerteidigtSicher.set("Ja");
    p.VerteidigtSicher.len = 200;
    EXPECT_TRUE(p.VerteidigtSicher.get().size() == 4 && !(p.VerteidigtSicher == "Ja"));
}
