#include "reports/reportexport.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTextDocument>
#include <xlsxwriter.h>

namespace Reports {

namespace {

// A name can hold any character: control characters are written as escapes, so
// that none can break the columns, move the cursor or hide in the terminal.
QString flat(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\t')
            s += QLatin1String("\\t");
        else if (u == u'\n')
            s += QLatin1String("\\n");
        else if (u == u'\r')
            s += QLatin1String("\\r");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            s += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            s += c;
    }
    return s;
}

QString csvField(const QString& text)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[\",\\r\\n]|^\\s|\\s$"));
    if (!text.contains(needsQuotes))
        return text;
    QString s = text;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString csvLine(const QStringList& cells)
{
    QStringList out;
    out.reserve(cells.size());
    for (const QString& c : cells)
        out.append(csvField(c));
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

// Worksheet names: at most 31 characters, none of []:*?/\, unique in the book.
QString sheetName(const QString& title, int index, QSet<QString>& used)
{
    QString name = title;
    static const QRegularExpression forbidden(QStringLiteral("[\\[\\]:*?/\\\\']"));
    name.replace(forbidden, QStringLiteral(" "));
    name = name.trimmed().left(31).trimmed();
    if (name.isEmpty() || used.contains(name.toLower()))
        name = QStringLiteral("Sheet%1").arg(index + 1);
    used.insert(name.toLower());
    return name;
}

bool wholeNumber(const QString& s, double* value)
{
    if (s.isEmpty() || s.size() > 15 || (s.size() > 1 && s.startsWith(QLatin1Char('0'))))
        return false;
    for (int i = 0; i < s.size(); ++i) {
        if (!s.at(i).isDigit() || s.at(i).unicode() > 127)
            return false;
    }
    *value = s.toDouble();
    return true;
}

void check(lxw_error result, const QString& fileName)
{
    if (result != LXW_NO_ERROR)
        throw ExportError(QStringLiteral("Cannot write %1: %2").arg(fileName, QString::fromUtf8(lxw_strerror(result))));
}

} // namespace

bool formatFromName(const QString& name, Format* format)
{
    static const QList<QPair<QString, Format>> names = { { QStringLiteral("text"), Format::Text }, { QStringLiteral("csv"), Format::Csv },
        { QStringLiteral("xlsx"), Format::Xlsx }, { QStringLiteral("pdf"), Format::Pdf } };
    for (const auto& n : names) {
        if (n.first == name) {
            *format = n.second;
            return true;
        }
    }
    return false;
}

QString toText(const Report& report)
{
    QString out;
    for (int i = 0; i < report.size(); ++i) {
        const Table& t = report.at(i);
        if (i > 0)
            out += QLatin1Char('\n');
        if (!t.columns.isEmpty())
            out += t.columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
        for (const QStringList& row : t.rows) {
            QStringList cells;
            cells.reserve(row.size());
            for (const QString& c : row)
                cells.append(flat(c));
            out += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
    }
    return out;
}

QByteArray toCsv(const Report& report)
{
    QString out;
    for (int i = 0; i < report.size(); ++i) {
        const Table& t = report.at(i);
        if (i > 0)
            out += QStringLiteral("\r\n");
        if (report.size() > 1)
            out += csvLine({ t.title });
        if (!t.columns.isEmpty())
            out += csvLine(t.columns);
        for (const QStringList& row : t.rows)
            out += csvLine(row);
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

void writeXlsx(const Report& report, const QString& fileName, const Progress& progress)
{
    const QByteArray path = QFile::encodeName(fileName);
    // Rows go straight to the file in order, so a large report does not grow in memory.
    lxw_workbook_options options {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book)
        throw ExportError(QStringLiteral("Cannot write %1.").arg(fileName));
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    qint64 total = 0;
    for (const Table& t : report)
        total += t.rows.size();
    qint64 done = 0;
    QSet<QString> used;
    bool stopped = false;
    for (int i = 0; i < report.size() && !stopped; ++i) {
        const Table& t = report.at(i);
        const QByteArray name = sheetName(t.title, i, used).toUtf8();
        lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());
        lxw_row_t row = 0;
        if (!t.columns.isEmpty()) {
            for (int c = 0; c < t.columns.size(); ++c)
                worksheet_write_string(sheet, row, lxw_col_t(c), t.columns.at(c).toUtf8().constData(), bold);
            ++row;
        }
        for (const QStringList& cells : t.rows) {
            for (int c = 0; c < cells.size(); ++c) {
                double number = 0;
                if (wholeNumber(cells.at(c), &number))
                    worksheet_write_number(sheet, row, lxw_col_t(c), number, nullptr);
                else if (!cells.at(c).isEmpty())
                    worksheet_write_string(sheet, row, lxw_col_t(c), cells.at(c).toUtf8().constData(), nullptr);
            }
            ++row;
            ++done;
            if (progress && (done % 1000) == 0 && !progress(done, total)) {
                stopped = true;
                break;
            }
        }
    }
    check(workbook_close(book), fileName);
    if (stopped) {
        QFile::remove(fileName);
        throw ExportError(QStringLiteral("The export to %1 was stopped.").arg(fileName));
    }
}

QString toHtml(const Report& report)
{
    QString html = QStringLiteral("<html><body>");
    for (const Table& t : report) {
        html += QStringLiteral("<h3>") + t.title.toHtmlEscaped() + QStringLiteral("</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
        if (!t.columns.isEmpty()) {
            html += QStringLiteral("<tr>");
            for (const QString& c : t.columns)
                html += QStringLiteral("<th>") + c.toHtmlEscaped() + QStringLiteral("</th>");
            html += QStringLiteral("</tr>");
        }
        for (const QStringList& row : t.rows) {
            html += QStringLiteral("<tr>");
            for (const QString& c : row)
                html += QStringLiteral("<td>") + c.toHtmlEscaped() + QStringLiteral("</td>");
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
    }
    return html + QStringLiteral("</body></html>");
}

void printTo(const Report& report, QPagedPaintDevice& device)
{
    QTextDocument doc;
    // A Thai face of the system's own, so the Thai columns print in one
    // embedded font and not in whatever a fallback finds.
    QFont font(QStringLiteral("Loma"), 9);
    font.setStyleHint(QFont::SansSerif);
    doc.setDefaultFont(font);
    doc.setHtml(toHtml(report));
    doc.print(&device);
}

void writePdf(const Report& report, const QString& fileName)
{
    {
        QFile probe(fileName);
        if (!probe.open(QIODevice::WriteOnly))
            throw ExportError(QStringLiteral("Cannot write %1: %2").arg(fileName, probe.errorString()));
    }
    QPdfWriter writer(fileName);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    writer.setTitle(report.isEmpty() ? QString() : report.first().title);
    printTo(report, writer);
}

void writeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw ExportError(QStringLiteral("Cannot write %1: %2").arg(fileName, f.errorString()));
}

void writeAs(const Report& report, Format format, const QString& fileName, const Progress& progress)
{
    switch (format) {
    case Format::Text:
        writeFile(fileName, toText(report).toUtf8());
        return;
    case Format::Csv:
        writeFile(fileName, toCsv(report));
        return;
    case Format::Xlsx:
        writeXlsx(report, fileName, progress);
        return;
    case Format::Pdf:
        writePdf(report, fileName);
        return;
    }
}

} // namespace Reports
