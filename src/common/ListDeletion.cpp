#include "ListDeletion.h"
#include "lookup.h"
#include "admin/users_u.h"
#include "core/app.h"
#include "core/dm_u.h"
#include "core/login_u.h"
#include "platform/Digits.h"
#include "platform/Platform.h"
#include "platform/Query.h"
#include <QLabel>

namespace {

// The rows the statement affected.
int executeLine(Query &query, const QString &line)
{
    query.clear();
    query.add(line);
    return query.execute();
}

} // namespace

bool deleteCurrentRow(Query &rows, const DeletionSpec &deletion)
{
    if (!rows.isOpen() || rows.isEmpty())
        return false;
    Query &scratch = *app::dm->ADOQuery1;
    const QString password = singleValue(QStringLiteral("رمز حذف"), scratch);
    // A cancelled box ends the deletion, whatever the password; a confirmed
    // text must match it exactly, but for the form of its digits (a password
    // set from a Persian keyboard is typed on the number pad too).
    const std::optional<QString> answer = platform().inputBox(
        QStringLiteral("Delete Password"), QStringLiteral("لطفا رمز حذف را وارد نماييد:"), QStringLiteral("?"));
    if (!answer || asciiDigits(*answer) != asciiDigits(password))
        return false;

    QStringList names;
    for (const QString &field : deletion.logFields)
        names << rows.field(field).asString();
    const QString logText = deletion.logText + names.join(QLatin1Char(' '));
    const QString id = quoted(rows.field(QStringLiteral("id")).asString());

    // The row, the child rows and the log row go together or not at all. A
    // row another workstation deleted meanwhile is deleted by no one here:
    // nothing is written, and the list shows what is left. A count the
    // engine cannot tell (-1) is taken for a row deleted.
    bool removed = false;
    rows.connection()->transaction([&] {
        removed = executeLine(scratch, QStringLiteral("Delete from ") + deletion.table + QStringLiteral(" where id=") + id) != 0;
        if (!removed)
            return;
        if (!deletion.childTable.isEmpty())
            executeLine(scratch, QStringLiteral("Delete from ") + deletion.childTable + QStringLiteral(" where ") + deletion.childKey
                                     + QLatin1Char('=') + id);
        app::login->WriteLogRow(app::users->karbar->text(), logText);
    });
    rows.close();
    rows.open();
    reportDeletion(removed ? 1 : 0);
    return removed;
}

void reportDeletion(int rowsRemoved)
{
    showMessage(rowsRemoved != 0 ? QStringLiteral("حذف شد") : QStringLiteral("اين ركورد توسط كاربر ديگري حذف شده است"));
}
