// Player traits and type number: the yes/no statements the program shows about a player,
// derived from the counts of its behaviour profile, and the type number that sorts the
// player into the grid "attacks unprovoked / only after an attack / never" x "defends
// itself reliably / is repeatedly exploitable". Automata have no profile to judge; the
// three the program ships are known by the start of their name.
#include "players/uPelkam2Wendrak.h"

#include <cctype>
#include <cstdint>

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
    return fileName.toLower().contains(QLatin1String(".plx"));
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
