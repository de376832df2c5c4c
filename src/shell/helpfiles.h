// The user manual that Help Topics opens: one HTML page installed with the program.
#pragma once

#include <QString>

namespace mapwright {

// Where the manual is: beside an installed program (share/doc/mapwright/manual.html) or in the
// source tree of a build (doc/manual.html); empty when it is in neither place.
QString UserManualPath();

// Opens the manual in the default browser; false when there is none or it could not be opened.
bool OpenUserManual();

}  // namespace mapwright
