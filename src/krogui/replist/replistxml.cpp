#include <krogui/replist/replistxml.h>

#include <krogui/core/strutil.h>
#include <krogui/replist/rldata.h>
#include <krogui/replist/rldata_p.h>

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
// a literal one into a line feed). Characters XML 1.0 cannot carry at all (controls other than
// tab, line feed and carriage return, U+FFFE, U+FFFF, unpaired surrogates) go out as an empty
// element <char code="HEX"/> holding the UTF-16 unit, which the readers put back. Automatic
// formatting is switched off while such an element stands in the text, or the writer would indent
// the closing tag; EndText switches it on again.
void WriteText(QXmlStreamWriter &W, const QString &Text)
{
    if (PlainXmlText(Text)) {
        W.writeCharacters(Text);
        return;
    }
    QString chunk;
    auto flush = [&] {
        if (!chunk.isEmpty()) W.writeCharacters(chunk);
        chunk.clear();
    };
    const qsizetype n = Text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = Text[i].unicode();
        if (c == u'\r') {
            flush();
            W.writeEntityReference(QStringLiteral("#13"));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(Text[i + 1].unicode())) {
            chunk += Text[i];
            chunk += Text[++i];
        } else if (QChar::isSurrogate(c) || !XmlChar(c)) {
            flush();
            W.setAutoFormatting(false);
            W.writeEmptyElement(QStringLiteral("char"));
            W.writeAttribute(QStringLiteral("code"), QString::number(uint(c), 16).toUpper());
        } else {
            chunk += QChar(c);
        }
    }
    flush();
}

// Closes the element whose text WriteText wrote.
void EndText(QXmlStreamWriter &W)
{
    W.writeEndElement();
    W.setAutoFormatting(true);
}

void WriteTextElement(QXmlStreamWriter &W, const QString &Name, const QString &Text)
{
    W.writeStartElement(Name);
    WriteText(W, Text);
    EndText(W);
}

// The identifier as the signature line carries it: one trimmed line of characters XML allows.
QString SignatureId(const QString &DataID)
{
    QString id = DataID;
    for (qsizetype i = 0; i < id.size(); ++i) {
        const char16_t c = id[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < id.size() && QChar::isLowSurrogate(id[i + 1].unicode()))
            ++i;
        else if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
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
    W.writeTextElement(RepListXmlTagName(xmlNumCols), QString::number(d->FNrOfCols));
    W.writeTextElement(RepListXmlTagName(xmlNumRows), QString::number(d->FNrOfRows));
    for (int c = 1; c <= d->FNrOfCols; ++c) {
        W.writeStartElement(tColName);
        W.writeAttribute(kAttrCol, QString::number(c));
        WriteText(W, GetColName(c));
        EndText(W);
    }
    for (int c = 1; c <= d->FNrOfCols; ++c) {
        const TCheckMode m = GetColCheckMode(c);
        if (m == cmNone) continue;
        W.writeStartElement(tChecked);
        W.writeAttribute(kAttrCol, QString::number(c));
        W.writeCharacters(m == cmRadio ? QStringLiteral("radio") : QStringLiteral("box"));
        W.writeEndElement();
    }
    WriteTextElement(W, RepListXmlTagName(xmlCommonHd), d->FCommonHeader);
    for (int c = 1; c <= d->FNrOfCols; ++c) {
        const QString f = GetColumnFormat(c);
        if (f.isEmpty()) continue;
        W.writeStartElement(tFormat);
        W.writeAttribute(kAttrCol, QString::number(c));
        WriteText(W, f);
        EndText(W);
    }

    std::vector<bool> check(size_t(d->FNrOfCols) + 1, false);
    for (int c = 1; c <= d->FNrOfCols; ++c)
        check[size_t(c)] = IsCheckCol(c);
    TProgress progress(this, qint64(d->FNrOfRows) * (d->FNrOfCols + 1));
    const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    for (int r = 1; r <= d->FNrOfRows; ++r) {
        const QString row = QString::number(r);
        for (int c = 0; c <= d->FNrOfCols; ++c) {
            const QString s = d->FStrings->GetString(c, r);
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
            EndText(W);
        }
        progress.Step(qint64(r) * (d->FNrOfCols + 1));
        if (W.hasError()) break;
    }
    WriteTextElement(W, RepListXmlTagName(xmlComment), d->FComment);
    W.writeEndElement();
    W.writeCharacters(QStringLiteral("\n"));
    if (W.hasError())
        return Fail(QStringLiteral("Writing the report list failed (the output refused the data)"));
    progress.Finish();
    d->FLastError.clear();
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

namespace {

QString LatinOnly(const QString &Text)
{
    QString out;
    out.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        char32_t c = Text[i].unicode();
        if (c < 0x100) {
            out += Text[i];
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < Text.size() && Text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(Text[i].unicode(), Text[i + 1].unicode());
            ++i;
        }
        out += QStringLiteral("&#x%1;").arg(uint(c), 0, 16);
    }
    return out;
}

} // namespace

bool TRLData::WriteToOpenXMLFile(QTextStream &OutText, bool CreateHeader, const QString &DataID)
{
    QString text;
    const char *enc = QStringConverter::nameForEncoding(OutText.encoding());
    if (!WriteXml(nullptr, &text, CreateHeader, DataID, QString::fromLatin1(enc ? enc : "UTF-8")))
        return false;
    // Markup is ASCII: whatever the stream's encoding cannot hold stands in a text or an
    // attribute, where a character reference carries it.
    if (OutText.encoding() == QStringConverter::Latin1) text = LatinOnly(text);
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
        return Fail(QStringLiteral("\"%1\": %2").arg(FName, d->FLastError));
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

namespace {

// Where the signature line of a list starts.
struct TSignatureHit
{
    qsizetype Pos = -1;      // the '<' of the signature
    qsizetype LineStart = 0; // start of its line
    QString Id;              // the list's identifier
};

// The first signature line of the list Wanted (normalized; empty: any list) in Data.
TSignatureHit FindSignature(const QByteArray &Data, const QString &Wanted)
{
    const char *d = Data.constData();
    const qsizetype n = Data.size();
    qsizetype pos = 0;
    while (pos < n) {
        const void *hit = std::memchr(d + pos, '<', size_t(n - pos));
        if (!hit) break;
        const qsizetype i = static_cast<const char *>(hit) - d;
        if (n - i < 8 || qstrnicmp(d + i + 1, "replist", 7) != 0) {
            pos = i + 1;
            continue;
        }
        // A line ends at a line feed or a carriage return, as for CheckIfValidReplist.
        qsizetype ls = i;
        while (ls > 0 && d[ls - 1] != '\n' && d[ls - 1] != '\r')
            --ls;
        qsizetype le = i;
        while (le < n && d[le] != '\n' && d[le] != '\r')
            ++le;
        QString id;
        if (SignatureLine(QString::fromUtf8(d + ls, le - ls), id) &&
            (Wanted.isEmpty() || id.toLower() == Wanted))
            return {i, ls, id};
        pos = le;
    }
    return {};
}

} // namespace

// Reads one list's elements into a fresh data component; errors are raised on the stream reader.
class TRLData::TXmlReader
{
public:
    TXmlReader(const QByteArray &Slice, TRLData &Target, TProgress &Progress)
        : Xr(Slice), FTmp(Target), FProgress(Progress)
    {
    }
    // Reads the whole list; false when the reader holds an error.
    bool Read();
    QXmlStreamReader Xr;

private:
    bool Allocate();
    bool Index(const QString &Attr, qint64 Low, qint64 High, int &Value);
    bool Count(qint64 &Target, qint64 Low, qint64 High);
    void ReadElement(TRepListXmlTag Tag);
    void ReadColumnSetting(TRepListXmlTag Tag);
    void ReadCell();
    void AllocateWhenSized();
    // The element's text with the <char code="HEX"/> escapes put back.
    QString ReadText();

    TRLData &FTmp;
    TProgress &FProgress;
    qint64 FNumCols = -1, FNumRows = -1;
    bool FAllocated = false;
};

bool TRLData::TXmlReader::Allocate()
{
    if (FAllocated) return true;
    if (FNumCols < 0 || FNumRows < 0) {
        Xr.raiseError(QStringLiteral("<%1> before <numcols> and <numrows>").arg(Xr.name()));
        return false;
    }
    try {
        FTmp.SetNrCols(int(FNumCols));
        FTmp.SetNrRows(int(FNumRows));
    } catch (const std::exception &) {
        Xr.raiseError(
            QStringLiteral("not enough memory for %1 columns and %2 rows").arg(FNumCols).arg(FNumRows));
        return false;
    }
    FAllocated = true;
    return true;
}

bool TRLData::TXmlReader::Index(const QString &Attr, qint64 Low, qint64 High, int &Value)
{
    const QStringView v = Xr.attributes().value(Attr);
    qint64 x = 0;
    if (v.isNull() || !ParseCount(v, x) || x < Low || x > High) {
        Xr.raiseError(v.isNull() ? QStringLiteral("<%1> without attribute %2").arg(Xr.name(), Attr)
                                 : QStringLiteral("<%1> %2=\"%3\" is out of range %4..%5")
                                       .arg(Xr.name(), Attr, v.toString())
                                       .arg(Low)
                                       .arg(High));
        return false;
    }
    Value = int(x);
    return true;
}

bool TRLData::TXmlReader::Count(qint64 &Target, qint64 Low, qint64 High)
{
    const QString name = Xr.name().toString();
    if (Target >= 0) {
        Xr.raiseError(QStringLiteral("second <%1>").arg(name));
        return false;
    }
    const QString text = Xr.readElementText();
    qint64 v = 0;
    if (Xr.hasError()) return false;
    if (!ParseCount(text, v) || v < Low || v > High) {
        Xr.raiseError(QStringLiteral("<%1> \"%2\" is not a count in %3..%4")
                          .arg(name, text.left(40))
                          .arg(Low)
                          .arg(High));
        return false;
    }
    Target = v;
    return true;
}

void TRLData::TXmlReader::ReadColumnSetting(TRepListXmlTag Tag)
{
    int col = 0;
    if (!Allocate() || !Index(kAttrCol, 1, FNumCols, col)) return;
    const QString text = ReadText();
    if (Xr.hasError()) return;
    if (Tag == xmlColName) {
        FTmp.SetColName(col, text);
    } else if (Tag == xmlColumnFormat) {
        FTmp.SetColumnFormat(col, text);
    } else {
        const QString m = text.trimmed().toLower();
        if (m == u"none" || m == u"0" || m == u"false")
            FTmp.SetColCheckMode(col, cmNone);
        else if (m == u"box" || m == u"1" || m == u"true")
            FTmp.SetColCheckMode(col, cmBox);
        else if (m == u"radio" || m == u"2")
            FTmp.SetColCheckMode(col, cmRadio);
        else
            Xr.raiseError(QStringLiteral("unknown check mode \"%1\"").arg(text.left(40)));
    }
}

void TRLData::TXmlReader::ReadCell()
{
    int col = 0, row = 0;
    if (!Allocate() || !Index(kAttrCol, 0, FNumCols, col) || !Index(kAttrRow, 1, FNumRows, row)) return;
    const QStringView chk = Xr.attributes().value(kAttrChecked);
    bool checked = false;
    if (!chk.isNull()) {
        if (chk == u"1" || chk == u"true") {
            checked = true;
        } else if (!(chk == u"0" || chk == u"false")) {
            Xr.raiseError(QStringLiteral("checked=\"%1\" is neither 1 nor 0").arg(chk.left(40)));
            return;
        }
    }
    QString text = ReadText();
    if (Xr.hasError()) return;
    if (FTmp.IsCheckCol(col) && !(text.isEmpty() && chk.isNull()))
        text.prepend(checked ? QLatin1Char('X') : QLatin1Char(' '));
    try {
        FTmp.d->FStrings->SetString(col, row, text);
    } catch (const std::exception &) {
        Xr.raiseError(QStringLiteral("not enough memory for the cells"));
    }
}

void TRLData::TXmlReader::ReadElement(TRepListXmlTag Tag)
{
    switch (Tag) {
    case xmlNumCols:
        if (Count(FNumCols, 0, RLXmlMaxColumns) && FNumCols == 0) FNumCols = 1;
        break;
    case xmlNumRows:
        Count(FNumRows, 0, RLXmlMaxCells);
        break;
    case xmlColName:
    case xmlColumnFormat:
    case xmlCheckedColumn:
        ReadColumnSetting(Tag);
        break;
    case xmlCell:
        ReadCell();
        break;
    case xmlCommonHd:
        FTmp.d->FCommonHeader = ReadText();
        break;
    case xmlComment:
        FTmp.d->FComment = ReadText();
        break;
    case xmlEndReplist:
    case xmlInvalid:
        Xr.skipCurrentElement(); // a later version's element: not ours to judge
        break;
    }
}

QString TRLData::TXmlReader::ReadText()
{
    QString out;
    while (!Xr.atEnd()) {
        switch (Xr.readNext()) {
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            out += Xr.text();
            break;
        case QXmlStreamReader::StartElement: {
            bool ok = false;
            const uint code = Xr.name() == u"char" ? Xr.attributes().value(QLatin1String("code")).toUInt(&ok, 16) : 0;
            if (!ok || code > 0xFFFF) {
                Xr.raiseError(QStringLiteral("unexpected <%1> in a text").arg(Xr.name()));
                return {};
            }
            out += QChar(char16_t(code));
            Xr.skipCurrentElement();
            break;
        }
        case QXmlStreamReader::EndElement:
            return out;
        default: // comments and processing instructions are not text
            break;
        }
    }
    return out;
}

void TRLData::TXmlReader::AllocateWhenSized()
{
    // The cells are allocated as soon as both counts are known, within the limit of cells.
    if (FNumCols < 0 || FNumRows < 0 || FAllocated || Xr.hasError()) return;
    if ((FNumCols + 1) * std::max<qint64>(FNumRows, 1) > RLXmlMaxCells)
        Xr.raiseError(QStringLiteral("%1 columns and %2 rows exceed the limit of %3 cells")
                          .arg(FNumCols)
                          .arg(FNumRows)
                          .arg(RLXmlMaxCells));
    else
        Allocate();
}

bool TRLData::TXmlReader::Read()
{
    if (!Xr.readNextStartElement()) {
        if (!Xr.hasError()) Xr.raiseError(QStringLiteral("no element"));
    } else if (Xr.name() != kTagReplist) {
        Xr.raiseError(QStringLiteral("root element <%1> is not <replist>").arg(Xr.name()));
    } else {
        int sinceProgress = 0;
        while (Xr.readNextStartElement()) {
            if (++sinceProgress == 4096) {
                sinceProgress = 0;
                FProgress.Step(Xr.characterOffset());
            }
            ReadElement(RepListXmlTagOf(Xr.name()));
            AllocateWhenSized();
            if (Xr.hasError()) break;
        }
    }
    if (!Xr.hasError() && (FNumCols < 0 || FNumRows < 0))
        Xr.raiseError(QStringLiteral("the list has no <%1>")
                          .arg(FNumCols < 0 ? QStringLiteral("numcols") : QStringLiteral("numrows")));
    return !Xr.hasError();
}

namespace {

// The encoding the XML declaration at the start of Data names; empty without a declaration.
QByteArray DeclaredEncoding(const QByteArray &Data)
{
    qsizetype i = Data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < Data.size() && (Data[i] == ' ' || Data[i] == '\t' || Data[i] == '\r' || Data[i] == '\n'))
        ++i;
    if (Data.mid(i, 5) != "<?xml") return {};
    const qsizetype close = Data.indexOf("?>", i);
    if (close < 0) return {};
    const QByteArray decl = Data.mid(i, close - i);
    const qsizetype e = decl.indexOf("encoding");
    if (e < 0) return {};
    qsizetype q = e + 8;
    while (q < decl.size() && (decl[q] == ' ' || decl[q] == '=')) ++q;
    if (q >= decl.size() || (decl[q] != '"' && decl[q] != '\'')) return {};
    const qsizetype qe = decl.indexOf(decl[q], q + 1);
    return qe < 0 ? QByteArray() : decl.mid(q + 1, qe - q - 1).trimmed();
}

} // namespace

bool TRLData::ReadXmlBytes(const QByteArray &Data, const QString &DataID, qsizetype *EndPos)
{
    const QByteArray enc = DeclaredEncoding(Data);
    if (enc.isEmpty() || enc.compare("UTF-8", Qt::CaseInsensitive) == 0 || enc.compare("UTF8", Qt::CaseInsensitive) == 0)
        return ReadXmlFrom(Data, DataID, EndPos);
    // Another encoding: read the text it names, and count the end in its bytes.
    QStringDecoder dec(enc.constData());
    if (!dec.isValid()) return Fail(QStringLiteral("Unknown encoding \"%1\"").arg(QString::fromLatin1(enc)));
    const QString text = dec.decode(Data);
    if (dec.hasError()) return Fail(QStringLiteral("The text is not valid %1").arg(QString::fromLatin1(enc)));
    const QByteArray utf8 = text.toUtf8();
    qsizetype end = 0;
    if (!ReadXmlFrom(utf8, DataID, EndPos ? &end : nullptr)) return false;
    if (EndPos) {
        QStringEncoder back(enc.constData());
        const QByteArray head = back.encode(QStringView(text).left(QString::fromUtf8(utf8.constData(), end).size()));
        *EndPos = head.size();
    }
    return true;
}

bool TRLData::ReadXmlFrom(const QByteArray &Data, const QString &DataID, qsizetype *EndPos)
{
    // 1. The signature line of the wanted list.
    const QString wanted = RepListNormalizedId(DataID);
    const TSignatureHit sig = FindSignature(Data, wanted);
    if (sig.Pos < 0)
        return Fail(
            wanted.isEmpty()
                ? QStringLiteral("No report list found")
                : QStringLiteral("No report list with identifier \"%1\" found").arg(DataID.trimmed()));
    const char *raw = Data.constData();
    const qint64 baseLine = std::count(raw, raw + sig.Pos, '\n');
    const qint64 baseColumn = sig.Pos - sig.LineStart;

    // 2. The list itself, built apart.
    const QByteArray slice = QByteArray::fromRawData(raw + sig.Pos, Data.size() - sig.Pos);
    TRLData tmp(nullptr);
    tmp.d->FStrings->SetAllocRowsBy(d->FStrings->AllocRowsBy());
    TProgress progress(this, slice.size());
    TXmlReader reader(slice, tmp, progress);
    QXmlStreamReader &xr = reader.Xr;
    if (!reader.Read()) {
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
        *EndPos = sig.Pos + e;
    }

    // 3. Success: the new list replaces the old one.
    TakeContent(tmp);
    // The identifier as a file can carry it: the signature line is read leniently, and an
    // identifier holding a character XML cannot carry could not be written, nor found again.
    d->FDataID = SignatureId(sig.Id);
    d->FSortColumn = -1;
    if (d->FSortColumnSec > d->FNrOfCols) d->FSortColumnSec = -1;
    d->FLastError.clear();
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
    const bool ok = ReadXmlBytes(data, DataID, &end);
    if (!InStream->isSequential()) InStream->seek(ok ? start + end : start);
    return ok;
}

bool TRLData::ReadFromOpenXMLFile(QFile &InFile, const QString &DataID)
{
    return ReadFromXMLStream(&InFile, DataID);
}

bool TRLData::ReadFromOpenXMLFile(QTextStream &InText, const QString &DataID)
{
    // The same reader as for files and devices, on the rest of the stream; the stream then stands
    // right after the list (or where it stood, after a failure), where it can be positioned.
    const qint64 start = InText.pos();
    const QString text = InText.readAll();
    const QByteArray data = text.toUtf8();
    qsizetype end = 0;
    const bool ok = ReadXmlFrom(data, DataID, &end);
    const QIODevice *dev = InText.device();
    const bool positionable = InText.string() || (dev && !dev->isSequential());
    if (positionable && start >= 0 && InText.seek(start) && ok) {
        // Step over the list's characters with the stream's own decoding: re-encoding them would
        // miscount wherever the bytes were not valid in the stream's encoding.
        InText.read(QString::fromUtf8(data.constData(), end).size());
        if (dev) {
            const qint64 after = InText.pos(); // also puts the device right after the list
            if (after >= 0) InText.seek(after);
        }
    }
    return ok;
}

bool TRLData::LoadFromXMLFile(const QString &FName, const QString &DataID)
{
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("Cannot open file \"%1\": %2").arg(FName, f.errorString()));
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return Fail(QStringLiteral("Cannot read file \"%1\": %2").arg(FName, f.errorString()));
    if (!ReadXmlBytes(data, DataID, nullptr))
        return Fail(QStringLiteral("\"%1\": %2").arg(FName, d->FLastError));
    return true;
}

} // namespace kro
