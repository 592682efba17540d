#pragma once
// Checks of a control's Qt face shared by the grid families' tests: every stored property takes a
// value through the meta-object and gives it back, and the control in a layout stays inside its
// rectangle at its minimum and at three times its size.

#include <gtest/gtest.h>

#include <QColor>
#include <QDate>
#include <QFont>
#include <QImage>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <set>

namespace kro::test {

/// A value of property P unlike Current, chosen from its type; an invalid QVariant when the type
/// has no obvious other value.
inline QVariant OtherValue(const QMetaProperty &P, const QVariant &Current)
{
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        const int cur = Current.toInt();
        if (P.isFlagType()) return e.keyCount() > 1 ? QVariant(cur ^ e.value(1)) : QVariant();
        for (int i = 0; i < e.keyCount(); ++i)
            if (e.value(i) != cur) return e.value(i);
        return {};
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool:
        return !Current.toBool();
    case QMetaType::Int:
        return Current.toInt() + 1;
    case QMetaType::UInt:
        return Current.toUInt() + 1;
    case QMetaType::QString:
        return Current.toString() + QStringLiteral("-krogui");
    case QMetaType::QColor: {
        const QColor c(0x12, 0x34, 0x56);
        return Current.value<QColor>() == c ? QColor(0x65, 0x43, 0x21) : c;
    }
    case QMetaType::QFont: {
        QFont f = Current.value<QFont>();
        f.setPointSize(std::max(1, f.pointSize()) + 3);
        f.setBold(!f.bold());
        return f;
    }
    case QMetaType::QDate:
        return Current.toDate().addDays(40);
    default:
        return {};
    }
}

/// Whether Read is what a property of P's type that was given Written must give back.
inline bool SameValue(const QMetaProperty &P, const QVariant &Written, const QVariant &Read)
{
    if (P.isEnumType()) return Written.toInt() == Read.toInt();
    switch (P.metaType().id()) {
    case QMetaType::QColor:
        return Written.value<QColor>().rgba() == Read.value<QColor>().rgba();
    case QMetaType::QFont: {
        const QFont w = Written.value<QFont>(), r = Read.value<QFont>();
        return w.pointSize() == r.pointSize() && w.bold() == r.bold() && w.italic() == r.italic();
    }
    default:
        return Written == Read;
    }
}

/// Writes every writable, stored property that the krogui classes of O declare (Qt's own are
/// left alone) with a value unlike its current one, through setProperty, and expects property()
/// to give the same back. Values names the value to use where the type's guess is not a valid
/// value of the property (a clamped number); Skip names properties not to try. Returns the
/// number of properties checked.
inline int ExpectPropertiesRoundTrip(QObject *O, const std::map<QString, QVariant> &Values = {},
                                     const std::set<QString> &Skip = {})
{
    int checked = 0;
    for (const QMetaObject *m = O->metaObject(); m; m = m->superClass()) {
        if (!QByteArray(m->className()).startsWith("kro::")) continue;
        for (int i = m->propertyOffset(); i < m->propertyCount(); ++i) {
            const QMetaProperty p = m->property(i);
            const QString name = QString::fromLatin1(p.name());
            // A property redeclared by a descendant is checked under the descendant's declaration.
            if (O->metaObject()->indexOfProperty(p.name()) != i) continue;
            if (!p.isWritable() || !p.isStored() || Skip.count(name)) continue;
            const QVariant before = O->property(p.name());
            const auto given = Values.find(name);
            const QVariant want = given != Values.end() ? given->second : OtherValue(p, before);
            if (!want.isValid()) {
                ADD_FAILURE() << name.toStdString() << ": no value to try for type " << p.typeName();
                continue;
            }
            EXPECT_FALSE(SameValue(p, want, before))
                << name.toStdString() << ": the value tried is the current one";
            EXPECT_TRUE(O->setProperty(p.name(), want)) << name.toStdString();
            const QVariant after = O->property(p.name());
            EXPECT_TRUE(SameValue(p, want, after))
                << name.toStdString() << ": wrote " << want.toString().toStdString() << ", read "
                << after.toString().toStdString();
            ++checked;
        }
    }
    return checked;
}

/// Pixels of Img outside Inside that differ from the window background Bg.
inline int PixelsOutside(const QImage &Img, const QRect &Inside, QRgb Bg)
{
    int n = 0;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            if (!Inside.contains(x, y) && (Img.pixel(x, y) & 0xFFFFFF) != (Bg & 0xFFFFFF)) ++n;
    return n;
}

/// Puts Control into a QVBoxLayout of a window, shrinks the window to its minimum and stretches it
/// to three times its size hint. Each time the window's picture may differ from its background
/// only inside the control, and Check (given the control's own picture) says whether what the
/// size promises shows.
inline void ExpectBehavesInLayout(QWidget *Control,
                                  const std::function<void(QWidget *, const QImage &)> &Check)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(0xFE, 0x01, 0xFE)); // a colour no control draws
    window.setPalette(pal);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(7, 7, 7, 7);
    layout->addWidget(Control);
    window.show();
    const QSize minimum = window.minimumSizeHint(), stretched = window.sizeHint() * 3;
    EXPECT_GE(Control->minimumSizeHint().width(), 16);
    EXPECT_GE(Control->minimumSizeHint().height(), 16);
    for (const QSize &size : {minimum, stretched}) {
        SCOPED_TRACE(testing::Message() << "window " << size.width() << " x " << size.height());
        window.resize(size);
        layout->activate();
        const QImage img = window.grab().toImage();
        EXPECT_EQ(PixelsOutside(img, Control->geometry(), pal.color(QPalette::Window).rgb()), 0);
        EXPECT_GE(Control->width(), Control->minimumSizeHint().width());
        EXPECT_GE(Control->height(), Control->minimumSizeHint().height());
        Check(Control, Control->grab().toImage());
    }
    layout->removeWidget(Control);
    Control->setParent(nullptr);
}

} // namespace kro::test
