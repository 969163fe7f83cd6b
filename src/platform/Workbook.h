#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A spreadsheet workbook (.xlsx) written front to back with libxlsxwriter in
// constant-memory mode: each row goes to disk as soon as the next one begins,
// so the memory used does not grow with the number of rows. Rows must
// therefore be written in ascending order, and a cell's format is given when
// the cell is written (a cell with a format but no value is written blank).
// Rows and columns count from 0. Every failure raises DataError.
class Workbook {
public:
    // Border styles, numbered as the spreadsheet format numbers them.
    enum Border { NoBorder = 0, Thin = 1, SlantDashDot = 13 };

    // A cell format handle; 0 is "no format".
    using Format = int;

    // The file is created when the workbook is closed.
    explicit Workbook(const QString &path);
    ~Workbook();   // an unclosed workbook is discarded without writing the file
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    // Adds a sheet; cells and widths go to the sheet added last.
    void addSheet(const QString &name);

    Format addFormat(bool bold, Border border = NoBorder);

    // Width (in characters) of the columns first..last of the current sheet.
    void setColumnWidth(int first, int last, double width);

    // A text cell. The empty text writes a blank cell (nothing without a
    // format); a text longer than a cell holds is cut to the cell's limit.
    void writeText(int row, int column, const QString &text, Format format = 0);
    void writeBlank(int row, int column, Format format);

    // Writes the file and frees the workbook.
    void close();

    static constexpr int maxRows = 1048576;
    static constexpr int maxColumns = 16384;
    static constexpr int maxTextLength = 32767;

private:
    lxw_worksheet *sheet() const;
    lxw_format *format(Format handle) const;
    void check(int error, const char *what) const;

    QString m_path;
    QByteArray m_tempDir;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    QVector<lxw_format *> m_formats;
};
