// Completing a player's empty situations (see uSpielerVervollstaendigen.h).
#include "players/uSpielerVervollstaendigen.h"

#include "players/PlayerFile.h"

#include <cstdint>

QString CompletionIntroPage() {
    return QStringLiteral("Vervollst.html");
}

QString CompletionQuestionPage(int situation) {
    return QStringLiteral("ASK") + QLatin1String(situationCode(situation)) + QStringLiteral(".rtf");
}

int CompletePlayer(const QString& fileName, const AskQuestionFn& AskQuestion) {
    bool introShown = false;
    const auto ShowCompletionIntro = [&] {
        introShown = true;
        AskQuestion(CompletionIntroPage());
    };

    SpielerTyp player = readPlayerFile(fileName);
    for (int s = SitMDD; s <= SitPKK; ++s) {
        SituationTyp& entry = player.Situationen[s];
        // Only an entry without any K or D case is empty, whatever its number of cases.
        if (std::int64_t(entry.AnzahlK) + entry.AnzahlD != 0)
            continue;
        if (!introShown)
            ShowCompletionIntro();
        const int answer = AskQuestion(CompletionQuestionPage(s));
        if (answer < 0 || answer > 10)
            return 0; // stopped: the answers given so far are dropped
        entry = {10, answer, 10 - answer};
    }
    writePlayerFile(fileName, player);
    return 1;
}
