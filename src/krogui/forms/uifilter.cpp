#include "uifilter_p.h"

#include <krogui/forms/formcontrols.h>

#include <QMetaObject>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <climits>
#include <vector>

namespace kro {

namespace {

bool IsStoredItem(QStringView Name)
{
    return Name == QLatin1String("item") || Name == QLatin1String("column") || Name == QLatin1String("row");
}

/// One token of the form, kept to be written later.
struct TToken
{
    QXmlStreamReader::TokenType Type;
    QString Name;
    QXmlStreamAttributes Attributes;
    QString Text;
    bool CData = false;
};

TToken TakeToken(const QXmlStreamReader &R)
{
    TToken T{R.tokenType(), {}, {}, {}, false};
    switch (T.Type) {
    case QXmlStreamReader::StartElement:
        T.Name = R.name().toString();
        T.Attributes = R.attributes();
        break;
    case QXmlStreamReader::Characters:
        T.Text = R.text().toString();
        T.CData = R.isCDATA();
        break;
    case QXmlStreamReader::Comment:
        T.Text = R.text().toString();
        break;
    case QXmlStreamReader::EntityReference:
        T.Name = R.name().toString();
        break;
    default:
        break;
    }
    return T;
}

void WriteToken(QXmlStreamWriter &W, const TToken &T)
{
    switch (T.Type) {
    case QXmlStreamReader::StartElement:
        W.writeStartElement(T.Name);
        W.writeAttributes(T.Attributes);
        break;
    case QXmlStreamReader::EndElement:
        W.writeEndElement();
        break;
    case QXmlStreamReader::Characters:
        if (T.CData)
            W.writeCDATA(T.Text);
        else
            W.writeCharacters(T.Text);
        break;
    case QXmlStreamReader::Comment:
        W.writeComment(T.Text);
        break;
    case QXmlStreamReader::EntityReference:
        W.writeEntityReference(T.Name);
        break;
    default:
        break;
    }
}

/// A property element of one of our controls, held until the control's element ends.
struct THeldProperty
{
    int Order; // the property's index in the control's meta-object; INT_MAX when it has none
    std::vector<TToken> Tokens;
};

/// An open element of the form.
struct TOpenElement
{
    const QMetaObject *Control = nullptr; // set for a <widget> of one of our classes
    std::vector<THeldProperty> Held;
};

} // namespace

bool PrepareForm(const QByteArray &Xml, QByteArray &Out, QString &Error)
{
    QXmlStreamReader R(Xml);
    Out.clear();
    QXmlStreamWriter W(&Out);
    std::vector<TOpenElement> Open;
    int Skipped = 0;                        // depth inside a dropped element
    int Capturing = 0;                      // depth inside a held property element
    std::vector<TToken> *Capture = nullptr; // where the held property's tokens go
    while (!R.atEnd()) {
        R.readNext();
        if (R.hasError()) break;
        if (Skipped > 0) {
            if (R.isStartElement())
                ++Skipped;
            else if (R.isEndElement())
                --Skipped;
            continue;
        }
        if (Capturing > 0) {
            if (R.isStartElement())
                ++Capturing;
            else if (R.isEndElement())
                --Capturing;
            Capture->push_back(TakeToken(R));
            continue;
        }
        if (R.isStartElement()) {
            if (!Open.empty() && Open.back().Control) {
                if (IsStoredItem(R.name())) {
                    Skipped = 1;
                    continue;
                }
                if (R.name() == QLatin1String("property")) {
                    const QByteArray Name = R.attributes().value(QLatin1String("name")).toLatin1();
                    const int Index = Open.back().Control->indexOfProperty(Name.constData());
                    Open.back().Held.push_back({Index < 0 ? INT_MAX : Index, {TakeToken(R)}});
                    Capture = &Open.back().Held.back().Tokens;
                    Capturing = 1;
                    continue;
                }
            }
            TOpenElement E;
            if (R.name() == QLatin1String("widget")) {
                if (const TFormControlClass *C =
                        FindFormControlClass(R.attributes().value(QLatin1String("class")).toString()))
                    E.Control = C->MetaObject;
            }
            Open.push_back(std::move(E));
        } else if (R.isEndElement() && !Open.empty()) {
            std::vector<THeldProperty> &Held = Open.back().Held;
            std::stable_sort(Held.begin(), Held.end(), [](const THeldProperty &A, const THeldProperty &B) {
                return A.Order < B.Order;
            });
            for (const THeldProperty &P : Held) {
                for (const TToken &T : P.Tokens)
                    WriteToken(W, T);
            }
            Open.pop_back();
        }
        W.writeCurrentToken(R);
    }
    if (R.hasError()) {
        Error = QStringLiteral("line %1, column %2: %3")
                    .arg(R.lineNumber())
                    .arg(R.columnNumber())
                    .arg(R.errorString());
        Out.clear();
        return false;
    }
    return true;
}

} // namespace kro
