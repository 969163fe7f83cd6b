#pragma once
#include <QString>

class QLineEdit;

// A single-line edit keeps whatever is pasted or dropped into it, line
// breaks included, and shows them as nothing: a code copied from a
// spreadsheet cell arrives with the cell's line break, and a search or a
// comparison on that text then silently finds nothing. Here a line edit takes
// such text as one line: the breaks at its ends go, each run of breaks
// inside it becomes one blank. Nothing else of the text changes.

// The text as one line, by the rule above.
QString singleLine(const QString &text);

// Makes one edit take pasted or dropped text as one line: the breaks at the
// ends of the pasted text go, wherever it lands. The edit changes once, so
// listeners of textEdited hear only the text as it then stands.
void keepSingleLine(QLineEdit *edit);

// Does so for every line edit of the application (combo boxes' own edits
// included) as it is first polished. Call once, after the application object
// exists.
void installSingleLineEdits();
