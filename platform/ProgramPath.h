// The process-wide program path: the running executable by default. The program folder
// (its folder) and the settings file (in the folder's parent) are found from it. Tests and
// tools set it to run the program's code on a temporary root.
#pragma once

#include <QString>

namespace platform {

// Full path of the program file, "/"-separated.
QString programPath();
void setProgramPath(const QString& path);

// Folder of the program file, ending with "/".
QString programFolder();

} // namespace platform
