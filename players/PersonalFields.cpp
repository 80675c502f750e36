#include "players/PersonalFields.h"

#include "platform/Ansi.h"

#include <iterator>
#include <utility>

void CheckPersonalFields(const PersonalFields& fields, bool withBeruf) {
    const std::pair<const char*, const QString&> edits[] = {{"Name", fields.Name},
                                                            {"Alter", fields.Alter},
                                                            {"Geschlecht", fields.Geschlecht},
                                                            {"Nationalität", fields.Nationalitaet},
                                                            {"Motto", fields.Motto},
                                                            {"Beruf", fields.Beruf}};
    const std::size_t checked = withBeruf ? std::size(edits) : std::size(edits) - 1;
    for (std::size_t i = 0; i < checked; ++i)
        platform::CheckAnsiField(QString::fromUtf8(edits[i].first), edits[i].second);
}

void SetPersonalFields(SpielerTyp& player, const PersonalFields& fields, bool withBeruf) {
    CheckPersonalFields(fields, withBeruf);
    player.Name.set(fields.Name);
    player.Alter.set(fields.Alter);
    player.Geschlecht.set(fields.Geschlecht);
    player.Nationalitaet.set(fields.Nationalitaet);
    player.Motto.set(fields.Motto);
    if (withBeruf)
        player.Beruf.set(fields.Beruf);
}
