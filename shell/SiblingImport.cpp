// Taking over a player of the sibling program (see SiblingImport.h).
#include "shell/SiblingImport.h"

#include "engine/PlayerTestRuns.h"
#include "platform/Paths.h"
#include "players/PlayerFile.h"
#include "players/uPelkam2Wendrak.h"

SiblingImportResult ImportSiblingPlayer(const SiblingImportRequest& request,
                                        const std::function<bool(const QString&)>& mayReplace,
                                        const AskQuestionFn& askQuestion) {
    SiblingImportResult result;
    const QString source = request.exportFolder + request.fileName;
    result.player = ConvertPelkamPlayer(source, request.wendrakPath, mayReplace);
    if (result.player.isEmpty())
        return result;
    if (CompletePlayer(result.player, askQuestion) != 1)
        return result;
    result.completed = true;
    // Traits and three measures (no peacefulness): the file is read and written once.
    updatePlayerFile(result.player, [&](SpielerTyp& record) {
        if (!IsReadOnlyPlayerName(result.player))
            DeriveRecordTraits(record);
        TestAgainstDefector(record, request.force);
        TestRepeatedExploitation(record, request.force);
        TestAgainstCooperator(record, request.force);
    });
    // Only a player that is stored whole leaves the export folder; a ".TP0" file that
    // stays (kept, or not deletable) is offered again.
    if (!request.keepSource)
        platform::deleteFile(source);
    return result;
}
