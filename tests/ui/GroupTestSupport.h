// A temporary root for the group window tests whose Kemra.ini names a second data folder
// as WendrakPath, with a group and a player file named like one of the store's in it: the
// group windows work below the program folder and must take nothing from there.
#pragma once

#include "TempRoot.h"

class ForeignPathRoot : public TempRoot {
public:
    ForeignPathRoot() {
        for (const char* folder : {"/Eigene Gruppen/Fremdgruppe", "/Aktuelles Spiel"})
            QDir().mkpath(elsewhere.path() + folder);
        writeFile(elsewhere.path() + "/SpielerStamm/Anna.ply", QByteArray(2400, 'F'));
        write("Kemra.ini", ("[Path]\r\nWendrakPath=" + elsewhere.path() + "/\r\n").toUtf8());
    }
    QTemporaryDir elsewhere;
};
