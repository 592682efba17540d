// The report data component's ways out (clipboard text, HTML table) and in (lines of a file).

#include <krogui/replist/rldata.h>
#include <krogui/replist/rldata_p.h>

#include <krogui/core/strutil.h>
#include <krogui/data/stringarray.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <algorithm>

namespace kro {

namespace {

// Cells a range spans, counting one extra row and column so that a range of empty rows or
// columns still costs something (each row adds a line feed).
bool ExportRangeTooLarge(int LeftCol, int TopRow, int RightCol, int BottomRow)
{
    const qint64 cols = std::max<qint64>(0, qint64(RightCol) - LeftCol + 1);
    const qint64 rows = std::max<qint64>(0, qint64(BottomRow) - TopRow + 1);
    return (cols + 1) * (rows + 1) > RLMaxExportCells;
}

// Text as HTML character data or attribute value: markup characters escaped, line feeds as <br>
// (in content), characters HTML cannot carry as U+FFFD.
QString HtmlEscaped(const QString &Text, bool InContent)
{
    QString out;
    out.reserve(Text.size() + 16);
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = Text[i].unicode();
        switch (c) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        case u'\r':
            break; // a CR LF pair gives one break
        case u'\n':
            out += InContent ? QLatin1String("<br>") : QLatin1String(" ");
            break;
        case u'\t':
            out += QLatin1Char(InContent ? '\t' : ' ');
            break;
        default:
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(Text[i + 1].unicode())) {
                out += Text[i];
                out += Text[++i];
            } else if (c < 0x20 || (c >= 0x7F && c < 0xA0) || QChar::isSurrogate(c) || c == 0xFFFE ||
                       c == 0xFFFF) {
                out += QChar(0xFFFD);
            } else {
                out += QChar(c);
            }
        }
    }
    return out;
}

} // namespace

// ---- clipboard -------------------------------------------------------------------------------

QString TRLData::RangeAsText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                             const QString &Separator) const
{
    return SeparatedText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator, nullptr);
}

QString TRLData::RangeAsFixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow,
                                       bool AddHeader) const
{
    return FixedWidthText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, nullptr);
}

QString TRLData::SeparatedText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                               const QString &Separator, TProgress *Progress) const
{
    if (ExportRangeTooLarge(LeftCol, TopRow, RightCol, BottomRow)) return QString();
    // 64-bit counters: a range may end at INT_MAX.
    QString out;
    if (AddHeader) {
        for (qint64 c = LeftCol; c <= RightCol; ++c) {
            if (c > LeftCol) out += Separator;
            out += GetColName(int(c));
        }
        out += QLatin1String("\n\n");
    }
    for (qint64 r = TopRow; r <= BottomRow; ++r) {
        for (qint64 c = LeftCol; c <= RightCol; ++c) {
            if (c > LeftCol) out += Separator;
            out += GetElem(int(c), int(r));
        }
        out += QLatin1Char('\n');
        if (Progress) Progress->Step(r - TopRow + 1);
    }
    return out;
}

QString TRLData::FixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                                TProgress *Progress) const
{
    if (ExportRangeTooLarge(LeftCol, TopRow, RightCol, BottomRow)) return QString();
    std::vector<int> width;
    for (qint64 c = LeftCol; c <= RightCol; ++c) {
        int w = AddHeader ? int(GetColName(int(c)).size()) : 0;
        for (int r = std::max(TopRow, 1); r <= std::min(BottomRow, d->FNrOfRows); ++r)
            if (ValidCell(int(c), r))
                w = std::max(w, d->FStrings->GetLength(int(c), r)); // the stored form, check flag included
        width.push_back(w);
    }
    QString out;
    if (AddHeader) {
        for (qint64 c = LeftCol; c <= RightCol; ++c)
            out += LeftString(GetColName(int(c)), width[size_t(c - LeftCol)] + 1);
        out += QLatin1String("\n\n");
    }
    for (qint64 r = TopRow; r <= BottomRow; ++r) {
        for (qint64 c = LeftCol; c <= RightCol; ++c)
            out += LeftString(GetElem(int(c), int(r)), width[size_t(c - LeftCol)] + 1);
        out += QLatin1Char('\n');
        if (Progress) Progress->Step(r - TopRow + 1);
    }
    return out;
}

bool TRLData::CopyRange(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool FixedWidth,
                        const QString &Separator)
{
    if (ExportRangeTooLarge(LeftCol, TopRow, RightCol, BottomRow))
        return Fail(QStringLiteral("The range %1,%2..%3,%4 is too large to copy")
                        .arg(LeftCol)
                        .arg(TopRow)
                        .arg(RightCol)
                        .arg(BottomRow));
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return Fail(QStringLiteral("There is no clipboard without a GUI application"));
    TProgress progress(this, std::max<qint64>(0, qint64(BottomRow) - TopRow + 1));
    const QString text =
        FixedWidth ? FixedWidthText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, &progress)
                   : SeparatedText(LeftCol, TopRow, RightCol, BottomRow, AddHeader, Separator, &progress);
    QGuiApplication::clipboard()->setText(text);
    progress.Finish();
    d->FLastError.clear();
    return true;
}

bool TRLData::CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                              const QString &Separator)
{
    return CopyRange(LeftCol, TopRow, RightCol, BottomRow, AddHeader, false, Separator);
}

// ---- HTML ------------------------------------------------------------------------------------

bool TRLData::ExportHTMLTable(const QString &FName, int LeftCol, int TopRow, int RightCol, int BottomRow,
                              const std::vector<int> &Columns, int Border, int CellPadding, int CellSpacing,
                              int TableWidth, bool WithHeader, const QString &Title,
                              const QString &TableClass, const QString &HeaderClass)
{
    const int left = std::max(LeftCol, 0), right = std::min(RightCol, d->FNrOfCols);
    const int top = std::max(TopRow, 1), bottom = std::min(BottomRow, d->FNrOfRows);
    std::vector<int> cols;
    if (Columns.empty()) {
        for (int c = left; c <= right; ++c)
            cols.push_back(c);
    } else {
        for (int c : Columns)
            if (c >= left && c <= right) cols.push_back(c);
    }
    Border = std::clamp(Border, 0, 100);
    CellPadding = std::clamp(CellPadding, 0, 100);
    CellSpacing = std::clamp(CellSpacing, 0, 100);

    QSaveFile f(FName);
    if (!f.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("Cannot create file \"%1\": %2").arg(FName, f.errorString()));
    QString html;
    auto flush = [&](bool Always) {
        if (Always || html.size() > (1 << 20)) {
            f.write(html.toUtf8());
            html.clear();
        }
    };

    QString title = Title;
    if (title.trimmed().isEmpty()) title = d->FCommonHeader.section(QLatin1Char('\n'), 0, 0);
    if (title.trimmed().isEmpty()) title = QStringLiteral("Report list");
    html += QLatin1String("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
    html += HtmlEscaped(title, false);
    html += QLatin1String("</title>\n<style>\n");
    html +=
        QStringLiteral("table.kro-rltable { border-collapse: separate; border-spacing: %1px;%2 }\n")
            .arg(CellSpacing)
            .arg(TableWidth > 0 ? QStringLiteral(" width: %1%;").arg(std::min(TableWidth, 100)) : QString());
    html += QStringLiteral("table.kro-rltable th, table.kro-rltable td { border: %1; padding: %2px; }\n")
                .arg(Border > 0 ? QStringLiteral("%1px solid").arg(Border) : QStringLiteral("none"))
                .arg(CellPadding);
    html += QLatin1String("</style>\n</head>\n<body>\n<table class=\"kro-rltable");
    if (!TableClass.trimmed().isEmpty()) html += QLatin1Char(' ') + HtmlEscaped(TableClass.trimmed(), false);
    html += QLatin1String("\">\n");
    if (!Title.trimmed().isEmpty())
        html += QLatin1String("<caption>") + HtmlEscaped(Title, true) + QLatin1String("</caption>\n");
    if (WithHeader) {
        const QString cls =
            HeaderClass.trimmed().isEmpty()
                ? QString()
                : QLatin1String(" class=\"") + HtmlEscaped(HeaderClass.trimmed(), false) + QLatin1Char('"');
        html += QLatin1String("<thead>\n<tr>");
        for (int c : cols)
            html += QLatin1String("<th") + cls + QLatin1String(" scope=\"col\">") +
                    HtmlEscaped(GetColName(c), true) + QLatin1String("</th>");
        html += QLatin1String("</tr>\n</thead>\n");
    }
    html += QLatin1String("<tbody>\n");
    TProgress progress(this,
                       qint64(std::max(0, bottom - top + 1)) * qint64(std::max<size_t>(cols.size(), 1)));
    for (int r = top; r <= bottom; ++r) {
        html += QLatin1String("<tr>");
        for (int c : cols) {
            QString text = GetElem(c, r);
            if (d->FOnBefHTMLExport) d->FOnBefHTMLExport(this, text, c, r);
            Q_EMIT onBeforeHTMLExport(this, text, c, r);
            html += QLatin1String("<td>") + HtmlEscaped(text, true) + QLatin1String("</td>");
        }
        html += QLatin1String("</tr>\n");
        flush(false);
        progress.Step(qint64(r - top + 1) * qint64(std::max<size_t>(cols.size(), 1)));
    }
    html += QLatin1String("</tbody>\n</table>\n</body>\n</html>\n");
    flush(true);
    if (!f.commit()) return Fail(QStringLiteral("Cannot write file \"%1\": %2").arg(FName, f.errorString()));
    progress.Finish();
    d->FLastError.clear();
    return true;
}

// ---- lines of a text file ----------------------------------------------------------------------

bool TRLData::LoadLinesFromFile(int Column, int FirstRow, const QString &FName)
{
    if (Column < 0 || Column > d->FNrOfCols)
        return Fail(QStringLiteral("Column %1 is outside 0..%2").arg(Column).arg(d->FNrOfCols));
    if (FirstRow < 1) return Fail(QStringLiteral("First row %1 is below 1").arg(FirstRow));
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("Cannot open file \"%1\": %2").arg(FName, f.errorString()));

    // All lines are read before anything changes, so a failure leaves the list as it was. Only
    // the first bytes of a line are kept (4 bytes per character always hold a cell's worth); the
    // rest of a long line is skipped in large steps.
    constexpr int kMaxLineBytes = 4 * RLMaxCellLength + 4;
    const int maxChars = IsCheckCol(Column) ? RLMaxCellLength - 1 : RLMaxCellLength;
    QStringList lines;
    const qint64 size = std::max<qint64>(1, f.size());
    TProgress progress(this, 2 * size);
    std::vector<char> head(kMaxLineBytes + 2), skip(1 << 16);
    while (!f.atEnd()) {
        const qint64 n = f.readLine(head.data(), qint64(head.size()));
        if (n < 0) break;
        bool ended = n > 0 && head[size_t(n - 1)] == '\n';
        while (!ended && !f.atEnd()) {
            const qint64 m = f.readLine(skip.data(), qint64(skip.size()));
            if (m <= 0) break;
            ended = skip[size_t(m - 1)] == '\n';
        }
        qint64 len = n;
        if (len > 0 && head[size_t(len - 1)] == '\n') --len;
        if (len > 0 && head[size_t(len - 1)] == '\r') --len;
        lines.append(RLCutText(QString::fromUtf8(head.data(), len), maxChars));
        if (qint64(FirstRow) + lines.size() - 1 > INT_MAX)
            return Fail(QStringLiteral("\"%1\" has more lines than a list can hold").arg(FName));
        if ((lines.size() & 1023) == 0) progress.Step(f.pos());
    }
    if (f.error() != QFileDevice::NoError)
        return Fail(QStringLiteral("Cannot read file \"%1\": %2").arg(FName, f.errorString()));
    if (lines.isEmpty()) {
        progress.Finish();
        d->FLastError.clear();
        return true;
    }

    const int last = int(qint64(FirstRow) + lines.size() - 1);
    if (last > d->FNrOfRows) {
        try {
            SetNrRows(last);
        } catch (const std::exception &e) {
            return Fail(QString::fromUtf8(e.what()));
        }
    }
    try {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            SetElem(Column, FirstRow + int(i), lines[i]);
            if ((i & 1023) == 0) progress.Step(size + size * i / lines.size());
        }
    } catch (const std::exception &e) {
        return Fail(QString::fromUtf8(e.what()));
    }
    progress.Finish();
    d->FLastError.clear();
    return true;
}

} // namespace kro
