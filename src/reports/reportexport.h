#pragma once

#include "reports/reporttable.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

class QPagedPaintDevice;

// A report written out: as the site tool's tab-separated text, as CSV for a
// spreadsheet, as an XLSX workbook, or laid out for a PDF file and a printer.
// A file that cannot be written throws ExportError with the reason.
namespace Reports {

class ExportError : public std::runtime_error
{
public:
    explicit ExportError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

enum class Format { Text, Csv, Xlsx, Pdf };
// "text", "csv", "xlsx", "pdf"; false for any other word.
bool formatFromName(const QString& name, Format* format);

// Each part's column names (when it has any) and rows, tab-separated, a blank
// line between parts; tabs and line breaks inside a text become blanks.
QString toText(const Report& report);

// UTF-8 with a byte-order mark, so that a spreadsheet reads the Thai; each
// part after its title line, a blank line between parts.
QByteArray toCsv(const Report& report);

// Reports progress as rows written of all; answering false stops the export.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// One worksheet per part, its column names bold in the first row. Whole
// numbers without a leading zero are written as numbers, everything else as text.
void writeXlsx(const Report& report, const QString& fileName, const Progress& progress = {});

// The report as HTML tables for a text document.
QString toHtml(const Report& report);
// A PDF of A4 landscape pages with the Thai font embedded.
void writePdf(const Report& report, const QString& fileName);
// Lays the report out on any paged device (a printer, a PDF writer).
void printTo(const Report& report, QPagedPaintDevice& device);

// Writes text or bytes to a file, or throws ExportError.
void writeFile(const QString& fileName, const QByteArray& bytes);
void writeAs(const Report& report, Format format, const QString& fileName, const Progress& progress = {});

} // namespace Reports
