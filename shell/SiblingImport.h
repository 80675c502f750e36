// Taking over a player of the sibling program: its ".TP0" file is converted into a player
// of the store, the situations it leaves empty are asked, and only when every question was
// answered is the ".TP0" file removed from the export folder and the player's traits and
// three of its measures stored. A player stopped during the questions stays in the store
// with its gaps, and its ".TP0" file stays to be taken over again.
#pragma once

#include "players/uSpielerVervollstaendigen.h"

#include <QString>
#include <functional>

struct SiblingImportRequest {
    QString exportFolder;    // the folder the chooser listed, ending with "/"
    QString fileName;        // the chosen ".TP0" file in it
    QString wendrakPath;     // the data folder whose store receives the player
    bool keepSource = false; // the ".TP0" file stays in the export folder all the same
    bool force = false;      // the test runs' force flag
};

struct SiblingImportResult {
    // The new player file; empty when the user kept the store's own player of that name.
    QString player;
    // Every question was answered: the player is complete and measured.
    bool completed = false;
};

// Converts, completes and measures the chosen player. mayReplace is asked (with the file's
// path) before a store player of that name that was not taken over is replaced; askQuestion
// answers the completion's pages. Throws WendrakError with a German message when a file
// cannot be read or written; the ".TP0" file then stays.
SiblingImportResult ImportSiblingPlayer(const SiblingImportRequest& request,
                                        const std::function<bool(const QString&)>& mayReplace,
                                        const AskQuestionFn& askQuestion);
