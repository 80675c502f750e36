// The round rules (see GameRules.h): the payoff matrix and the consensus flag.
#include "engine/GameRules.h"

#include "engine/uTApplicationEnviroment.h"

PayoffTable PayoffTable::builtIn() {
    PayoffTable t;
    t.Punkte1[0][0] = 3;
    t.Punkte2[0][0] = 3; // K K
    t.Punkte1[0][1] = 0;
    t.Punkte2[0][1] = 5; // K D
    t.Punkte1[1][0] = 5;
    t.Punkte2[1][0] = 0; // D K
    t.Punkte1[1][1] = 1;
    t.Punkte2[1][1] = 1; // D D
    return t;
}

PayoffTable PayoffTable::fromSettings(const TApplicationEnviroment* settings) {
    // A freshly created settings object always holds the default matrix.
    if (!settings || (settings->MatrixKK() == QLatin1String("3;3") &&
                      settings->MatrixKD() == QLatin1String("0;5") &&
                      settings->MatrixDK() == QLatin1String("5;0") &&
                      settings->MatrixDD() == QLatin1String("1;1")))
        return builtIn();
    PayoffTable t;
    const auto set = [&t](int a, int b, const QString& value) {
        t.Punkte1[a][b] = TruncToInt(TApplicationEnviroment::GetMatrixPayoff(value, 1));
        t.Punkte2[a][b] = TruncToInt(TApplicationEnviroment::GetMatrixPayoff(value, 2));
    };
    set(0, 0, settings->MatrixKK());
    set(0, 1, settings->MatrixKD());
    set(1, 0, settings->MatrixDK());
    set(1, 1, settings->MatrixDD());
    return t;
}

std::int32_t ConsensusFlag(const SpielerTyp& player) {
    const SituationTyp* s = player.Situationen;
    const bool typ = player.Spielertyp == 3 || player.Spielertyp == 4;
    const std::int64_t n = std::int64_t(s[SitNDD].Anzahl) + s[SitMKD].Anzahl + s[SitPKD].Anzahl;
    const std::int64_t k = std::int64_t(s[SitNDD].AnzahlK) + s[SitMKD].AnzahlK + s[SitPKD].AnzahlK;
    return (typ && n == 30 && k == 3 * std::int64_t(s[SitNDD].AnzahlK)) ? 1 : 0;
}
