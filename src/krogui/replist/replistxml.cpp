#include <krogui/replist/replistxml.h>

#include <krogui/core/strutil.h>
#include <krogui/replist/rldata.h>

#include <krogui/data/stringarray.h>

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>
#include <cstring>
#include <memory>

namespace kro {

namespace {

constexpr std::array<const char *, 10> kTagNames = {
    "numcols",      "numrows", "colname", "checkedcolumn", "commonheader",
    "columnformat", "cell",    "comment", "/replist",      "invalidtag"};

// Decodes the character references a writer may have put into an attribute value.
QString DecodeXmlReferences(QStringView Text)
{
    if (!Text.contains(QLatin1Char('&'))) return Text.toString();
    QString out;
    out.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        const QChar c = Text[i];
        if (c != QLatin1Char('&')) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype semi = Text.indexOf(QLatin1Char(';'), i + 1);
        if (semi < 0 || semi - i > 12) {
            out += c;
            ++i;
            continue;
        }
        const QStringView name = Text.mid(i + 1, semi - i - 1);
        char32_t code = 0;
        if (name == u"amp")
            code = '&';
        else if (name == u"lt")
            code = '<';
        else if (name == u"gt")
            code = '>';
        else if (name == u"quot")
            code = '"';
        else if (name == u"apos")
            code = '\'';
        else if (name.startsWith(u"#x") || name.startsWith(u"#X")) {
            bool ok = false;
            code = name.mid(2).toUInt(&ok, 16);
            if (!ok) code = 0;
        } else if (name.startsWith(u"#")) {
            bool ok = false;
            code = name.mid(1).toUInt(&ok, 10);
            if (!ok) code = 0;
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += c; // not a reference we know: keep the text as it stands
            ++i;
            continue;
        }
        out += QString::fromUcs4(&code, 1);
        i = semi + 1;
    }
    return out;
}

} // namespace

QString RepListXmlTagName(TRepListXmlTag Tag)
{
    const int ix = int(Tag);
    if (ix < 0 || ix >= int(kTagNames.size())) return QString::fromLatin1(kTagNames[xmlInvalid]);
    return QString::fromLatin1(kTagNames[ix]);
}

TRepListXmlTag RepListXmlTagOf(QStringView Name)
{
    for (int i = 0; i < int(xmlInvalid); ++i)
        if (Name == QLatin1String(kTagNames[i])) return TRepListXmlTag(i);
    return xmlInvalid;
}

QString RepListNormalizedId(const QString &DataID)
{
    return DataID.trimmed().toLower();
}

namespace {
// The signature test without the final lower-casing: Id keeps the letter case of the file.
bool SignatureLine(QStringView Line, QString &Id)
{
    Id.clear();
    if (!Line.contains(QLatin1String("<replist"), Qt::CaseInsensitive) ||
        !Line.contains(QLatin1String(RepListSignatureWord), Qt::CaseInsensitive))
        return false;
    const qsizetype p = Line.indexOf(QLatin1String("id=\""), 0, Qt::CaseInsensitive);
    if (p >= 0) {
        const qsizetype from = p + 4;
        qsizetype to = Line.indexOf(QLatin1Char('"'), from);
        if (to < 0) to = Line.size();
        Id = DecodeXmlReferences(Line.mid(from, to - from)).trimmed();
    }
    return true;
}
} // namespace

bool RepListSignatureLine(QStringView Line, QString &Id)
{
    const bool ok = SignatureLine(Line, Id);
    Id = Id.toLower();
    return ok;
}

namespace {
bool LineQualifies(QStringView Line, const QString &WantedId)
{
    QString id;
    if (!RepListSignatureLine(Line, id)) return false;
    return WantedId.isEmpty() || id == WantedId;
}
} // namespace

bool CheckIfValidReplist(const QString &FName, const QString &DataID)
{
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        throw EKRORLDataError(QStringLiteral("Cannot open file \"%1\": %2").arg(FName, f.errorString()));
    return CheckIfValidReplist(&f, DataID);
}

bool CheckIfValidReplist(QIODevice *InStream, const QString &DataID)
{
    if (!InStream || !InStream->isReadable()) return false;
    const QString wanted = RepListNormalizedId(DataID);
    while (!InStream->atEnd()) {
        bool eos = false;
        const QString line = ReadLnStream(InStream, eos);
        if (LineQualifies(line, wanted)) return true;
        if (eos) break;
    }
    return false;
}

// ---- writing --------------------------------------------------------------------------------

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Characters XML 1.0 can carry at all (surrogates are judged in pairs by the callers).
bool XmlChar(char16_t C)
{
    return C >= 0x20 ? C != 0xFFFE && C != 0xFFFF : C == u'\t' || C == u'\n' || C == u'\r';
}

// True when Text needs no care: no carriage return, nothing XML cannot carry.
bool PlainXmlText(const QString &Text)
{
    const qsizetype n = Text.size();
    const QChar *d = Text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c >= 0x20 && c < 0xD800) continue;
        if (c == u'\t' || c == u'\n') continue;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(d[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (c >= 0xE000 && c != 0xFFFE && c != 0xFFFF) continue;
        return false;
    }
    return true;
}

// Writes Text as character data. A carriage return goes out as a reference (a parser would turn
// a literal one into a line feed); characters XML cannot carry become U+FFFD.
void WriteText(QXmlStreamWriter &W, const QString &Text)
{
    if (PlainXmlText(Text)) {
        W.writeCharacters(Text);
        return;
    }
    QString chunk;
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = Text[i].unicode();
        if (c == u'\r') {
            if (!chunk.isEmpty()) W.writeCharacters(chunk);
            chunk.clear();
            W.writeEntityReference(QStringLiteral("#13"));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(Text[i + 1].unicode())) {
            chunk += Text[i];
            chunk += Text[++i];
        } else if (QChar::isSurrogate(c) || !XmlChar(c)) {
            chunk += QChar(kReplacement);
        } else {
            chunk += QChar(c);
        }
    }
    if (!chunk.isEmpty()) W.writeCharacters(chunk);
}

void WriteTextElement(QXmlStreamWriter &W, const QString &Name, const QString &Text)
{
    W.writeStartElement(Name);
    WriteText(W, Text);
    W.writeEndElement();
}

// The identifier as the signature line carries it: one trimmed line of characters XML allows.
QString SignatureId(const QString &DataID)
{
    QString id = DataID;
    for (qsizetype i = 0; i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < id.size() && QChar::isLowSurrogate(id[i + 1].unicode()))
            ++i;
        else if (c < 0x20)
            id[i] = QLatin1Char(' ');
        else if (QChar::isSurrogate(c) || !XmlChar(c))
            id[i] = QChar(kReplacement);
    }
    return id.trimmed();
}

const QString kTagReplist = QStringLiteral("replist");
const QString kAttrCol = QStringLiteral("col");
const QString kAttrRow = QStringLiteral("row");
const QString kAttrChecked = QStringLiteral("checked");

} // namespace

bool TRLData::WriteXml(QIODevice *Out, QString *OutText, bool CreateHeader, const QString &DataID,
                       const QString &Encoding)
{
    // The declaration goes out before the writer exists: the writer's automatic line break before
    // the root element then ends its line, and a list written without one starts on a fresh line.
    if (CreateHeader) {
        const QString decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(Encoding);
        if (!Out)
            *OutText += decl;
        else if (Out->write(decl.toUtf8()) < 0)
            return Fail(QStringLiteral("Writing the report list failed: %1").arg(Out->errorString()));
    }
    const auto writer =
        Out ? std::make_unique<QXmlStreamWriter>(Out) : std::make_unique<QXmlStreamWriter>(OutText);
    QXmlStreamWriter &W = *writer;
    W.setAutoFormatting(true);
    W.setAutoFormattingIndent(4);
    W.writeStartElement(kTagReplist);
    W.writeAttribute(QStringLiteral("lib"), QLatin1String(RepListSignatureWord));
    W.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    const QString id = SignatureId(DataID);
    if (!id.isEmpty()) W.writeAttribute(QStringLiteral("id"), id);

    const QString tColName = RepListXmlTagName(xmlColName), tChecked = RepListXmlTagName(xmlCheckedColumn),
                  tFormat = RepListXmlTagName(xmlColumnFormat), tCell = RepListXmlTagName(xmlCell);
    W.writeTextElement(RepListXmlTagName(xmlNumCols), QString::number(FNrOfCols));
    W.writeTextElement(RepListXmlTagName(xmlNumRows), QString::number(FNrOfRows));
    for (int c = 1; c <= FNrOfCols; ++c) {
        W.writeStartElement(tColName);
        W.writeAttribute(kAttrCol, QString::number(c));
        WriteText(W, GetColName(c));
        W.writeEndElement();
    }
    for (int c = 1; c <= FNrOfCols; ++c) {
        const TCheckMode m = GetColCheckMode(c);
        if (m == cmNone) continue;
        W.writeStartElement(tChecked);
        W.writeAttribute(kAttrCol, QString::number(c));
        W.writeCharacters(m == cmRadio ? QStringLiteral("radio") : QStringLiteral("box"));
        W.writeEndElement();
    }
    WriteTextElement(W, RepListXmlTagName(xmlCommonHd), FCommonHeader);
    for (int c = 1; c <= FNrOfCols; ++c) {
        const QString f = GetColumnFormat(c);
        if (f.isEmpty()) continue;
        W.writeStartElement(tFormat);
        W.writeAttribute(kAttrCol, QString::number(c));
        WriteText(W, f);
        W.writeEndElement();
    }

    std::vector<bool> check(size_t(FNrOfCols) + 1, false);
    for (int c = 1; c <= FNrOfCols; ++c)
        check[size_t(c)] = IsCheckCol(c);
    TProgress progress(this, qint64(FNrOfRows) * (FNrOfCols + 1));
    const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    for (int r = 1; r <= FNrOfRows; ++r) {
        const QString row = QString::number(r);
        for (int c = 0; c <= FNrOfCols; ++c) {
            const QString s = FStrings->GetString(c, r);
            if (s.isEmpty()) continue;
            W.writeStartElement(tCell);
            W.writeAttribute(kAttrCol, QString::number(c));
            W.writeAttribute(kAttrRow, row);
            if (check[size_t(c)]) {
                W.writeAttribute(kAttrChecked, s[0] != QLatin1Char(' ') ? one : zero);
                WriteText(W, s.mid(1));
            } else {
                WriteText(W, s);
            }
            W.writeEndElement();
        }
        progress.Step(qint64(r) * (FNrOfCols + 1));
        if (W.hasError()) break;
    }
    WriteTextElement(W, RepListXmlTagName(xmlComment), FComment);
    W.writeEndElement();
    W.writeCharacters(QStringLiteral("\n"));
    if (W.hasError())
        return Fail(QStringLiteral("Writing the report list failed (the output refused the data)"));
    progress.Finish();
    FLastError.clear();
    return true;
}

bool TRLData::WriteToXMLStream(QIODevice *OutStream, bool CreateHeader, const QString &DataID)
{
    if (!OutStream || !OutStream->isWritable())
        return Fail(QStringLiteral("The output stream is not open for writing"));
    return WriteXml(OutStream, nullptr, CreateHeader, DataID, QStringLiteral("UTF-8"));
}

bool TRLData::WriteToOpenXMLFile(QFile &OutFile, bool CreateHeader, const QString &DataID)
{
    return WriteToXMLStream(&OutFile, CreateHeader, DataID);
}

bool TRLData::WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID)
{
    QString text;
    const char *enc = QStringConverter::nameForEncoding(OutText.encoding());
    if (!WriteXml(nullptr, &text, CreateHeader, DataID, QString::fromLatin1(enc ? enc : "UTF-8")))
        return false;
    OutText << text;
    OutText.flush();
    if (OutText.status() != QTextStream::Ok) return Fail(QStringLiteral("Writing to the text stream failed"));
    return true;
}

bool TRLData::SaveAsXMLFile(const QString &FName, const QString &DataID)
{
    QSaveFile f(FName);
    if (!f.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("Cannot create file \"%1\": %2").arg(FName, f.errorString()));
    if (!WriteToXMLStream(&f, true, DataID)) {
        f.cancelWriting();
        return Fail(QStringLiteral("\"%1\": %2").arg(FName, FLastError));
    }
    if (!f.commit()) return Fail(QStringLiteral("Cannot write file \"%1\": %2").arg(FName, f.errorString()));
    return true;
}

// ---- reading --------------------------------------------------------------------------------

namespace {

// Byte offset in Utf8 after the first Units UTF-16 code units it decodes to.
qsizetype Utf8OffsetOfUnits(const char *Utf8, qsizetype Size, qint64 Units)
{
    qsizetype i = 0;
    qint64 u = 0;
    while (i < Size && u < Units) {
        const uchar b = uchar(Utf8[i]);
        const int len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        u += len == 4 ? 2 : 1;
        i += len;
    }
    return std::min(i, Size);
}

bool ParseCount(QStringView Text, qint64 &Value)
{
    bool ok = false;
    Value = Text.trimmed().toLongLong(&ok);
    return ok;
}

} // namespace

bool TRLData::ReadXmlFrom(const QByteArray &Data, const QString &DataID, qsizetype *EndPos)
{
    const QString wanted = RepListNormalizedId(DataID);
    const char *d = Data.constData();
    const qsizetype n = Data.size();

    // 1. The signature line of the wanted list.
    qsizetype sig = -1, sigLineStart = 0, pos = 0;
    QString foundId;
    while (pos < n) {
        const void *hit = std::memchr(d + pos, '<', size_t(n - pos));
        if (!hit) break;
        const qsizetype i = static_cast<const char *>(hit) - d;
        if (n - i < 8 || qstrnicmp(d + i + 1, "replist", 7) != 0) {
            pos = i + 1;
            continue;
        }
        qsizetype ls = i;
        while (ls > 0 && d[ls - 1] != '\n')
            --ls;
        const void *nl = std::memchr(d + i, '\n', size_t(n - i));
        const qsizetype le = nl ? static_cast<const char *>(nl) - d : n;
        QString id;
        if (SignatureLine(QString::fromUtf8(d + ls, le - ls), id) &&
            (wanted.isEmpty() || id.toLower() == wanted)) {
            sig = i;
            sigLineStart = ls;
            foundId = id;
            break;
        }
        pos = le;
    }
    if (sig < 0)
        return Fail(
            wanted.isEmpty()
                ? QStringLiteral("No report list found")
                : QStringLiteral("No report list with identifier \"%1\" found").arg(DataID.trimmed()));
    const qint64 baseLine = std::count(d, d + sig, '\n');
    const qint64 baseColumn = sig - sigLineStart;

    // 2. The list itself, built apart.
    const QByteArray slice = QByteArray::fromRawData(d + sig, n - sig);
    QXmlStreamReader xr(slice);
    TRLData tmp(nullptr);
    tmp.FStrings->SetAllocRowsBy(FStrings->AllocRowsBy());
    qint64 numCols = -1, numRows = -1;
    bool allocated = false;
    TProgress progress(this, slice.size());
    int sinceProgress = 0;

    auto allocate = [&]() -> bool {
        if (allocated) return true;
        if (numCols < 0 || numRows < 0) {
            xr.raiseError(QStringLiteral("<%1> before <numcols> and <numrows>").arg(xr.name()));
            return false;
        }
        try {
            tmp.SetNrCols(int(numCols));
            tmp.SetNrRows(int(numRows));
        } catch (const std::exception &) {
            xr.raiseError(
                QStringLiteral("not enough memory for %1 columns and %2 rows").arg(numCols).arg(numRows));
            return false;
        }
        allocated = true;
        return true;
    };
    auto index = [&](const QString &Attr, qint64 Low, qint64 High, int &Value) -> bool {
        const QStringView v = xr.attributes().value(Attr);
        qint64 x = 0;
        if (v.isNull() || !ParseCount(v, x) || x < Low || x > High) {
            xr.raiseError(v.isNull() ? QStringLiteral("<%1> without attribute %2").arg(xr.name(), Attr)
                                     : QStringLiteral("<%1> %2=\"%3\" is out of range %4..%5")
                                           .arg(xr.name(), Attr, v.toString())
                                           .arg(Low)
                                           .arg(High));
            return false;
        }
        Value = int(x);
        return true;
    };
    auto count = [&](qint64 &Target, qint64 Low, qint64 High) -> bool {
        const QString name = xr.name().toString();
        if (Target >= 0) {
            xr.raiseError(QStringLiteral("second <%1>").arg(name));
            return false;
        }
        const QString text = xr.readElementText();
        qint64 v = 0;
        if (xr.hasError()) return false;
        if (!ParseCount(text, v) || v < Low || v > High) {
            xr.raiseError(QStringLiteral("<%1> \"%2\" is not a count in %3..%4")
                              .arg(name, text.left(40))
                              .arg(Low)
                              .arg(High));
            return false;
        }
        Target = v;
        return true;
    };

    if (!xr.readNextStartElement()) {
        if (!xr.hasError()) xr.raiseError(QStringLiteral("no element"));
    } else if (xr.name() != kTagReplist) {
        xr.raiseError(QStringLiteral("root element <%1> is not <replist>").arg(xr.name()));
    } else {
        while (xr.readNextStartElement()) {
            if (++sinceProgress == 4096) {
                sinceProgress = 0;
                progress.Step(xr.characterOffset());
            }
            const TRepListXmlTag tag = RepListXmlTagOf(xr.name());
            switch (tag) {
            case xmlNumCols:
                if (count(numCols, 0, RLXmlMaxColumns) && numCols == 0) numCols = 1;
                break;
            case xmlNumRows:
                count(numRows, 0, RLXmlMaxCells);
                break;
            case xmlColName:
            case xmlColumnFormat:
            case xmlCheckedColumn: {
                int col = 0;
                if (!allocate() || !index(kAttrCol, 1, numCols, col)) break;
                const QString text = xr.readElementText();
                if (xr.hasError()) break;
                if (tag == xmlColName) {
                    tmp.SetColName(col, text);
                } else if (tag == xmlColumnFormat) {
                    tmp.SetColumnFormat(col, text);
                } else {
                    const QString m = text.trimmed().toLower();
                    if (m == u"none" || m == u"0" || m == u"false")
                        tmp.SetColCheckMode(col, cmNone);
                    else if (m == u"box" || m == u"1" || m == u"true")
                        tmp.SetColCheckMode(col, cmBox);
                    else if (m == u"radio" || m == u"2")
                        tmp.SetColCheckMode(col, cmRadio);
                    else
                        xr.raiseError(QStringLiteral("unknown check mode \"%1\"").arg(text.left(40)));
                }
                break;
            }
            case xmlCell: {
                int col = 0, row = 0;
                if (!allocate() || !index(kAttrCol, 0, numCols, col) || !index(kAttrRow, 1, numRows, row))
                    break;
                const QStringView chk = xr.attributes().value(kAttrChecked);
                bool checked = false;
                if (!chk.isNull()) {
                    if (chk == u"1" || chk == u"true")
                        checked = true;
                    else if (!(chk == u"0" || chk == u"false")) {
                        xr.raiseError(QStringLiteral("checked=\"%1\" is neither 1 nor 0").arg(chk.left(40)));
                        break;
                    }
                }
                QString text = xr.readElementText();
                if (xr.hasError()) break;
                if (tmp.IsCheckCol(col) && !(text.isEmpty() && chk.isNull()))
                    text.prepend(checked ? QLatin1Char('X') : QLatin1Char(' '));
                try {
                    tmp.FStrings->SetString(col, row, text);
                } catch (const std::exception &) {
                    xr.raiseError(QStringLiteral("not enough memory for the cells"));
                }
                break;
            }
            case xmlCommonHd:
                tmp.FCommonHeader = xr.readElementText();
                break;
            case xmlComment:
                tmp.FComment = xr.readElementText();
                break;
            case xmlEndReplist:
            case xmlInvalid:
                xr.skipCurrentElement(); // a later version's element: not ours to judge
                break;
            }
            if (numCols >= 0 && numRows >= 0 && !allocated && !xr.hasError()) {
                if ((numCols + 1) * std::max<qint64>(numRows, 1) > RLXmlMaxCells)
                    xr.raiseError(QStringLiteral("%1 columns and %2 rows exceed the limit of %3 cells")
                                      .arg(numCols)
                                      .arg(numRows)
                                      .arg(RLXmlMaxCells));
                else
                    allocate();
            }
            if (xr.hasError()) break;
        }
    }
    if (!xr.hasError() && (numCols < 0 || numRows < 0))
        xr.raiseError(QStringLiteral("the list has no <%1>")
                          .arg(numCols < 0 ? QStringLiteral("numcols") : QStringLiteral("numrows")));
    if (xr.hasError()) {
        const qint64 line = xr.lineNumber();
        const qint64 column = xr.columnNumber() + 1 + (line == 1 ? baseColumn : 0);
        return Fail(
            QStringLiteral("Line %1, column %2: %3").arg(baseLine + line).arg(column).arg(xr.errorString()));
    }

    if (EndPos) {
        qsizetype e = Utf8OffsetOfUnits(slice.constData(), slice.size(), xr.characterOffset());
        qsizetype k = e;
        while (k < slice.size() && (slice[k] == ' ' || slice[k] == '\t' || slice[k] == '\r'))
            ++k;
        if (k < slice.size() && slice[k] == '\n') e = k + 1;
        *EndPos = sig + e;
    }

    // 3. Success: the new list replaces the old one.
    TakeContent(tmp);
    FDataID = foundId;
    FSortColumn = -1;
    if (FSortColumnSec > FNrOfCols) FSortColumnSec = -1;
    FLastError.clear();
    NotifyStoreChanged();
    progress.Finish();
    return true;
}

bool TRLData::ReadFromXMLString(const QString &InString, const QString &DataID)
{
    return ReadXmlFrom(InString.toUtf8(), DataID, nullptr);
}

bool TRLData::ReadFromXMLStream(QIODevice *InStream, const QString &DataID)
{
    if (!InStream || !InStream->isReadable())
        return Fail(QStringLiteral("The input stream is not open for reading"));
    const qint64 start = InStream->pos();
    const QByteArray data = InStream->readAll();
    qsizetype end = 0;
    const bool ok = ReadXmlFrom(data, DataID, &end);
    if (!InStream->isSequential()) InStream->seek(ok ? start + end : start);
    return ok;
}

bool TRLData::ReadFromOpenXMLFile(QFile &InFile, const QString &DataID)
{
    return ReadFromXMLStream(&InFile, DataID);
}

bool TRLData::ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID)
{
    const QString wanted = RepListNormalizedId(DataID);
    QString line, id;
    bool found = false;
    while (InText.readLineInto(&line)) {
        if (RepListSignatureLine(line, id) && (wanted.isEmpty() || id == wanted)) {
            found = true;
            break;
        }
    }
    if (!found)
        return Fail(
            wanted.isEmpty()
                ? QStringLiteral("No report list found")
                : QStringLiteral("No report list with identifier \"%1\" found").arg(DataID.trimmed()));
    // The lines up to the end tag form the list; the stream stays right after them.
    QString text = line.mid(line.indexOf(QLatin1String("<replist"), 0, Qt::CaseInsensitive));
    text += QLatin1Char('\n');
    bool ended = line.contains(QLatin1String("</replist"));
    while (!ended && InText.readLineInto(&line)) {
        text += line;
        text += QLatin1Char('\n');
        ended = line.contains(QLatin1String("</replist"));
    }
    return ReadXmlFrom(text.toUtf8(), DataID, nullptr);
}

bool TRLData::LoadFromXMLFile(const QString &FName, const QString &DataID)
{
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("Cannot open file \"%1\": %2").arg(FName, f.errorString()));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return Fail(QStringLiteral("Cannot read file \"%1\": %2").arg(FName, f.errorString()));
    if (!ReadXmlFrom(data, DataID, nullptr)) return Fail(QStringLiteral("\"%1\": %2").arg(FName, FLastError));
    return true;
}

} // namespace kro
