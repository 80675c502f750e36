// Player traits and type number: the yes/no statements the program shows about a player,
// derived from the counts of its behaviour profile, and the type number that sorts the
// player into the grid "attacks unprovoked / only after an attack / never" x "defends
// itself reliably / is repeatedly exploitable". Automata have no profile to judge; the
// three the program ships are known by the start of their name.
//
// The sibling program's players: its files come from elsewhere and are checked before
// anything is written, so a damaged or hostile file changes neither the export folder
// nor the store.
#include "players/uPelkam2Wendrak.h"

#include "platform/Ansi.h"
#include "platform/NameCheck.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/WendrakError.h"

#include <QtEndian>
#include <cctype>
#include <cstdint>
#include <limits>

namespace {

const char* yesNo(bool yes) {
    return yes ? "Ja" : "Nein";
}

// True when the stored name starts with the ASCII pattern, ignoring letter case. Only
// ASCII letters can equal the ASCII patterns, so comparing bytes is exact.
bool nameStartsWith(const SpielerTyp& player, const char* pattern) {
    const int n = static_cast<int>(std::strlen(pattern));
    if (player.Name.len < n)
        return false;
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(player.Name.data[i]);
        if (std::toupper(c) != static_cast<unsigned char>(pattern[i]) || c >= 0x80)
            return false;
    }
    return true;
}

struct AutomatonAnswers {
    const char* prefix;
    std::int32_t type;
    bool konsens, friedlich, greiftNichtAn, verteidigt, angreifen, ausbeuten, ueberreaktion,
        ausbeutbar;
};

// The automata the program ships, checked in this order.
constexpr AutomatonAnswers knownAutomata[] = {
    {"TYP5 YOKA", 5, true, true, true, true, false, false, false, false},
    {"GRAF", 3, true, false, false, true, true, true, true, false},
    {"UNTERWERFER", 1, false, false, false, true, true, true, false, false},
};

void deriveAutomaton(SpielerTyp& p) {
    for (const AutomatonAnswers& a : knownAutomata) {
        if (!nameStartsWith(p, a.prefix))
            continue;
        p.Spielertyp = a.type;
        p.IstKonsensorientiert.set(yesNo(a.konsens));
        p.IstFriedlich.set(yesNo(a.friedlich));
        p.GreiftNichtAn.set(yesNo(a.greiftNichtAn));
        p.VerteidigtSicher.set(yesNo(a.verteidigt));
        p.NeigtZumAngreifen.set(yesNo(a.angreifen));
        p.NeigtZumAusbeuten.set(yesNo(a.ausbeuten));
        p.NeigtZuUeberreaktionen.set(yesNo(a.ueberreaktion));
        p.GeschaeftsmaessigAusbeutbar.set(yesNo(a.ausbeutbar));
        return;
    }
    // Any other automaton keeps what its author stored.
}

void deriveProfile(SpielerTyp& p) {
    // Sums in 64 bits: the counts of a foreign file may be anything.
    auto k = [&](int s) { return static_cast<std::int64_t>(p.Situationen[s].AnzahlK); };
    auto d = [&](int s) { return static_cast<std::int64_t>(p.Situationen[s].AnzahlD); };
    const int T = SitErsterTag;

    // D moves that are not an answer to an attack of the other: the first move, after
    // mutual giving way, and the attacks from a standing that is already settled.
    const std::int64_t c = d(SitNKK) + d(SitMKD) + d(SitPDK) + d(T);
    const std::int64_t unprovoked = d(T) + d(SitNKK);

    const bool konsens = unprovoked == 0;
    const bool friedlich = d(SitNKK) == 0 && c == 0;

    // A player that gives way in each of these groups of situations can be pushed around.
    const std::int64_t answerAttack = k(SitNDD) + k(SitPDK) + k(T);
    const std::int64_t answerHoldout = k(SitNDD) + k(SitNKD) + k(T) + k(SitPDD) + k(SitPKD);
    const std::int64_t afterExploited = k(SitNDK) + k(SitMDD);
    const bool verteidigt = !(answerAttack != 0 && answerHoldout != 0 && afterExploited != 0);

    const bool angreifen = c != 0;
    const bool ausbeuten = c > 0 && d(SitNKD) + d(SitPKK) > 0;
    const bool ueberreaktion = answerAttack > 0 && answerHoldout > 0 &&
                               d(SitNDK) + d(SitMKK) + d(SitMDK) >= 1 && d(SitMKD) >= 1;

    std::int32_t type;
    if (angreifen)
        type = unprovoked >= 1 ? (verteidigt ? 1 : 2) : (verteidigt ? 3 : 4);
    else
        type = verteidigt ? 5 : 6;

    p.IstKonsensorientiert.set(yesNo(konsens));
    p.IstFriedlich.set(yesNo(friedlich));
    p.VerteidigtSicher.set(yesNo(verteidigt));
    p.NeigtZumAngreifen.set(yesNo(angreifen));
    p.GreiftNichtAn.set(yesNo(!angreifen));
    p.NeigtZumAusbeuten.set(yesNo(ausbeuten));
    p.NeigtZuUeberreaktionen.set(yesNo(ueberreaktion));
    p.Spielertyp = type;
}

} // namespace

bool IsReadOnlyPlayerName(const QString& fileName) {
    // A ".plx" player is read-only: it is shown with what it holds and never rewritten.
    return fileName.toLower().contains(QLatin1String(ext::Plx));
}

void DeriveRecordTraits(SpielerTyp& player) {
    if (player.IstAutomat != 0)
        deriveAutomaton(player);
    else
        deriveProfile(player);
}

void DerivePlayerTraits(const QString& fileName) {
    SpielerTyp player = readPlayerFile(fileName);
    if (IsReadOnlyPlayerName(fileName))
        return;
    DeriveRecordTraits(player);
    writePlayerFile(fileName, player);
}

QString DisplayedGeschaeftsmaessigAusbeutbar(const SpielerTyp& player) {
    if (player.GeschaeftsmaessigAusbeutbar == "k.A." && player.VerteidigtSicher == "Ja")
        return QStringLiteral("Nein");
    return player.GeschaeftsmaessigAusbeutbar.get();
}

// ---------------------------------------------------------------------------------------
// The sibling program's players

namespace {

constexpr int kXOffset = 5216;
constexpr int kPairsOffset = 6044; // K of pair m at 6044 + 12m, D four bytes later
constexpr int kPairStride = 12;

constexpr Situation kSiblingOrder[12] = {SitMKK, SitMKD, SitMDK, SitMDD, SitNKK, SitNKD,
                                         SitNDK, SitNDD, SitPKK, SitPKD, SitPDK, SitPDD};

std::int32_t int32At(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::int32_t>(bytes.constData() + offset);
}

void putInt32(QByteArray& bytes, int offset, std::int32_t value) {
    qToLittleEndian(value, bytes.data() + offset);
}

[[noreturn]] void refuse(const QString& path, const QString& why) {
    throw WendrakError(
        QStringLiteral("Die Datei \"%1\" kann nicht übernommen werden: %2").arg(path, why));
}

QString storeFileName(const PelkamSpielerTyp& player) {
    return platform::SafeFileName(player.Name) + QLatin1String(ext::PlyUpper);
}

bool isConvertedPlayer(const QString& path) {
    try {
        return readPlayerFile(path).Herkunft == 1;
    } catch (const WendrakError&) {
        return false; // not a player at all: certainly not one converted before
    }
}

} // namespace

int PelkamSituation(int m) {
    return kSiblingOrder[m];
}

PelkamSpielerTyp ReadPelkamPlayer(const QString& path) {
    const QByteArray bytes = platform::readRecordFile(path, PelkamSpielerTyp::RecordSize);
    PelkamSpielerTyp p;
    const auto nameLength = static_cast<unsigned char>(bytes[0]);
    p.Name = platform::fromAnsi(bytes.constData() + 1, nameLength);
    if (p.Name.trimmed().isEmpty())
        refuse(path, QStringLiteral("der Spieler hat keinen Namen."));
    p.x = int32At(bytes, kXOffset);
    if (p.x < 0 || p.x > 4)
        refuse(path, QStringLiteral("der erste Zug nennt %1 statt 0 bis 4 Fälle.").arg(p.x));
    for (int m = 0; m < 12; ++m) {
        auto& pair = p.Paare[m];
        pair.K = int32At(bytes, kPairsOffset + kPairStride * m);
        pair.D = int32At(bytes, kPairsOffset + kPairStride * m + 4);
        const QString code = QLatin1String(situationCode(PelkamSituation(m)));
        if (pair.K < 0 || pair.D < 0)
            refuse(path,
                   QStringLiteral("die Situation %1 hat eine negative Zahl von Fällen.").arg(code));
        // The number of cases is their sum and must fit the record.
        if (std::int64_t(pair.K) + pair.D > std::numeric_limits<std::int32_t>::max())
            refuse(path, QStringLiteral("die Situation %1 hat zu viele Fälle.").arg(code));
    }
    return p;
}

QByteArray PelkamRecordBytes(const PelkamSpielerTyp& player) {
    QByteArray bytes(PelkamSpielerTyp::RecordSize, '\0');
    const QByteArray name = platform::toAnsi(player.Name).left(255);
    bytes[0] = static_cast<char>(name.size());
    bytes.replace(1, name.size(), name);
    putInt32(bytes, kXOffset, player.x);
    for (int m = 0; m < 12; ++m) {
        putInt32(bytes, kPairsOffset + kPairStride * m, player.Paare[m].K);
        putInt32(bytes, kPairsOffset + kPairStride * m + 4, player.Paare[m].D);
    }
    return bytes;
}

SpielerTyp PelkamToSpieler(const PelkamSpielerTyp& player, const QString& dateiname) {
    SpielerTyp p = zeroedPlayer();
    p.Herkunft = 1;
    p.Dateiname.set(dateiname);
    p.Name.set(player.Name);
    p.IstAutomat = 0;
    p.Situationen[SitErsterTag] = {4, 4 - player.x, player.x};
    for (int m = 0; m < 12; ++m) {
        const auto& pair = player.Paare[m];
        p.Situationen[PelkamSituation(m)] = {pair.K + pair.D, pair.K, pair.D};
    }
    DeriveRecordTraits(p);
    return p;
}

QString PelkamTargetPath(const QString& wendrakPath, const PelkamSpielerTyp& player) {
    return platform::pathForCreate(platform::withTrailingSlash(wendrakPath) +
                                   QStringLiteral("SpielerStamm/") + storeFileName(player));
}

QString ConvertPelkamPlayer(const QString& sourcePath, const QString& wendrakPath,
                            const std::function<bool(const QString&)>& mayReplace) {
    const PelkamSpielerTyp sibling = ReadPelkamPlayer(sourcePath);
    const QString target = PelkamTargetPath(wendrakPath, sibling);
    if (platform::fileExists(target) && !isConvertedPlayer(target) &&
        !(mayReplace && mayReplace(target)))
        return {};
    // The record names the file in the form the program has always stored.
    const QString dateiname =
        wendrakPath + QStringLiteral("\\SpielerStamm\\") + storeFileName(sibling);
    writePlayerFile(target, PelkamToSpieler(sibling, dateiname.left(50)));
    return target;
}
