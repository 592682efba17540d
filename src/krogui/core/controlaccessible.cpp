// The accessible interfaces of the controls.
//
// A control built directly on QWidget gets an interface of its own (a QAccessibleWidget with the
// control's role, name and, for numeric controls, the value interface). A control built on a Qt
// widget that Qt gives a richer interface (an edit field's text, a combo box's list, a button's
// press action, a tree's cells) gets a wrapper around Qt's interface that adds the same and
// passes everything else on.
//
// Qt caches interfaces per object: the one it made for the wrapper stays registered under its own
// id and is removed when the control is destroyed.
#include <krogui/core/controlaccessible_p.h>
#include <krogui/core/controlcore.h>

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <cmath>

namespace kro {

namespace {
// The control whose Qt interface is being made; the factory stands aside for it.
QObject *GQtInterfaceFor = nullptr;

// True when Qt's nearest own class of W is a plain QWidget (nothing to keep).
bool OnPlainWidget(const QWidget *W)
{
    const QMetaObject *mo = W->metaObject();
    while (mo && QLatin1StringView(mo->className()).startsWith(QLatin1StringView("kro::")))
        mo = mo->superClass();
    return !mo || mo == &QWidget::staticMetaObject;
}

QString NumberText(double Value)
{
    return QString::number(Value, 'g', 15);
}
} // namespace

/// The link from an interface to its control's core, which may die before the interface.
class TAccessibleCoreLink
{
public:
    explicit TAccessibleCoreLink(TControlCore *Core) : FCore(Core), FLife(Core->LifeToken()) {}
    TControlCore *Core() const { return FLife.expired() ? nullptr : FCore; }

private:
    TControlCore *FCore;
    std::weak_ptr<void> FLife;
};

namespace {

/// The value interface and the texts every control's interface shares.
class TNumericFace : public QAccessibleValueInterface
{
public:
    explicit TNumericFace(TControlCore *Core) : FLink(Core) {}

    bool Numeric(double &Value, double &Min, double &Max) const
    {
        const TControlCore *c = FLink.Core();
        return c && c->AccessibleNumeric(Value, Min, Max);
    }
    bool Numeric() const
    {
        double v, lo, hi;
        return Numeric(v, lo, hi);
    }
    QVariant currentValue() const override
    {
        double v, lo, hi;
        return Numeric(v, lo, hi) ? QVariant(v) : QVariant();
    }
    void setCurrentValue(const QVariant &Value) override
    {
        bool ok = false;
        const double v = Value.toDouble(&ok);
        if (TControlCore *c = FLink.Core(); c && ok && std::isfinite(v)) c->SetAccessibleNumericValue(v);
    }
    QVariant maximumValue() const override
    {
        double v, lo, hi;
        return Numeric(v, lo, hi) ? QVariant(hi) : QVariant();
    }
    QVariant minimumValue() const override
    {
        double v, lo, hi;
        return Numeric(v, lo, hi) ? QVariant(lo) : QVariant();
    }
    QVariant minimumStepSize() const override { return QVariant(); }

    /// Role: the control's own, or Fallback while the control leaves it at the default.
    QAccessible::Role RoleOr(QAccessible::Role Fallback) const
    {
        const TControlCore *c = FLink.Core();
        const QAccessible::Role r = c ? c->AccessibleRole() : QAccessible::Client;
        return r == QAccessible::Client ? Fallback : r;
    }
    /// Completes Qt's text: the object name when there is no accessible name, the value of a
    /// numeric control when Qt has none.
    QString TextOr(QAccessible::Text T, const QString &QtText, const QObject *Object) const
    {
        if (!QtText.isEmpty() || !Object) return QtText;
        if (T == QAccessible::Name) return Object->objectName();
        double v, lo, hi;
        if (T == QAccessible::Value && Numeric(v, lo, hi)) return NumberText(v);
        return QtText;
    }
    void *ValueCast() { return Numeric() ? static_cast<QAccessibleValueInterface *>(this) : nullptr; }

private:
    TAccessibleCoreLink FLink;
};

/// The interface of a control on a plain QWidget.
class TControlAccessible final : public QAccessibleWidget, public TNumericFace
{
public:
    TControlAccessible(QWidget *W, TControlCore *Core) : QAccessibleWidget(W), TNumericFace(Core) {}
    QAccessible::Role role() const override { return RoleOr(QAccessibleWidget::role()); }
    QString text(QAccessible::Text T) const override
    {
        return TextOr(T, QAccessibleWidget::text(T), object());
    }
    void *interface_cast(QAccessible::InterfaceType T) override
    {
        if (T == QAccessible::ValueInterface) return ValueCast();
        return QAccessibleWidget::interface_cast(T);
    }
};

/// Qt's interface of a control's Qt base, with the control's role, name and value added.
class TControlAccessibleWrap final : public QAccessibleInterface, public TNumericFace
{
public:
    TControlAccessibleWrap(QAccessibleInterface *Inner, TControlCore *Core)
        : TNumericFace(Core), FInner(Inner)
    {
    }

    bool isValid() const override { return FInner->isValid(); }
    QObject *object() const override { return FInner->object(); }
    QWindow *window() const override { return FInner->window(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation Match) const override
    {
        return FInner->relations(Match);
    }
    QAccessibleInterface *focusChild() const override { return FInner->focusChild(); }
    QAccessibleInterface *childAt(int X, int Y) const override { return FInner->childAt(X, Y); }
    QAccessibleInterface *parent() const override { return FInner->parent(); }
    QAccessibleInterface *child(int Index) const override { return FInner->child(Index); }
    int childCount() const override { return FInner->childCount(); }
    int indexOfChild(const QAccessibleInterface *Child) const override { return FInner->indexOfChild(Child); }
    QString text(QAccessible::Text T) const override { return TextOr(T, FInner->text(T), object()); }
    void setText(QAccessible::Text T, const QString &Text) override { FInner->setText(T, Text); }
    QRect rect() const override { return FInner->rect(); }
    QAccessible::Role role() const override { return RoleOr(FInner->role()); }
    QAccessible::State state() const override { return FInner->state(); }
    QColor foregroundColor() const override { return FInner->foregroundColor(); }
    QColor backgroundColor() const override { return FInner->backgroundColor(); }
    void virtual_hook(int Id, void *Data) override { FInner->virtual_hook(Id, Data); }
    void *interface_cast(QAccessible::InterfaceType T) override
    {
        if (T == QAccessible::ValueInterface)
            if (void *v = ValueCast()) return v;
        return FInner->interface_cast(T);
    }

private:
    QAccessibleInterface *FInner; // owned by Qt's cache
};

QAccessibleInterface *ControlAccessibleFactory(const QString &Key, QObject *Object)
{
    if (!Object || Object == GQtInterfaceFor || !Object->isWidgetType()) return nullptr;
    // Qt asks for every class from the most derived up; answer the first question only.
    if (Key != QLatin1StringView(Object->metaObject()->className())) return nullptr;
    auto *core = dynamic_cast<TControlCore *>(Object);
    if (!core) return nullptr;
    auto *w = static_cast<QWidget *>(Object);
    if (OnPlainWidget(w)) return new TControlAccessible(w, core);

    QObject *const outer = GQtInterfaceFor;
    GQtInterfaceFor = Object;
    QAccessibleInterface *inner = QAccessible::queryAccessibleInterface(Object);
    GQtInterfaceFor = outer;
    if (!inner) return new TControlAccessible(w, core);
    const QAccessible::Id innerId = QAccessible::uniqueId(inner);
    QObject::connect(Object, &QObject::destroyed, [innerId] {
        if (QAccessible::accessibleInterface(innerId)) QAccessible::deleteAccessibleInterface(innerId);
    });
    return new TControlAccessibleWrap(inner, core);
}
} // namespace

void InstallControlAccessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&ControlAccessibleFactory);
}

// ==== the core's side ==============================================================================

QAccessible::Role TControlCore::AccessibleRole() const
{
    return QAccessible::Client;
}

bool TControlCore::AccessibleNumeric(double &, double &, double &) const
{
    return false;
}

bool TControlCore::SetAccessibleNumericValue(double)
{
    return false;
}

void TControlCore::NotifyAccessibleValueChanged()
{
    // Qt decides whether anyone listens (an update handler or an active screen reader).
    QWidget *w = CoreWidget();
    double v, lo, hi;
    QVariant value;
    if (AccessibleNumeric(v, lo, hi))
        value = v;
    else if (!QAccessible::isActive())
        return;
    else if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w))
        value = iface->text(QAccessible::Value);
    QAccessibleValueChangeEvent event(w, value);
    QAccessible::updateAccessibility(&event);
}

} // namespace kro
