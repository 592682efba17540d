// A form holding every control, each with other values than its defaults in every stored
// property, saved as Qt Designer saves it and loaded back through kro::LoadForm.

#include "formtest.h"

#include <krogui/core/component.h>
#include <krogui/graphics/propertyfaces.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QFont>
#include <QImage>
#include <QMetaEnum>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cmath>
#include <iostream>
#include <memory>

using namespace kro;
using namespace kro::test;

namespace {

bool SameValue(const QVariant &A, const QVariant &B)
{
    if (A.metaType() != B.metaType()) return false;
    switch (A.metaType().id()) {
    case QMetaType::Double: {
        const double X = A.toDouble(), Y = B.toDouble();
        return X == Y || std::fabs(X - Y) <= 1e-9 * std::max(std::fabs(X), std::fabs(Y));
    }
    case QMetaType::QColor:
        return A.value<QColor>().rgba() == B.value<QColor>().rgba() &&
               A.value<QColor>().isValid() == B.value<QColor>().isValid();
    case QMetaType::QFont: {
        const QFont F = A.value<QFont>(), G = B.value<QFont>();
        return F.family() == G.family() && F.pointSize() == G.pointSize() && F.bold() == G.bold() &&
               F.italic() == G.italic() && F.underline() == G.underline() && F.strikeOut() == G.strikeOut();
    }
    case QMetaType::QPixmap:
        return A.value<QPixmap>().toImage() == B.value<QPixmap>().toImage();
    default:
        return A == B;
    }
}

QString Show(const QVariant &V)
{
    if (V.metaType().id() == QMetaType::QColor)
        return QStringLiteral("QColor(%1, alpha %2)")
            .arg(V.value<QColor>().name())
            .arg(V.value<QColor>().alpha());
    if (V.metaType().id() == QMetaType::QFont) return V.value<QFont>().toString();
    const QString S = V.toString();
    return S.isEmpty() && !V.isNull() ? QStringLiteral("<%1>").arg(V.typeName()) : S;
}

/// Values to try for P, different from Current; the first one the control keeps is used. Salt
/// varies the choice between properties (RGB against system colours, for instance).
std::vector<QVariant> Candidates(const QMetaProperty &P, const QVariant &Current, int Salt,
                                 const QString &ImageFile)
{
    std::vector<QVariant> C;
    if (P.isFlagType()) {
        const QMetaEnum E = P.enumerator();
        const int Cur = Current.toInt();
        for (int k = 0; k < E.keyCount(); ++k) {
            const int Bit = E.value(k);
            if (Bit != 0 && (Bit & (Bit - 1)) == 0) C.emplace_back(Cur ^ Bit);
        }
        return C;
    }
    if (P.isEnumType()) {
        const QMetaEnum E = P.enumerator();
        for (int k = E.keyCount() - 1; k >= 0; --k) {
            if (E.value(k) != Current.toInt()) C.emplace_back(E.value(k));
        }
        return C;
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        C.emplace_back(!Current.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong: {
        const qlonglong V = Current.toLongLong();
        for (qlonglong D : {1, 2, 3, -1, 5, 10})
            C.emplace_back(V + D);
        for (qlonglong A : {1, 2, 5, 100})
            C.emplace_back(A);
        for (QVariant &X : C)
            X.convert(P.metaType());
        break;
    }
    case QMetaType::Double: {
        const double V = Current.toDouble();
        for (double X : {V + 0.5, V + 1.5, V - 0.5, V * 2 + 1, 0.25, 3.0})
            C.emplace_back(X);
        break;
    }
    case QMetaType::QString:
        for (const QString &S :
             {ImageFile, QStringLiteral("42"), QStringLiteral("Form text %1").arg(Salt), QDir::tempPath()})
            C.emplace_back(S);
        break;
    case QMetaType::QColor: {
        const QColor Rgb(10 + Salt % 200, 120, 200);
        const QColor System = ToStoredColor(Salt % 2 ? clBtnShadow : clBtnHighlight);
        if (Salt % 2)
            C = {QVariant(System), QVariant(Rgb), QVariant(ToStoredColor(clBtnFace))};
        else
            C = {QVariant(Rgb), QVariant(System), QVariant(QColor(200, 30, 40))};
        break;
    }
    case QMetaType::QFont: {
        QFont F = Current.value<QFont>();
        F.setFamily(F.family() == QLatin1String("DejaVu Serif") ? QStringLiteral("DejaVu Sans Mono")
                                                                : QStringLiteral("DejaVu Serif"));
        F.setPointSize(std::max(F.pointSize(), 6) + 3);
        F.setBold(!F.bold());
        F.setItalic(!F.italic());
        C.emplace_back(F);
        break;
    }
    case QMetaType::QSize:
        C.emplace_back(Current.toSize() + QSize(3, 2));
        break;
    case QMetaType::QDate:
        C.emplace_back(Current.toDate().isValid() ? Current.toDate().addDays(40) : QDate(2024, 2, 29));
        break;
    case QMetaType::QStringList:
        C.emplace_back(QStringList{QStringLiteral("one"), QStringLiteral("two")});
        break;
    default:
        break;
    }
    return C;
}

/// The properties a form stores for O: stored, writable, and of a type a form can hold.
bool FormStored(const QMetaProperty &P)
{
    return P.isStored() && P.isWritable();
}

/// Why a form cannot hold P, or an empty text.
QString UnstorableReason(const QMetaProperty &P)
{
    const QByteArray Type = P.typeName();
    if (P.metaType().flags() & (QMetaType::IsPointer | QMetaType::PointerToQObject))
        return QStringLiteral("pointer type %1").arg(QString::fromLatin1(Type));
    if (P.isEnumType() || P.isFlagType()) return {};
    if (P.metaType().id() == QMetaType::UInt)
        return QStringLiteral("a bare number (uint): a colour wants its QColor face, an option set a Q_FLAG");
    switch (P.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QColor:
    case QMetaType::QFont:
    case QMetaType::QSize:
    case QMetaType::QPoint:
    case QMetaType::QRect:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime:
    case QMetaType::QChar:
    case QMetaType::QUrl:
    case QMetaType::QPixmap: // Designer stores a pixmap by its file or resource name
    case QMetaType::QIcon:
        return {};
    default:
        return QStringLiteral("type %1 is not one a .ui form holds").arg(QString::fromLatin1(Type));
    }
}

/// Xml with the properties of each of our controls in another order: reversed, or sorted by name.
QByteArray ReorderProperties(const QByteArray &Xml, bool Reverse)
{
    QDomDocument Doc;
    if (!Doc.setContent(Xml)) return {};
    const QDomNodeList Widgets = Doc.elementsByTagName(QStringLiteral("widget"));
    for (int i = 0; i < Widgets.size(); ++i) {
        QDomElement W = Widgets.at(i).toElement();
        if (!FindFormControlClass(W.attribute(QStringLiteral("class")))) continue;
        std::vector<QDomElement> Properties;
        for (QDomElement P = W.firstChildElement(QStringLiteral("property")); !P.isNull();
             P = P.nextSiblingElement(QStringLiteral("property")))
            Properties.push_back(P);
        if (Reverse)
            std::reverse(Properties.begin(), Properties.end());
        else
            std::sort(Properties.begin(), Properties.end(), [](const QDomElement &A, const QDomElement &B) {
                return A.attribute(QStringLiteral("name")) < B.attribute(QStringLiteral("name"));
            });
        for (QDomElement &P : Properties)
            W.removeChild(P);
        for (QDomElement &P : Properties)
            W.appendChild(P);
    }
    return Doc.toByteArray();
}

/// Loads Xml and compares every stored property of each control with its original; returns the
/// differences.
QStringList LoadAndCompare(const std::vector<QWidget *> &Originals, const QByteArray &Xml)
{
    QString Error;
    const std::unique_ptr<QWidget> Loaded(LoadProbed(Xml, &Error));
    if (!Loaded) return {QStringLiteral("the form did not load: %1").arg(Error)};
    QStringList Failures;
    if (!Error.isEmpty()) Failures << QStringLiteral("loaded with an error: %1").arg(Error);
    for (QWidget *Original : Originals) {
        const QString Name = Original->objectName();
        const QString Class = QString::fromLatin1(Original->metaObject()->className());
        auto *Copy = Loaded->findChild<QWidget *>(Name);
        if (!Copy || QString::fromLatin1(Copy->metaObject()->className()) != Class) {
            Failures << QStringLiteral("%1: not created by the loader").arg(Class);
            continue;
        }
        if (LoadedCalls(Copy) != 1)
            Failures << QStringLiteral("%1: Loaded ran %2 times").arg(Class).arg(LoadedCalls(Copy));
        if (ComponentOf(Copy)->IsLoading()) Failures << QStringLiteral("%1: still loading").arg(Class);
        for (const QMetaProperty &P : OwnProperties(Original)) {
            if (!FormStored(P) || !UnstorableReason(P).isEmpty()) continue;
            const QVariant Want = P.read(Original), Got = P.read(Copy);
            if (!SameValue(Want, Got))
                Failures << QStringLiteral("%1.%2: saved %3, loaded %4")
                                .arg(Class, QString::fromLatin1(P.name()), Show(Want), Show(Got));
        }
    }
    return Failures;
}

class FormRoundTrip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        ImageFile = Dir.filePath(QStringLiteral("picture.png"));
        QImage Img(24, 16, QImage::Format_RGB32);
        Img.fill(QColor(30, 160, 90));
        ASSERT_TRUE(Img.save(ImageFile));
    }

    /// Gives every stored property of W a value other than its current one; returns the names of
    /// those no candidate could change (the setter refused or clamped every one).
    QStringList ChangeEverything(QWidget *W, int &Salt)
    {
        QStringList Unchanged;
        for (const QMetaProperty &P : OwnProperties(W)) {
            if (!FormStored(P) || !UnstorableReason(P).isEmpty()) continue;
            const QVariant Before = P.read(W);
            bool Changed = false;
            for (const QVariant &Candidate : Candidates(P, Before, ++Salt, ImageFile)) {
                P.write(W, Candidate);
                if (!SameValue(P.read(W), Before)) {
                    Changed = true;
                    break;
                }
            }
            if (!Changed) Unchanged << QString::fromLatin1(P.name());
        }
        return Unchanged;
    }

    QTemporaryDir Dir;
    QString ImageFile;
};

TEST_F(FormRoundTrip, EveryControlKeepsEveryStoredPropertyAndLoadsOnce)
{
    QWidget Form;
    Form.setObjectName(QStringLiteral("Form"));
    Form.resize(1200, 900);
    std::vector<QWidget *> Originals;
    int Salt = 0;
    for (const TFormControlClass &Class : FormControlClasses()) {
        QWidget *W = Class.Create(&Form);
        W->setObjectName(QStringLiteral("c%1").arg(Originals.size()));
        const QStringList Unchanged = ChangeEverything(W, Salt);
        if (!Unchanged.isEmpty())
            std::cout << "[ info ] " << Class.ClassName
                      << " kept its value in: " << Unchanged.join(QStringLiteral(", ")).toStdString() << "\n";
        Originals.push_back(W);
    }

    const QByteArray Xml = SaveForm(&Form);
    ASSERT_FALSE(Xml.isEmpty());

    // The loader sets the properties in the order the control declares them, whatever order the
    // form lists them in (QFormBuilder writes them in hash order, which differs from run to run).
    QStringList Failures;
    for (const auto &[Order, Text] : {std::pair{"saved", Xml},
                                      {"reversed", ReorderProperties(Xml, true)},
                                      {"by-name", ReorderProperties(Xml, false)}}) {
        for (const QString &F : LoadAndCompare(Originals, Text))
            Failures << QStringLiteral("[%1] %2").arg(QLatin1String(Order), F);
    }
    EXPECT_TRUE(Failures.isEmpty()) << Failures.join(QLatin1Char('\n')).toStdString();
}

TEST_F(FormRoundTrip, GeneratedItemsAreNotDoubledByTheStoredForm)
{
    // A combo box and a tree widget store their items in a form; ours make their items
    // themselves, and a loaded form must not add the stored ones on top.
    QWidget Form;
    for (const TFormControlClass &Class : FormControlClasses())
        Class.Create(&Form)->setObjectName(QString::fromLatin1(Class.ClassName).mid(5));
    const std::unique_ptr<QWidget> Loaded(LoadProbed(SaveForm(&Form)));
    ASSERT_NE(Loaded, nullptr);
    for (auto *Combo : Form.findChildren<QComboBox *>(Qt::FindDirectChildrenOnly)) {
        auto *Copy = Loaded->findChild<QComboBox *>(Combo->objectName());
        ASSERT_NE(Copy, nullptr);
        EXPECT_EQ(Copy->count(), Combo->count()) << Combo->objectName().toStdString();
    }
    for (auto *Tree : Form.findChildren<QTreeWidget *>(Qt::FindDirectChildrenOnly)) {
        auto *Copy = Loaded->findChild<QTreeWidget *>(Tree->objectName());
        ASSERT_NE(Copy, nullptr);
        EXPECT_EQ(Copy->topLevelItemCount(), Tree->topLevelItemCount()) << Tree->objectName().toStdString();
    }
}

TEST(FormProperties, EveryPublishedPropertyIsOfAStorableKind)
{
    QStringList Problems;
    for (const TFormControlClass &Class : FormControlClasses()) {
        const std::unique_ptr<QWidget> W(Class.Create(nullptr));
        for (const QMetaProperty &P : OwnProperties(W.get())) {
            const QString Where = QStringLiteral("%1.%2").arg(QString::fromLatin1(Class.ClassName),
                                                              QString::fromLatin1(P.name()));
            if (P.isStored() && !P.isWritable()) {
                Problems << Where + QStringLiteral(": read-only but stored (mark it STORED false)");
                continue;
            }
            if (!P.isStored()) continue;
            const QString Reason = UnstorableReason(P);
            if (!Reason.isEmpty()) Problems << Where + QStringLiteral(": ") + Reason;
        }
    }
    // Settings that must be properties of their own: the font of every control that has one, the meter's
    // caption font, and the needle layouts flattened into settings of the meter.
    const std::pair<const char *, const char *> Wanted[] = {{"kro::TMeter", "FontCaption"},
                                                            {"kro::TMeter", "NeedleLayoutColorBody"},
                                                            {"kro::TMeter", "NeedleLayoutSecThickness"}};
    for (const TFormControlClass &Class : FormControlClasses()) {
        const std::unique_ptr<QWidget> W(Class.Create(nullptr));
        const QMetaObject *M = W->metaObject();
        // (A control without ParentFont draws with Qt's own font property.)
        const int Font = M->indexOfProperty("Font");
        if (M->indexOfProperty("ParentFont") >= 0 &&
            (Font < 0 || M->property(Font).metaType().id() != QMetaType::QFont))
            Problems
                << QStringLiteral("%1.Font: no QFont property").arg(QString::fromLatin1(Class.ClassName));
        for (const auto &[ClassName, Property] : Wanted) {
            if (qstrcmp(ClassName, Class.ClassName) == 0 && M->indexOfProperty(Property) < 0)
                Problems << QStringLiteral("%1.%2: missing")
                                .arg(QString::fromLatin1(ClassName), QString::fromLatin1(Property));
        }
    }
    EXPECT_TRUE(Problems.isEmpty()) << Problems.size() << " properties a form cannot keep:\n"
                                    << Problems.join(QLatin1Char('\n')).toStdString();
}

TEST(FormProperties, ValuesAreUserPropertiesWithChangeSignals)
{
    // What QDataWidgetMapper and property bindings look for: the value property is the USER
    // property, and it announces its changes.
    QStringList Problems;
    for (const TFormControlClass &Class : FormControlClasses()) {
        const std::unique_ptr<QWidget> W(Class.Create(nullptr));
        const QMetaObject *M = W->metaObject();
        const QMetaProperty User = M->userProperty();
        const QString Name = QString::fromLatin1(Class.ClassName);
        if (User.isValid() && QByteArray(User.enclosingMetaObject()->className()).startsWith("kro::")) {
            if (!User.hasNotifySignal())
                Problems
                    << QStringLiteral("%1.%2: USER property without a change signal").arg(Name, User.name());
            continue;
        }
        for (const char *Value : {"Value", "Text", "Checked", "Day"}) {
            if (M->indexOfProperty(Value) >= 0) {
                Problems << QStringLiteral("%1: no USER property (the value is in %2)")
                                .arg(Name, QString::fromLatin1(Value));
                break;
            }
        }
    }
    EXPECT_TRUE(Problems.isEmpty()) << Problems.join(QLatin1Char('\n')).toStdString();
}

} // namespace
