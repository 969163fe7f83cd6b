#include "Fonts.h"
#include <QFont>

void installFontSubstitutions()
{
    // The window face: a clean sans face with Persian letters.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    // Titles of the printed forms.
    QFont::insertSubstitutions(QStringLiteral("Titr"), {QStringLiteral("Titr"), QStringLiteral("Noto Naskh Arabic")});
    // Texts and values of the printed forms: a Naskh face. Noto Naskh comes
    // first: its joined letter forms carry their characters, so the text of a
    // printed PDF can be searched and copied (Amiri's cannot).
    QFont::insertSubstitutions(QStringLiteral("Zar"), {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
    QFont::insertSubstitutions(QStringLiteral("Lotus"), {QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Amiri")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
}

QStringList printFamilies(const QString &family)
{
    // Arial of the printed forms carries Persian letters, in a plain Naskh
    // style and narrow; its stand-in has none, so the Naskh face fills in.
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return {family, QStringLiteral("Noto Naskh Arabic")};
    return {family};
}
