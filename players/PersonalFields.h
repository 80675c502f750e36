// A player's personal data as the player card's six edits hold them, so the card can hand
// them to whoever saves a player without its widgets being read from outside.
#pragma once

#include "players/PlayerFile.h"

#include <QString>

struct PersonalFields {
    QString Name;
    QString Alter;
    QString Geschlecht;
    QString Nationalitaet;
    QString Motto;
    QString Beruf;
};

// Throws WendrakError for the first field that Windows-1252 cannot hold, naming it as the
// card labels it ("Name", "Alter", "Geschlecht", "Nationalität", "Motto", "Beruf"); Beruf
// only with withBeruf.
void CheckPersonalFields(const PersonalFields& fields, bool withBeruf);
// Stores the fields into the record (each cut to its field's width); Beruf only with
// withBeruf. Throws as CheckPersonalFields does, changing nothing.
void SetPersonalFields(SpielerTyp& player, const PersonalFields& fields, bool withBeruf);
