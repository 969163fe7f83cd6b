#pragma once

struct sqlite3;

// Adds to an SQLite connection the function folded_letters(text): the text
// with its kaf, yeh and digits folded as foldedLetters() folds them, or NULL
// when folding leaves it as it is (every text of ASCII characters only), so
// that coalesce(folded_letters(c),c) reads such a text without a copy.
// SQLite's replace() copies a text once for each form it folds; this reads a
// text once and copies only those it changes.
void addFoldedLettersFunction(sqlite3 *connection);
