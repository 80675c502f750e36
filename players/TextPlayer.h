// Text player files: a player described in 40 pairs of lines (a label line, then its
// value), turned into a player record. Only the first 50 characters of a line count; a
// value beginning with "<" means "no value" where a field allows it.
#pragma once

#include "players/PersonalFields.h"
#include "players/PlayerFile.h"

#include <QString>

// The player file written for the text file at path: the same path with its extension
// replaced by ".PLY".
QString TextPlayerOutputPath(const QString& path);

// Reads the text file into a new record: name, gender, age and nationality ("???" for
// "<"), the four first-day answers (a value whose second character is "0" is a case with
// K, any other one with D), the cases and the cases with K of the twelve further
// situations ("<" leaves 0), the fixed motto and answers, Dateiname = the output path
// (cut to 50 characters). Throws WendrakError with a German message when the file cannot
// be read, holds fewer than 40 pairs, or a count is not a whole number from 0 (with no
// more cases with K than cases), and for a file that is its own output path.
SpielerTyp ReadTextPlayer(const QString& path);

// Reads the text file and writes its record as the player file at TextPlayerOutputPath,
// replacing any file of that name. Returns the record written. Throws WendrakError as the
// reader and the writer do; nothing is written when the text cannot be read.
SpielerTyp ImportTextPlayer(const QString& path);
// Takes name, age, gender, nationality and motto from fields into the record (Beruf is not
// taken) and writes it whole to outputPath. Throws WendrakError naming the file when it
// cannot be written.
void SaveTextPlayer(const QString& outputPath, SpielerTyp record, const PersonalFields& fields);
