#include "Dialect.h"
#include "Letters.h"
#include <QRegularExpression>
#include <algorithm>
#include <functional>

QString engineName(Engine engine)
{
    switch (engine) {
    case Engine::PostgreSql: return QStringLiteral("PostgreSQL");
    case Engine::Sqlite: return QStringLiteral("SQLite");
    case Engine::SqlServer: break;
    }
    return QStringLiteral("SQL Server");
}

Engine engineFromName(const QString &name)
{
    if (name == QLatin1String("PostgreSQL"))
        return Engine::PostgreSql;
    if (name == QLatin1String("SQLite"))
        return Engine::Sqlite;
    return Engine::SqlServer;
}

namespace {

QString plainQuoted(const QString &value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : value) {
        out += c;
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
    }
    out += QLatin1Char('\'');
    return out;
}

bool isWholeNumber(const QString &text)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*[-+]?[0-9]+\\s*$"));
    return wholeNumber.match(text).hasMatch();
}

} // namespace

QString Dialect::quoted(const QString &text) const
{
    return plainQuoted(text);
}

QString Dialect::unboundValue(const QVariant &) const
{
    return {};
}

QString Dialect::comparedTextParameter(const QString &) const
{
    return QStringLiteral("?");
}

QString Dialect::columnDefinition(const ColumnDef &column) const
{
    return column.name + QLatin1Char(' ') + typeName(column.type, column.length);
}

QStringList Dialect::addColumns(const QString &table, const QList<ColumnDef> &columns) const
{
    // SQL Server: one ADD followed by the column list, one line per column.
    QStringList lines{QStringLiteral("ALTER table ") + table + QLatin1Char(' ')};
    for (int i = 0; i < columns.size(); ++i) {
        QString line = (i == 0 ? QStringLiteral("ADD ") : QString()) + columnDefinition(columns[i]);
        if (i + 1 < columns.size())
            line += QLatin1Char(',');
        lines << line;
    }
    return {lines.join(QLatin1Char('\n'))};
}

QString Dialect::bitLiteral(bool value) const
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString Dialect::concat(const QStringList &expressions) const
{
    return expressions.join(QStringLiteral("+"));
}

QString Dialect::integerDiffersFromEmpty(const QString &column) const
{
    return column + QStringLiteral("<>") + quoted(QString());
}

QString Dialect::integerEqualsText(const QString &column, const QString &text) const
{
    return column + QLatin1Char('=') + quoted(text);
}

Dialect::Folding Dialect::foldingFor(const QString &text)
{
    // Every form of each letter and digit the text holds in any form: a
    // typed "۲" folds the stored "٢" as well as the stored "۲".
    Folding folding;
    const QString folded = foldedLetters(text);
    for (const auto &[from, to] : letterFolds())
        if (folded.contains(to))
            folding.letters << std::pair{from, to};
    for (QChar c : text)
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            folding.lowerCase = true;
    folding.asciiText = std::all_of(folded.begin(), folded.end(), [](QChar c) { return c.unicode() < 128; });
    return folding;
}

QString Dialect::foldedText(const QString &expression, const Folding &folding) const
{
    // replace() is what every engine has; an engine with more overrides this.
    QString folded = expression;
    for (const auto &[from, to] : folding.letters)
        folded = QStringLiteral("replace(") + folded + QLatin1Char(',') + quoted(QString(from)) + QLatin1Char(',')
            + quoted(QString(to)) + QLatin1Char(')');
    return folding.lowerCase ? QStringLiteral("lower(") + folded + QLatin1Char(')') : folded;
}

QString Dialect::foldedColumn(const QString &expression, const Folding &folding) const
{
    return foldedText(expression, folding);
}

QString Dialect::containsText(const QString &column, const QString &text) const
{
    const QString pattern = QLatin1Char('%') + text + QLatin1Char('%');
    const Folding folding = foldingFor(pattern);
    return foldedColumn(column, folding) + QStringLiteral(" like ") + foldedText(quoted(pattern), folding);
}

QString Dialect::equalsText(const QString &column, const QString &text) const
{
    const Folding folding = foldingFor(text);
    return foldedColumn(column, folding) + QLatin1Char('=') + foldedText(quoted(text), folding);
}

QString Dialect::textBetween(const QString &column, const QString &from, const QString &to) const
{
    // An order is not kept by folding only the letters the bounds hold: every
    // form of every letter and digit is folded. A stored text of ASCII
    // characters only (every date the program writes) needs none, which the
    // engines tell apart at little cost (see foldedColumn).
    Folding folding;
    folding.letters = letterFolds();
    folding.asciiText = true;
    return foldedColumn(column, folding) + QStringLiteral(" between ") + quoted(foldedLetters(from)) + QStringLiteral(" and ")
        + quoted(foldedLetters(to));
}

namespace {

// Every form of a letter or digit that is folded (the form it is folded to
// first), both cases of a Latin letter, or the empty text for a character
// with one form.
QString formsOf(QChar c)
{
    QString forms;
    const QChar to = foldedLetters(QString(c)).at(0);
    for (const auto &[f, t] : letterFolds())
        if (t == to)
            forms += f;
    if (!forms.isEmpty())
        return to + forms;
    if (c.unicode() < 128 && c.isLetter())
        return QString(c.toLower()) + c.toUpper();
    return {};
}

// The expression in lower case when the folding asks for it.
QString lowered(const QString &expression, const Dialect::Folding &folding)
{
    return folding.lowerCase ? QStringLiteral("lower(") + expression + QLatin1Char(')') : expression;
}

// A GLOB pattern that matches what the text matches once folded: "%" and "_"
// are the wildcards of a search (contains: "*" around it), GLOB's own
// wildcards in the text are literal, and each kaf, yeh, digit and Latin
// letter stands for every form of it.
QString globPattern(const QString &text, bool contains)
{
    QString out = contains ? QStringLiteral("*") : QString();
    for (QChar c : text) {
        const QString forms = formsOf(c);
        if (!forms.isEmpty())
            out += QLatin1Char('[') + forms + QLatin1Char(']');
        else if (contains && c == QLatin1Char('%'))
            out += QLatin1Char('*');
        else if (contains && c == QLatin1Char('_'))
            out += QLatin1Char('?');
        else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
            out += QLatin1Char('[') + c + QLatin1Char(']');
        else
            out += c;
    }
    return contains ? out + QLatin1Char('*') : out;
}

class SqlServerDialect : public Dialect {
public:
    Engine engine() const override { return Engine::SqlServer; }
    QString typeName(ColumnType type, int length) const override
    {
        switch (type) {
        case ColumnType::Identity: return QStringLiteral("int identity primary key");
        case ColumnType::NVarChar: return QStringLiteral("nvarchar(%1)").arg(length);
        case ColumnType::Int: return QStringLiteral("int");
        case ColumnType::BigInt: return QStringLiteral("bigint");
        case ColumnType::Float: return QStringLiteral("float");
        case ColumnType::Money: return QStringLiteral("money");
        case ColumnType::Bit: return QStringLiteral("bit");
        case ColumnType::Image: return QStringLiteral("image");
        case ColumnType::ServerTime: return QStringLiteral("datetime DEFAULT GETDATE()");
        }
        return {};
    }
    QString quoted(const QString &text) const override { return QLatin1Char('N') + plainQuoted(text); }
    // SQL Server's LIKE reads "[" as the start of a class of characters; a
    // typed one is the letter itself, as on the other engines, written "[[]".
    QString containsText(const QString &column, const QString &text) const override
    {
        QString literal = text;
        literal.replace(QLatin1Char('['), QStringLiteral("[[]"));
        return Dialect::containsText(column, literal);
    }
    QString unboundValue(const QVariant &value) const override
    {
        const int type = value.metaType().id();
        if (type == QMetaType::QString && value.toString().isEmpty())
            return value.isNull() ? QStringLiteral("NULL") : quoted(QString());
        if (type == QMetaType::QByteArray && value.toByteArray().isEmpty())
            return value.isNull() ? QStringLiteral("NULL") : QStringLiteral("0x");
        return {};
    }
    QString integerEqualsText(const QString &column, const QString &text) const override
    {
        if (isWholeNumber(text))
            return Dialect::integerEqualsText(column, text);
        return QStringLiteral("cast(") + column + QStringLiteral(" as nvarchar(20))=") + quoted(text);
    }
    // Qt's ODBC driver binds a text of more than 127 characters as a long
    // text (SQL_WLONGVARCHAR), which SQL Server takes as ntext, and ntext is
    // never equal to nvarchar (error 402). The parameter is cast: to
    // nvarchar(4000), the longest sized type, which holds whatever an
    // nvarchar(n) column holds, and only a longer text to the large-object
    // type nvarchar(max).
    QString comparedTextParameter(const QString &text) const override
    {
        return text.size() > 4000 ? QStringLiteral("cast(? as nvarchar(max))") : QStringLiteral("cast(? as nvarchar(4000))");
    }
    QString backupStatement(const QString &database, const QString &file) const override
    {
        // The name in brackets, so that a name with a blank or a hyphen stays one name.
        QString name = database;
        name.replace(QLatin1Char(']'), QStringLiteral("]]"));
        return QStringLiteral("BACKUP DATABASE [") + name + QStringLiteral("] TO DISK= ") + quoted(file);
    }
};

class PostgreSqlDialect : public Dialect {
public:
    Engine engine() const override { return Engine::PostgreSql; }
    // One translate() in place of a replace() a letter.
    QString foldedText(const QString &expression, const Folding &folding) const override
    {
        return lowered(folding.letters.isEmpty() ? expression : translated(expression, folding), folding);
    }
    // translate() copies every text it reads, which made a digit search over
    // many rows half as slow again as an unfolded one. When the typed text
    // folds to ASCII characters only (digits, Latin letters), a stored text
    // of ASCII characters only (as many as its bytes) holds no form to fold
    // and is compared as it is.
    QString foldedColumn(const QString &expression, const Folding &folding) const override
    {
        if (folding.letters.isEmpty() || !folding.asciiText)
            return foldedText(expression, folding);
        return lowered(QStringLiteral("(case when octet_length(") + expression + QStringLiteral(")=length(") + expression
                           + QStringLiteral(") then ") + expression + QStringLiteral(" else ") + translated(expression, folding)
                           + QStringLiteral(" end)"),
                       folding);
    }
    // LIKE reads a backslash as its escape character; a typed one is the
    // character itself, as on the other engines.
    //
    // translate() copies every text it reads, which made a search for a
    // letter few rows hold half as slow again as a plain LIKE. The folded
    // comparison is first narrowed by plain LIKEs the stored text meets as
    // it is: the pattern with a folded letter in each of its forms (a text
    // matches once folded exactly when it matches one of these), as long as
    // that gives at most four patterns; a letter past that stands as "_"
    // there, and only then is translate() needed, on the rows left.
    QString containsText(const QString &column, const QString &text) const override
    {
        QString literal = text;
        literal.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        const QString pattern = QLatin1Char('%') + literal + QLatin1Char('%');
        const Folding folding = foldingFor(pattern);
        // A text of ASCII characters once folded is cheap already.
        if (folding.none() || folding.asciiText)
            return Dialect::containsText(column, literal);
        const bool casesPastAscii = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 128 && c.toLower() != c.toUpper(); });
        if (!text.contains(QLatin1Char('%')) && !text.contains(QLatin1Char('_')) && !casesPastAscii)
            return foundInForms(column, text, literal);
        // Latin letters go through lower(), which folds more than their two
        // forms.
        if (folding.lowerCase)
            return Dialect::containsText(column, literal);
        QStringList alternatives{QString()};
        bool exact = true;
        for (QChar c : pattern) {
            const QString forms = formsOf(c);
            if (forms.isEmpty() || alternatives.size() * forms.size() > 4) {
                exact = exact && forms.isEmpty();
                for (QString &a : alternatives)
                    a += forms.isEmpty() ? c : QLatin1Char('_');
                continue;
            }
            QStringList next;
            for (const QString &a : std::as_const(alternatives))
                for (QChar form : forms)
                    next << a + form;
            alternatives = next;
        }
        QStringList likes;
        for (const QString &a : std::as_const(alternatives))
            likes << column + QStringLiteral(" like ") + quoted(a);
        const QString narrowed = QLatin1Char('(') + likes.join(QStringLiteral(" or ")) + QLatin1Char(')');
        return exact ? narrowed : QLatin1Char('(') + narrowed + QStringLiteral(" and ") + Dialect::containsText(column, literal) + QLatin1Char(')');
    }
    // A typed text without wildcards, sought with strpos(), which reads a
    // text as it is, without a copy, and costs less than a LIKE. Each stored
    // text is sought for the typed text in every combination of the forms of
    // its folded letters, as a tree that ends a text early: the first level
    // seeks the text from its first Latin word (else its first digit, else
    // its first folded letter) up to the next folded letter in each form of
    // that letter, each further
    // level one folded letter more in each of its forms (those after it
    // first, then those before it), only in the texts the level above found.
    // A text that holds no digit of the typed text in any form costs as many
    // strpos() as the first digit has forms. Past 27 combinations the tree
    // stops and the full fold decides on the texts it found.
    //
    // Latin letters are compared in either case: a text sought with a Latin
    // letter is sought in the stored text lowered in the "C" collation, which
    // lowers only ASCII letters and costs less than translate() and lower()
    // in the database's own collation (each twice a LIKE), and the others in
    // the stored text as it is. A Latin letter has one form there but for
    // "k" and "i", which lower() also makes of the Kelvin sign and the dotted
    // capital I; the first letter of a Latin word starts a level of its own,
    // so that a text is lowered only once the texts before it are found. A
    // typed letter with cases past ASCII is left to the full fold.
    QString foundInForms(const QString &column, const QString &typed, const QString &literal) const
    {
        const bool lowered = foldingFor(typed).lowerCase;
        QString text = typed;
        for (QChar &c : text)
            if (lowered && c.unicode() < 128)
                c = c.toLower();
        const auto latin = [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); };
        QList<QString> formsAt; // the forms at each position that starts a level
        QList<qsizetype> folded; // the positions that start a level
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            QString forms = latin(c) ? QString(c) : formsOf(c);
            if (c == QLatin1Char('k'))
                forms += QChar(0x212A);
            else if (c == QLatin1Char('i'))
                forms += QChar(0x0130);
            if (forms.size() > 1 || (latin(c) && (i == 0 || !latin(text.at(i - 1))))) {
                folded << i;
                formsAt << forms;
            }
        }
        // The literal run after the n-th level's letter (-1: before the first).
        const auto run = [&](qsizetype n) {
            const qsizetype from = n < 0 ? 0 : folded.at(n) + 1;
            return text.mid(from, (n + 1 < folded.size() ? folded.at(n + 1) : text.size()) - from);
        };
        // The tree starts at the first Latin word (a model's name is rarer
        // than its number), else at the first digit.
        const auto first = [&](const std::function<bool(QChar)> &which) {
            qsizetype n = 0;
            while (n < folded.size() && !which(text.at(folded.at(n))))
                ++n;
            return n;
        };
        qsizetype start = first(latin);
        if (start == folded.size())
            start = first([](QChar c) { return c.isDigit(); });
        if (start == folded.size())
            start = 0;
        QList<qsizetype> order; // the levels in the order the tree adds them
        for (qsizetype n = start; n < folded.size(); ++n)
            order << n;
        for (qsizetype n = start - 1; n >= 0; --n)
            order << n;
        qsizetype levels = 0;
        for (qsizetype combinations = 1; levels < order.size(); ++levels) {
            combinations *= formsAt.at(order.at(levels)).size();
            if (combinations > 27)
                break;
        }
        const auto found = [&](const QString &sought) {
            const bool withLatin = std::any_of(sought.begin(), sought.end(), latin);
            return QStringLiteral("strpos(") + (withLatin ? QStringLiteral("lower(") + column + QStringLiteral(" collate \"C\")") : column)
                + QLatin1Char(',') + quoted(sought) + QStringLiteral(")>0");
        };
        if (folded.isEmpty())
            return found(text);
        const std::function<QString(const QString &, qsizetype)> level = [&](const QString &sought, qsizetype depth) {
            const qsizetype n = order.at(depth);
            QStringList alternatives;
            for (QChar form : formsAt.at(n)) {
                const QString longer = n >= start ? sought + form + run(n) : run(n - 1) + form + sought;
                QString alternative = found(longer);
                if (depth + 1 < levels)
                    alternative += QStringLiteral(" and ") + level(longer, depth + 1);
                alternatives << alternative;
            }
            return alternatives.size() == 1 ? alternatives.first() : QLatin1Char('(') + alternatives.join(QStringLiteral(" or ")) + QLatin1Char(')');
        };
        QString tree = level(run(start - 1), 0);
        // A Latin word first means each text is lowered, a copy; when the
        // typed text holds a run of at least three characters with one form
        // (a Persian word and its blank), the text as it is is first sought
        // for that run, which a long needle makes cheap, and only the texts
        // that hold it are lowered.
        if (latin(text.at(folded.at(start)))) {
            QString longest, current;
            for (QChar c : text) {
                current = (formsOf(c).isEmpty() && !latin(c)) ? current + c : QString();
                if (current.size() > longest.size())
                    longest = current;
            }
            if (longest.size() >= 3)
                tree = found(longest) + QStringLiteral(" and ") + tree;
        }
        if (levels == order.size())
            return tree;
        return QLatin1Char('(') + tree + QStringLiteral(" and ") + Dialect::containsText(column, literal) + QLatin1Char(')');
    }
    QString typeName(ColumnType type, int length) const override
    {
        switch (type) {
        case ColumnType::Identity: return QStringLiteral("serial primary key");
        case ColumnType::NVarChar: return QStringLiteral("varchar(%1)").arg(length);
        case ColumnType::Int: return QStringLiteral("integer");
        case ColumnType::BigInt: return QStringLiteral("bigint");
        case ColumnType::Float: return QStringLiteral("double precision");
        case ColumnType::Money: return QStringLiteral("numeric(19,4)");
        case ColumnType::Bit: return QStringLiteral("boolean");
        case ColumnType::Image: return QStringLiteral("bytea");
        case ColumnType::ServerTime: return QStringLiteral("timestamp DEFAULT LOCALTIMESTAMP");
        }
        return {};
    }
    QStringList addColumns(const QString &table, const QList<ColumnDef> &columns) const override
    {
        QStringList lines{QStringLiteral("ALTER table ") + table + QLatin1Char(' ')};
        for (int i = 0; i < columns.size(); ++i)
            lines << QStringLiteral("ADD ") + columnDefinition(columns[i]) + (i + 1 < columns.size() ? QStringLiteral(",") : QString());
        return {lines.join(QLatin1Char('\n'))};
    }
    // An integer literal does not convert to boolean; a quoted one does.
    QString bitLiteral(bool value) const override { return value ? QStringLiteral("'1'") : QStringLiteral("'0'"); }
    QString concat(const QStringList &expressions) const override { return expressions.join(QStringLiteral("||")); }
    QString integerDiffersFromEmpty(const QString &column) const override
    {
        return QStringLiteral("cast(") + column + QStringLiteral(" as varchar)<>") + quoted(QString());
    }
    QString integerEqualsText(const QString &column, const QString &text) const override
    {
        if (isWholeNumber(text))
            return Dialect::integerEqualsText(column, text);
        return QStringLiteral("cast(") + column + QStringLiteral(" as varchar)=") + quoted(text);
    }
    QString backupStatement(const QString &, const QString &) const override { return {}; }

private:
    QString translated(const QString &expression, const Folding &folding) const
    {
        // translate() looks each character up in its list from the start, so
        // the forms most stored lead: Persian digits, then Arabic-Indic ones
        // (a date in Persian digits is translated a third faster this way).
        const auto rank = [](QChar c) { return c.unicode() >= 0x06F0 && c.unicode() <= 0x06F9 ? 0 : c.isDigit() ? 1 : 2; };
        QList<std::pair<QChar, QChar>> letters = folding.letters;
        std::stable_sort(letters.begin(), letters.end(), [&](const auto &a, const auto &b) { return rank(a.first) < rank(b.first); });
        QString from;
        QString to;
        for (const auto &[f, t] : letters) {
            from += f;
            to += t;
        }
        return QStringLiteral("translate(") + expression + QLatin1Char(',') + quoted(from) + QLatin1Char(',') + quoted(to) + QLatin1Char(')');
    }
};

class SqliteDialect : public Dialect {
public:
    Engine engine() const override { return Engine::Sqlite; }
    // SQLite's replace() and lower() copy every text they read, which makes a
    // search over many rows three times slower. GLOB reads each text once:
    // every letter with several forms becomes a class of its forms.
    //
    // GLOB finds the first character after a leading "*" by a plain scan but
    // tries a class at every position, which made a search for a digit half
    // as slow again as an unfolded one. A text of digits and Latin letters is
    // mostly searched in texts of ASCII characters only (the program's number
    // fields store ASCII digits), where LIKE with the typed text folded
    // decides alone (it takes Latin letters in either case); GLOB reads only
    // the texts that hold any other character.
    //
    // For the same reason a text that begins with a folded letter and holds
    // a character of one form later on (a lane "کوچه 25") is first sought
    // from that character on, which GLOB finds by its plain scan; the whole
    // pattern is tried only on the texts that hold that much.
    QString containsText(const QString &column, const QString &text) const override
    {
        QString glob = column + QStringLiteral(" glob ") + quoted(globPattern(text, true));
        const Folding folding = foldingFor(text);
        if (folding.none() || !folding.asciiText) {
            const auto plain = std::find_if(text.begin(), text.end(), [](QChar c) {
                return formsOf(c).isEmpty() && c != QLatin1Char('%') && c != QLatin1Char('_');
            });
            if (plain != text.begin() && plain != text.end())
                glob = QLatin1Char('(') + column + QStringLiteral(" glob ") + quoted(globPattern(text.mid(plain - text.begin()), true))
                    + QStringLiteral(" and ") + glob + QLatin1Char(')');
            return glob;
        }
        return QStringLiteral("(") + column + QStringLiteral(" like ") + quoted(QLatin1Char('%') + foldedLetters(text) + QLatin1Char('%'))
            + QStringLiteral(" or length(") + column + QStringLiteral(")<>length(cast(") + column + QStringLiteral(" as blob)) and ")
            + glob + QLatin1Char(')');
    }
    QString equalsText(const QString &column, const QString &text) const override
    {
        return column + QStringLiteral(" glob ") + quoted(globPattern(text, false));
    }
    // A range, each stored text compared in its folded form: the connection's
    // folded_letters() reads a text once and gives NULL for one that folding
    // leaves as it is (every date the program writes), which is then
    // compared as it is. The replace() of every form of every digit copied
    // each text twenty times, and asking SQL whether a text was ASCII cost as
    // much as the comparison itself. A text whose folded form is not before
    // a lower bound of ASCII characters is not before it either (the two
    // agree up to the text's first character past ASCII, which comes after
    // every ASCII one), so the texts before such a bound cost no call.
    QString textBetween(const QString &column, const QString &from, const QString &to) const override
    {
        const QString low = foldedLetters(from);
        const bool asciiLow = std::all_of(low.begin(), low.end(), [](QChar c) { return c.unicode() < 128; });
        return QLatin1Char('(') + (asciiLow ? column + QStringLiteral(">=") + quoted(low) + QStringLiteral(" and ") : QString())
            + QStringLiteral("coalesce(folded_letters(") + column + QStringLiteral("),") + column + QStringLiteral(") between ") + quoted(low)
            + QStringLiteral(" and ") + quoted(foldedLetters(to)) + QLatin1Char(')');
    }
    QString typeName(ColumnType type, int length) const override
    {
        switch (type) {
        case ColumnType::Identity: return QStringLiteral("integer primary key autoincrement");
        case ColumnType::NVarChar: return QStringLiteral("nvarchar(%1)").arg(length);
        case ColumnType::Int: return QStringLiteral("int");
        case ColumnType::BigInt: return QStringLiteral("bigint");
        case ColumnType::Float: return QStringLiteral("float");
        case ColumnType::Money: return QStringLiteral("money");
        case ColumnType::Bit: return QStringLiteral("bit");
        case ColumnType::Image: return QStringLiteral("blob");
        case ColumnType::ServerTime: return QStringLiteral("datetime DEFAULT (datetime('now','localtime'))");
        }
        return {};
    }
    // SQLite adds one column a statement; the caller's transaction keeps them
    // all-or-nothing.
    QStringList addColumns(const QString &table, const QList<ColumnDef> &columns) const override
    {
        QStringList statements;
        for (const ColumnDef &c : columns)
            statements << QStringLiteral("ALTER table ") + table + QStringLiteral(" \nADD ") + columnDefinition(c);
        return statements;
    }
    QString concat(const QStringList &expressions) const override { return expressions.join(QStringLiteral("||")); }
    QString backupStatement(const QString &, const QString &file) const override
    {
        return QStringLiteral("VACUUM INTO ") + quoted(file);
    }
};

} // namespace

const Dialect &Dialect::of(Engine engine)
{
    static const SqlServerDialect sqlServer;
    static const PostgreSqlDialect postgres;
    static const SqliteDialect sqlite;
    switch (engine) {
    case Engine::PostgreSql: return postgres;
    case Engine::Sqlite: return sqlite;
    case Engine::SqlServer: break;
    }
    return sqlServer;
}
