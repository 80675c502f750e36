// The rules of the change-player wizard: its fourteen questions about the new player, the
// state table that turns each answer into changes of the situation table and the next
// question, the check of the new name and the file the changed copy is saved to. The
// chosen player's own file is only read; the window TfrmPLYAendern drives these rules.
#pragma once

#include "players/PlayerFile.h"

#include <QString>
#include <array>

namespace changeplayer {

// Kinds of question and the answers a question may hold.
enum Kind : int { JaNein = 0, Schieber = 1 };
enum Antwort : int { Offen = -1, Ja = 1, Nein = 2 }; // "Weiter" counts as Ja

// A question of the wizard (its own record; the new-player page has another).
struct FrageTyp {
    QString text;
    int kind = JaNein;
    int answer = Offen;
};

constexpr int kFragen = 14;
// States besides the questions 1 to 14.
constexpr int kFertig = 15;        // every question answered: the copy may be saved
constexpr int kWiderspruch = 0;    // the answers contradict each other: nothing to save
constexpr int kMaxNameLength = 46; // so that name + ".Ply" fits the 50-character file name

// The fourteen questions about the player named name, every answer Offen.
std::array<FrageTyp, kFragen> BuildQuestions(const QString& name);

// Applies the answer (Ja, Nein or Weiter) to question state (1 to 14) with the slider at
// v (0 to 10): changes player's situation table as the state table says and returns the
// next state (a question, kFertig or kWiderspruch).
int ApplyAnswer(SpielerTyp& player, int state, int answer, int v);

// The new name as the copy gets it: the typed text without leading and trailing blanks.
// Throws WendrakError with the German reason when it is no player name: one Windows-1252
// cannot hold, one that cannot name a file, or one too long.
QString AcceptNewName(const QString& typed);
// True when ordner holds name + ".PLY" in any letter case (so an existing ".Ply" counts).
bool NameTaken(const QString& ordner, const QString& name);
// "Dieser Spieler exisitiert bereits !"
QString ExistsMessage();

// Gives the copy its new name and file name (name + ".Ply").
void RenamePlayer(SpielerTyp& player, const QString& name);
// Where the copy named name is saved: ordner + name + ".Ply".
QString CopyPath(const QString& ordner, const QString& name);
// Saves the copy named name into ordner, a file created anew; returns the path written.
// Throws WendrakError naming the file when it cannot be written.
QString SaveChangedPlayer(const QString& ordner, const QString& name, const SpielerTyp& copy);

} // namespace changeplayer
