// The rules of the new-player wizard: which page follows which answer, what each answer
// writes into the new player's situation table, the answer fields computed when the player
// is saved, and the file it is saved to. The question page (TfrmNeuerSpieler) knows nothing
// of players; its driver feeds the page's answers in here.
#pragma once

#include "players/PlayerFile.h"

#include <QString>

// Modal results of the question page.
enum NeuerSpielerErgebnis : int {
    NsOk = 1,      // a text or slider page confirmed
    NsAbbruch = 2, // "A&bbruch"
    NsJa = 6,
    NsNein = 7
};

class NewPlayerWizard {
public:
    // Next "steps" besides the pages 1 to 12.
    static constexpr int kFertig = 0;       // every page answered: save the player
    static constexpr int kAbgebrochen = -1; // cancelled: nothing is written

    // A zeroed record whose thirteen situation entries each count 10 cases.
    NewPlayerWizard();

    // Applies the answer to the page of step (1 to 12): the page's modal result, its text
    // and its slider position (1 to 10). Returns the next page, kFertig or kAbgebrochen.
    // The name loses its leading and trailing blanks. Throws WendrakError naming the field,
    // and changes nothing, when a text holds characters Windows-1252 cannot.
    int Answer(int step, int modalResult, const QString& text, int slider);

    // The record to write: the answers so far, the file name and the answer fields.
    SpielerTyp Record() const;
    // The name as given on the first page, cut to 50 characters.
    const QString& Name() const { return m_name; }

private:
    SpielerTyp m_player;
    QString m_name;
    bool m_greiftNichtUngereiztAn = false;
};

// The six "Ja"/"Nein" answer fields, from the player's situation table.
void SetNewPlayerAnswerFields(SpielerTyp& player);

// How the name of the first page may be used in the store.
enum class NewPlayerName {
    Usable,   // no file of that name yet
    Unusable, // it cannot name a file
    Exists    // a player file of that name is in the store (in any letter case)
};
// text is the name as typed, blanks around it are not part of it.
NewPlayerName CheckNewPlayerName(const QString& store, const QString& text);

// The player's file in store: the name (cut to 50 characters) + ".ply".
QString NewPlayerPath(const QString& store, const QString& name);
// Writes the wizard's record into store, replacing a file of that name whole; returns the
// path written. Throws WendrakError naming the file when it cannot be written.
QString SaveNewPlayer(const QString& store, const NewPlayerWizard& wizard);
