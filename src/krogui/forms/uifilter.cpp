#include "uifilter_p.h"

#include <krogui/forms/formcontrols.h>

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <vector>

namespace kro {

namespace {

bool IsStoredItem(QStringView Name)
{
    return Name == QLatin1String("item") || Name == QLatin1String("column") || Name == QLatin1String("row");
}

} // namespace

bool DropStoredItems(const QByteArray &Xml, QByteArray &Out, QString &Error)
{
    QXmlStreamReader R(Xml);
    Out.clear();
    QXmlStreamWriter W(&Out);
    std::vector<bool> OurWidget; // per open element: a <widget> of one of our classes
    int Skipped = 0;             // depth inside a dropped element
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
        if (R.isStartElement()) {
            if (!OurWidget.empty() && OurWidget.back() && IsStoredItem(R.name())) {
                Skipped = 1;
                continue;
            }
            OurWidget.push_back(
                R.name() == QLatin1String("widget") &&
                FindFormControlClass(R.attributes().value(QLatin1String("class")).toString()));
        } else if (R.isEndElement() && !OurWidget.empty()) {
            OurWidget.pop_back();
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
