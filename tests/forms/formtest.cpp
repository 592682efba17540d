#include "formtest.h"

#include <krogui/browse/foldertree.h>
#include <krogui/browse/thumbnails.h>
#include <krogui/buttons/colsel.h>
#include <krogui/buttons/marksel.h>
#include <krogui/buttons/onoffbut.h>
#include <krogui/buttons/repsbut.h>
#include <krogui/buttons/speedbutton.h>
#include <krogui/displays/gradfill.h>
#include <krogui/displays/numlab.h>
#include <krogui/displays/rasterlab.h>
#include <krogui/displays/rotlab.h>
#include <krogui/displays/sevenseg.h>
#include <krogui/gauges/meter.h>
#include <krogui/gauges/progbar.h>
#include <krogui/grid/customgrid.h>
#include <krogui/minical/minical.h>
#include <krogui/ntabed/ntabed.h>
#include <krogui/numio/numio.h>
#include <krogui/numio/numio2.h>
#include <krogui/replist/reportlistview.h>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDomDocument>
#include <QHash>

#include <QtDesigner/QFormBuilder>
#include <algorithm>

namespace kro::test {

namespace {

QHash<const QWidget *, int> &Calls()
{
    static QHash<const QWidget *, int> Map;
    return Map;
}

template <class T> class TLoadProbe : public T
{
public:
    using T::T;
    ~TLoadProbe() override { Calls().remove(this); }

protected:
    void Loaded() override
    {
        ++Calls()[this];
        T::Loaded();
    }
};

template <class T> QWidget *Probe(QWidget *Parent)
{
    return new TLoadProbe<T>(Parent);
}

const QHash<QString, QWidget *(*)(QWidget *)> &ProbeFactories()
{
    static const QHash<QString, QWidget *(*)(QWidget *)> Map = {
        {"kro::TNumIO", &Probe<TNumIO>},
        {"kro::TNumIO2", &Probe<TNumIO2>},
        {"kro::TNumLab", &Probe<TNumLab>},
        {"kro::TSevenSeg", &Probe<TSevenSeg>},
        {"kro::TRasterLab", &Probe<TRasterLab>},
        {"kro::TRotLab", &Probe<TRotLab>},
        {"kro::TGradFill", &Probe<TGradFill>},
        {"kro::TMeter", &Probe<TMeter>},
        {"kro::TProgBar", &Probe<TProgBar>},
        {"kro::TReportListView", &Probe<TReportListView>},
        {"kro::TDrawGrid", &Probe<TDrawGrid>},
        {"kro::TNTabEd", &Probe<TNTabEd>},
        {"kro::TMiniCal", &Probe<TMiniCal>},
        {"kro::TOnOffBut", &Probe<TOnOffBut>},
        {"kro::TSpeedButton", &Probe<TSpeedButton>},
        {"kro::TRepSpeedButton", &Probe<TRepSpeedButton>},
        {"kro::TMarkSel", &Probe<TMarkSel>},
        {"kro::TColSel", &Probe<TColSel>},
        {"kro::TThumbnails", &Probe<TThumbnails>},
        {"kro::TFolderTree", &Probe<TFolderTree>},
    };
    return Map;
}

/// QFormBuilder as Designer saves: Qt 6.4's QFormBuilder writes an enumeration only when it
/// reads as an int (Designer's own writer takes every enumeration), and it would store the
/// widgets a control makes for itself (editors, scroll bars) as children of the form.
class TDesignerLikeBuilder : public QFormBuilder
{
protected:
    DomProperty *createProperty(QObject *Object, const QString &Name, const QVariant &Value) override
    {
        const QMetaObject *M = Object->metaObject();
        const int i = M->indexOfProperty(Name.toLatin1().constData());
        if (i >= 0 && (M->property(i).isEnumType() || M->property(i).isFlagType())) {
            QVariant AsInt = Value;
            if (AsInt.convert(QMetaType::fromType<int>()))
                return QFormBuilder::createProperty(Object, Name, AsInt);
        }
        return QFormBuilder::createProperty(Object, Name, Value);
    }
    DomWidget *createDom(QWidget *Widget, DomWidget *Parent, bool Recursive) override
    {
        return QFormBuilder::createDom(Widget, Parent, Recursive && !ComponentOf(Widget));
    }
};

} // namespace

namespace {

/// The position of property Name in the meta object of W (after every known one when unknown).
int PropertyRank(const QWidget *W, const QString &Name)
{
    const int i = W ? W->metaObject()->indexOfProperty(Name.toLatin1().constData()) : -1;
    return i < 0 ? 1 << 20 : i;
}

/// Puts the properties of every widget element in the order of its class's meta object, as
/// Designer writes them (QFormBuilder's order comes from a hash and changes from run to run).
void SortProperties(QDomElement Widget, const QWidget *Form)
{
    const QString Name = Widget.attribute(QStringLiteral("name"));
    const QWidget *W = Form->objectName() == Name ? Form : Form->findChild<QWidget *>(Name);
    std::vector<QDomElement> Props;
    for (QDomElement P = Widget.firstChildElement(QStringLiteral("property")); !P.isNull();
         P = P.nextSiblingElement(QStringLiteral("property")))
        Props.push_back(P);
    std::stable_sort(Props.begin(), Props.end(), [W](const QDomElement &A, const QDomElement &B) {
        return PropertyRank(W, A.attribute(QStringLiteral("name"))) <
               PropertyRank(W, B.attribute(QStringLiteral("name")));
    });
    // Taken out first: the node to insert before must not be one of those moved.
    for (QDomElement &P : Props)
        Widget.removeChild(P);
    for (auto P = Props.rbegin(); P != Props.rend(); ++P)
        Widget.insertBefore(*P, Widget.firstChild());
    for (QDomElement C = Widget.firstChildElement(QStringLiteral("widget")); !C.isNull();
         C = C.nextSiblingElement(QStringLiteral("widget")))
        SortProperties(C, Form);
}

} // namespace

QByteArray SaveForm(QWidget *Form)
{
    QByteArray Xml;
    QBuffer Out(&Xml);
    Out.open(QIODevice::WriteOnly);
    TDesignerLikeBuilder().save(&Out, Form);
    QDomDocument Doc;
    if (!Doc.setContent(Xml)) return Xml;
    SortProperties(Doc.documentElement().firstChildElement(QStringLiteral("widget")), Form);
    return Doc.toByteArray(1);
}

int LoadedCalls(const QWidget *W)
{
    return Calls().value(W, 0);
}

QWidget *CreateProbe(const TFormControlClass &Class, QWidget *Parent)
{
    const auto Make = ProbeFactories().value(QString::fromLatin1(Class.ClassName));
    EXPECT_NE(Make, nullptr) << Class.ClassName << " has no probe";
    return Make ? Make(Parent) : Class.Create(Parent);
}

QWidget *TProbeLoader::CreateControl(const TFormControlClass &Class, QWidget *Parent)
{
    return CreateProbe(Class, Parent);
}

std::vector<QMetaProperty> OwnProperties(const QObject *O)
{
    // The first class up the chain that is not ours is the Qt base; its properties are Qt's.
    const QMetaObject *Base = O->metaObject();
    while (Base && QByteArray(Base->className()).startsWith("kro::"))
        Base = Base->superClass();
    const QMetaObject *M = O->metaObject();
    std::vector<QMetaProperty> Props;
    for (int i = Base ? Base->propertyCount() : 0; i < M->propertyCount(); ++i)
        Props.push_back(M->property(i));
    return Props;
}

QWidget *LoadProbed(const QByteArray &Xml, QString *Error)
{
    QByteArray Copy = Xml;
    QBuffer Buffer(&Copy);
    TProbeLoader Loader;
    QWidget *Top = Loader.load(&Buffer);
    if (Error) *Error = Loader.ErrorText();
    return Top;
}

} // namespace kro::test
