#pragma once
#include <QStringList>

// Maps the font families the windows and printed forms are designed with
// (Tahoma, Titr, Zar, Lotus, Arial) onto the faces installed here, in one
// place. Called once at start-up, before any window is created.
void installFontSubstitutions();

// The families a printed text asks for, in order: the designed family (found
// through the substitutions) and, for a Latin face, a Persian face for the
// letters it lacks.
QStringList printFamilies(const QString &family);
