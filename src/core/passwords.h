#pragma once
#include <QString>

// The stored form of the connection password: the text reversed with every
// character code lowered by one, on the Windows-1256 (Arabic) codes, so a
// value stored by an existing installation reads back the same.
QString ScramblePassword(const QString &password);
// Its inverse: reversed, every code raised by one.
QString UnscramblePassword(const QString &stored);
// Whether the stored form keeps the password: every character has a code
// in the Arabic Windows code page (Persian digits and the Persian yeh have none).
bool passwordKeepable(const QString &password);
