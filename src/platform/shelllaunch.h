// Opening a file the way the desktop does: with the program the user's desktop associates with
// its type, or with a program of the user's choice.
#pragma once

#include <string>

namespace mapwright {

// Opens the local file at path (bytes) with the desktop's program for its type; returns false
// when the desktop has no program for it.
bool OpenWithDefaultApplication(const std::string& path);

// Starts program (bytes; a bare name is looked up in PATH) with argument as its one argument,
// not waiting for it. Returns false when it could not be started.
bool StartProgram(const std::string& program, const std::string& argument);

}  // namespace mapwright
