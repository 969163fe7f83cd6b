#pragma once

// Maps the font families the windows and printed forms are designed with
// (Tahoma, Titr, Zar, Lotus, Arial) onto the faces installed here, in one
// place. Called once at start-up, before any window is created.
void installFontSubstitutions();
