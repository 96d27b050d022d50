#pragma once

#include <QString>

// Hands a link to the desktop, which opens it with the user's program for
// it: "mailto:" addresses in the mail program, "http://" ones in the
// browser. Whether a program was found is not reported; without one
// nothing happens.
void ShellOpen(const QString &target);
