#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

// The database engines the program talks to. SQL Server is what existing
// installations run; PostgreSQL is the shared server for several
// workstations; SQLite is the embedded single-workstation default.
enum class Engine { SqlServer, PostgreSql, Sqlite };

QString engineName(Engine engine);               // "SQL Server", "PostgreSQL", "SQLite"
Engine engineFromName(const QString &name);      // anything unknown is SQL Server

// Column types of the schema, named after the SQL Server types they were
// designed with.
enum class ColumnType { Identity, NVarChar, Int, BigInt, Float, Money, Bit, Image, ServerTime };

struct ColumnDef {
    QString name;
    ColumnType type;
    int length = 0; // nvarchar only
};

// What differs between the engines, and nothing else.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // "name type" as it stands in a create or alter statement.
    QString columnDefinition(const ColumnDef &column) const;
    virtual QString typeName(ColumnType type, int length) const = 0;

    // Statements that add several columns to a table. Run together in one
    // transaction they either add every column or none.
    virtual QStringList addColumns(const QString &table, const QList<ColumnDef> &columns) const;

    // A text written into a statement as a literal: in single quotes with
    // inner quotes doubled. SQL Server reads a plain quoted literal in the
    // database's code page, which loses Persian letters (every one under a
    // Latin collation, "ی" and the Persian digits under the Arabic one), so
    // there every text literal carries the Unicode prefix: N'...'. Every
    // statement built from typed or stored texts writes them through here.
    virtual QString quoted(const QString &text) const;

    // A value that a posted insert or update writes into its statement
    // instead of binding it, or the empty text when it is bound. Microsoft's
    // ODBC drivers refuse a bound text or byte string of length zero
    // ("Invalid precision value"), and Qt declares a bound text as long as
    // the text is; so on SQL Server the empty and the NULL text (and bytes)
    // are written as N'', 0x and NULL.
    virtual QString unboundValue(const QVariant &value) const;

    // The parameter mark of a bound text compared with a text column
    // ("column=?"), in the form the engine compares for a text of any length.
    virtual QString comparedTextParameter(const QString &text) const;

    // A bit literal inside an insert.
    virtual QString bitLiteral(bool value) const;

    // Text concatenation of SQL expressions.
    virtual QString concat(const QStringList &expressions) const;

    // "column differs from the empty text" for an integer column. SQL Server
    // converts the empty text to 0 (ids start at 1, so every row differs) and
    // SQLite orders every integer before every text; PostgreSQL refuses the
    // comparison, so it compares the text.
    virtual QString integerDiffersFromEmpty(const QString &column) const;

    // "column equals the text" for an integer column compared with a text
    // that may be no whole number (the empty text of an empty result set, a
    // user name without an id). SQLite compares the quoted text directly, and
    // such a text matches no stored id. SQL Server and PostgreSQL convert the
    // text to a number and raise an error when it is none ("Conversion
    // failed" on SQL Server, where the empty text would even become 0), so
    // there a text that is no whole number is compared with the column's
    // text instead, and matches nothing.
    virtual QString integerEqualsText(const QString &column, const QString &text) const;

    // Comparisons of a text column with a typed or fixed text, as the
    // program compares and searches texts: the forms of kaf and of yeh are
    // one letter, the Persian, Arabic-Indic and ASCII forms of a digit one
    // digit (see Letters.h), and Latin letters match without regard to case.
    // Both sides are folded in the statement (the kaf and yeh forms to the
    // Persian ones, digits to ASCII, Latin letters to lower case); stored
    // texts are read through the fold, never rewritten.
    //
    // "the column contains the text": a LIKE with "%" around the text ("%"
    // and "_" in the text stay wildcards; every other character, a backslash
    // or "[" included, is itself).
    virtual QString containsText(const QString &column, const QString &text) const;
    // "the column equals the text".
    virtual QString equalsText(const QString &column, const QString &text) const;
    // "the column lies between the two texts, both included", compared as
    // texts once folded: a date stored with Persian or Arabic-Indic digits
    // sorts where the same date in ASCII digits sorts.
    virtual QString textBetween(const QString &column, const QString &from, const QString &to) const;

    // What a comparison with a text needs folded. The fold maps a character
    // to one character, so a letter the text does not hold in any form can
    // only meet a wildcard: folding it changes no outcome, and only the
    // letters the text holds in some form are folded, each in all its forms
    // (which keeps a search over many rows as fast as an unfolded one when
    // the text has no kaf, yeh, digit or Latin letter).
    struct Folding {
        QList<std::pair<QChar, QChar>> letters; // (from, to)
        bool lowerCase = false;
        bool asciiText = false; // the text, folded, is ASCII characters only
        bool none() const { return letters.isEmpty() && !lowerCase; }
    };
    static Folding foldingFor(const QString &text);
    // The expression with the folding applied.
    virtual QString foldedText(const QString &expression, const Folding &folding) const;
    // The same for the stored side of a comparison, evaluated once a row: an
    // engine may take a cheaper way where a text needs no folding.
    virtual QString foldedColumn(const QString &expression, const Folding &folding) const;

    // The statement that has the server write a backup of a database into a
    // file, or the empty text when the engine has no such statement.
    virtual QString backupStatement(const QString &database, const QString &file) const = 0;

    static const Dialect &of(Engine engine);
};
