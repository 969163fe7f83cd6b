#pragma once
#include <QString>

// A value spliced into SQL text: wrapped in single quotes, inner single quotes
// doubled. Every statement the program builds from typed or stored values goes
// through this one helper.
QString quoted(const QString &value);
