#include "SqliteFolding.h"
#include "Letters.h"
#include <sqlite3.h>

namespace {

void foldedLettersOf(sqlite3_context *context, int, sqlite3_value **arguments)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    const int size = sqlite3_value_bytes(arguments[0]);
    int i = 0;
    while (i < size && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    if (i == size)
        return; // NULL: nothing to fold (also for a NULL argument)
    const QString stored = QString::fromUtf8(text, size);
    const QString folded = foldedLetters(stored);
    if (folded == stored)
        return;
    const QByteArray utf8 = folded.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

void addFoldedLettersFunction(sqlite3 *connection)
{
    sqlite3_create_function_v2(connection, "folded_letters", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               foldedLettersOf, nullptr, nullptr, nullptr);
}
