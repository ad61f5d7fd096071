#pragma once
// Where the shell's "open" finds a program file: a relative name is looked up in the given working
// folder or, without one, in the current directory, and only then on the search path.

#include <QString>

// The absolute path of the program to start, or the name unchanged when nothing was found
// (starting it then fails quietly, as the shell's "open" reports nothing).
QString resolveProgramPath(const QString& file, const QString& folder);
