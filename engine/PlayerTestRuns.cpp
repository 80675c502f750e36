// The player test runs and the peacefulness score (see PlayerTestRuns.h).
#include "engine/PlayerTestRuns.h"

#include "engine/WendrakCalc.h"
#include "platform/Ansi.h"
#include "players/uPelkam2Wendrak.h"

namespace {

// Plays the player as player 1 against an opponent that always plays fixedMove, filling
// the engine's round table. The run starts from its own consensus state; automaton
// positions go on from those in the record and advance there.
void playFixedOpponent(WendrakEngine& e, SpielerTyp& player, std::int32_t fixedMove, int rounds,
                       platform::Random& random, const PayoffTable& pay) {
    e.glbKons1 = ConsensusFlag(player);
    e.glbKons2 = 0;
    e.ExploitCount1 = 0;
    e.ExploitCount2 = 0;
    const bool automat = player.IstAutomat == 1;

    ZugTyp& first = e.Zuege[1];
    first.Stand = 0;
    first.Zug1 = automat ? FirstAutomatonMove(player)
                         : RandomMove(player.Situationen[SitErsterTag].Anzahl,
                                      player.Situationen[SitErsterTag].AnzahlK, random);
    first.Zug2 = fixedMove;
    ApplyPayoff(first, pay);

    for (int r = 2; r <= rounds; ++r) {
        const ZugTyp& prev = e.Zuege[r - 1];
        ZugTyp& z = e.Zuege[r];
        z.Stand = NextGameState(prev.Stand, prev.Zug1, prev.Zug2);
        if (automat) {
            z.Zug1 = AutomatonMoveP1(player, prev.Stand, prev.Zug1, prev.Zug2);
        } else {
            const SituationTyp& s =
                player.Situationen[e.SituationIndexP1(prev.Stand, prev.Zug1, prev.Zug2)];
            z.Zug1 = RandomMove(s.Anzahl, s.AnzahlK, random);
        }
        z.Zug2 = fixedMove;
        ApplyPayoff(z, pay);
    }
}

std::int32_t pointsOfPlayer(const WendrakEngine& e, int from, int to) {
    std::int64_t sum = 0;
    for (int r = from; r <= to; ++r)
        sum += e.Zuege[r].Punkte1;
    return static_cast<std::int32_t>(sum);
}

bool skipRecord(const SpielerTyp& player, bool force) {
    return player.MasseGueltig != 0 && !force;
}

// The file form of a test run: read, measure (unless the stored measures count and force
// is off), write the whole record back.
template <typename Measure>
void measureFile(const QString& fileName, bool force, Measure measure) {
    SpielerTyp player = readPlayerFile(fileName);
    if (skipRecord(player, force))
        return;
    measure(player);
    writePlayerFile(fileName, player);
}

} // namespace

void TestAgainstDefector(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveD, 1000, SharedRandom(), pay);
    const std::int32_t points = pointsOfPlayer(e, 1, 1000);
    player.ErgebnisGegenD = points;
    if (player.IstAutomat != 1) {
        if (points <= 500)
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("Ja"));
        else if (player.VerteidigtSicher == "Ja")
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("Nein"));
        else
            player.GeschaeftsmaessigAusbeutbar.set(QStringLiteral("k.A."));
    }
}

void TestRepeatedExploitation(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveD, 2000, SharedRandom(), pay);
    std::int32_t result = -1;
    for (int i = 1; i <= 1000; ++i) {
        if (e.Zuege[i].Zug1 == MoveK) {
            result = pointsOfPlayer(e, i + 1, i + 1000);
            break;
        }
    }
    player.ErgebnisNachEntgegenkommen = result;
}

void TestAgainstCooperator(SpielerTyp& player, bool force, const PayoffTable& pay) {
    if (skipRecord(player, force))
        return;
    WendrakEngine& e = SharedEngine();
    playFixedOpponent(e, player, MoveK, 1000, SharedRandom(), pay);
    player.ErgebnisGegenK = pointsOfPlayer(e, 1, 1000);
}

void ComputePeacefulness(SpielerTyp& player, bool force) {
    if (!skipRecord(player, force))
        player.Friedfertigkeit = PeacefulnessScore(player);
}

void RunAllTestRuns(SpielerTyp& player, bool force) {
    TestAgainstDefector(player, force);
    TestRepeatedExploitation(player, force);
    TestAgainstCooperator(player, force);
    ComputePeacefulness(player, force);
}

SpielerTyp MeasurePlayerFile(const QString& path, bool force, bool deriveTraits) {
    return updatePlayerFile(path, [&](SpielerTyp& player) {
        if (deriveTraits && !IsReadOnlyPlayerName(path))
            DeriveRecordTraits(player);
        RunAllTestRuns(player, force);
    });
}

void TestAgainstDefector(const QString& fileName, bool force,
                         const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestAgainstDefector(p, force, PayoffTable::fromSettings(settings));
    });
}

void TestRepeatedExploitation(const QString& fileName, bool force,
                              const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestRepeatedExploitation(p, force, PayoffTable::fromSettings(settings));
    });
}

void TestAgainstCooperator(const QString& fileName, bool force,
                           const TApplicationEnviroment* settings) {
    measureFile(fileName, force, [&](SpielerTyp& p) {
        TestAgainstCooperator(p, force, PayoffTable::fromSettings(settings));
    });
}

void ComputePeacefulness(const QString& fileName, bool force) {
    measureFile(fileName, force, [&](SpielerTyp& p) { ComputePeacefulness(p, force); });
}

std::int32_t PeacefulnessScore(const SpielerTyp& player) {
    if (player.IstAutomat == 1) {
        const QString name = platform::ansiUpper(player.Name.get());
        std::int32_t score = player.Friedfertigkeit;
        if (name.left(9) == QLatin1String("TYP5 YOKA"))
            score = 1000;
        if (name.left(4) == QLatin1String("GRAF"))
            score = 1000;
        if (name.left(11) == QLatin1String("UNTERWERFER"))
            score = 0;
        return score;
    }
    const SituationTyp& first = player.Situationen[SitErsterTag];
    const SituationTyp& nkk = player.Situationen[SitNKK];
    const std::int32_t a = first.AnzahlK, d = first.AnzahlD;
    const std::int32_t k8 = nkk.AnzahlK, d8 = nkk.AnzahlD;
    if (d == 0 && d8 == 0)
        return 1000;
    // Without first-move cases there is no share to weigh.
    if (std::int64_t(a) + d == 0)
        return 0;
    // Held in double on purpose: a wider type turns 9 K of 10 into 900 instead of 899.
    const double p = double(a) / (double(a) + double(d));
    // Each step rounded to double (volatile keeps a fused multiply-add out).
    double v;
    if (d8 > 0) {
        volatile const double weighted = p * k8;
        v = p + 1 + weighted / d8;
    } else {
        volatile const double weighted = 80 * p;
        v = double(d) / (double(a) + double(d)) + weighted;
    }
    return TruncToInt((v - 1) / 79 * 1000);
}
