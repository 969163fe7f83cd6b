#include "Workbook.h"
#include "DataError.h"
#include "Platform.h"
#include <QDir>
#include <QFile>
#include <xlsxwriter.h>

namespace {

QString failure(const char *what, int error)
{
    return QStringLiteral("نوشتن فايل اکسل ممكن نشد (%1: %2)")
        .arg(QString::fromLatin1(what), QString::fromUtf8(lxw_strerror(lxw_error(error))));
}

// Cuts a text to at most `limit` characters counted as code points, the way
// the spreadsheet format counts them, without splitting a surrogate pair.
QString cutToLength(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    int points = 0;
    int i = 0;
    while (i < text.size() && points < limit) {
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
        ++points;
    }
    return text.left(i);
}

} // namespace

Workbook::Workbook(const QString &path) : m_path(path)
{
    m_tempDir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempDir.data();
    options.use_zip64 = LXW_FALSE;
    m_book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!m_book)
        throw DataError(QStringLiteral("فايل اکسل %1 ساخته نشد").arg(leftToRightPath(path)));
}

Workbook::~Workbook()
{
    if (m_book) {
        // Closing is the only way to free the workbook; the half-made file goes.
        workbook_close(m_book);
        QFile::remove(m_path);
    }
}

void Workbook::addSheet(const QString &name)
{
    if (!m_book)
        throw DataError(QStringLiteral("فايل اکسل بسته شده است"));
    lxw_worksheet *added = workbook_add_worksheet(m_book, name.toUtf8().constData());
    if (!added)
        throw DataError(QStringLiteral("برگه %1 به فايل اکسل افزوده نشد").arg(name));
    m_sheet = added;
}

Workbook::Format Workbook::addFormat(bool bold, Border border)
{
    if (!m_book)
        throw DataError(QStringLiteral("فايل اکسل بسته شده است"));
    lxw_format *f = workbook_add_format(m_book);
    if (!f)
        throw DataError(QStringLiteral("قالب بندي فايل اکسل ساخته نشد"));
    if (bold)
        format_set_bold(f);
    if (border != NoBorder)
        format_set_border(f, uint8_t(border));
    m_formats.append(f);
    return Format(m_formats.size());
}

void Workbook::setColumnWidth(int first, int last, double width)
{
    check(worksheet_set_column(sheet(), lxw_col_t(first), lxw_col_t(last), width, nullptr), "column width");
}

void Workbook::writeText(int row, int column, const QString &text, Format handle)
{
    const QByteArray utf8 = cutToLength(text, maxTextLength).toUtf8();
    check(worksheet_write_string(sheet(), lxw_row_t(row), lxw_col_t(column), utf8.constData(), format(handle)),
          "write cell");
}

void Workbook::writeBlank(int row, int column, Format handle)
{
    check(worksheet_write_blank(sheet(), lxw_row_t(row), lxw_col_t(column), format(handle)), "write cell");
}

void Workbook::close()
{
    if (!m_book)
        return;
    lxw_workbook *book = m_book;
    m_book = nullptr;
    m_sheet = nullptr;
    m_formats.clear();
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        throw DataError(failure("write file", error) + QStringLiteral(" (%1)").arg(leftToRightPath(m_path)));
}

lxw_worksheet *Workbook::sheet() const
{
    if (!m_sheet)
        throw DataError(QStringLiteral("فايل اکسل برگه اي براي نوشتن ندارد"));
    return m_sheet;
}

lxw_format *Workbook::format(Format handle) const
{
    if (handle <= 0)
        return nullptr;
    if (handle > m_formats.size())
        throw DataError(QStringLiteral("قالب بندي ناشناخته در فايل اکسل"));
    return m_formats[handle - 1];
}

void Workbook::check(int error, const char *what) const
{
    if (error != LXW_NO_ERROR)
        throw DataError(failure(what, error));
}
