#include "Fonts.h"
#include <QFont>
#include <QStringList>

void installFontSubstitutions()
{
    // The window face: a clean sans face with Persian letters.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    // Titles of the printed forms.
    QFont::insertSubstitutions(QStringLiteral("Titr"), {QStringLiteral("Titr"), QStringLiteral("Noto Naskh Arabic")});
    // Texts and values of the printed forms: a Naskh face.
    QFont::insertSubstitutions(QStringLiteral("Zar"), {QStringLiteral("Amiri"), QStringLiteral("Noto Naskh Arabic")});
    QFont::insertSubstitutions(QStringLiteral("Lotus"), {QStringLiteral("Amiri"), QStringLiteral("Noto Naskh Arabic")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
}
