#include "Translations.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Texts of Qt's own dialogs that its Persian translation leaves in English.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        // The print dialog's choice of pages by list ("1-3, 5").
        if (qstrcmp(context, "QPrintSettingsOutput") == 0 && qstrcmp(sourceText, "Pages") == 0)
            return QStringLiteral("صفحات");
        return QString();
    }
};

} // namespace

bool installQtTranslations()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_fa"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    // Installed last, asked first.
    return QCoreApplication::installTranslator(translator)
        && QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
}
