// A player's personal data as the player card's six edits hold them, so the card can hand
// them to whoever saves a player without its widgets being read from outside.
#pragma once

#include <QString>

struct PersonalFields {
    QString Name;
    QString Alter;
    QString Geschlecht;
    QString Nationalitaet;
    QString Motto;
    QString Beruf;
};
