#include <krogui/core/component.h>

namespace kro {

TComponentBase::TComponentBase(QObject *Self) : FSelf(Self) {}

TComponentBase::~TComponentBase() = default;

QString TComponentBase::Name() const { return FSelf ? FSelf->objectName() : QString(); }

void TComponentBase::SetName(const QString &Value)
{
    if (FSelf)
        FSelf->setObjectName(Value);
}

QObject *TComponentBase::Owner() const { return FSelf ? FSelf->parent() : nullptr; }

void TComponentBase::SetDesigning(bool Value)
{
    if (Value == IsDesigning())
        return;
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~TComponentState(csDesigning);
    DesigningChanged();
}

void TComponentBase::BeginLoading()
{
    ++FLoadingDepth;
    FComponentState |= csLoading;
}

void TComponentBase::EndLoading()
{
    if (FLoadingDepth == 0)
        return;
    if (--FLoadingDepth == 0) {
        FComponentState &= ~TComponentState(csLoading);
        Loaded();
    }
}

void TComponentBase::Assign(const TComponentBase *Source)
{
    if (Source == this)
        return;
    if (Source && Source->AssignTo(this))
        return;
    const QString from = Source && Source->Self() ? QString::fromUtf8(Source->Self()->metaObject()->className())
                                                  : QStringLiteral("nil");
    const QString to = FSelf ? QString::fromUtf8(FSelf->metaObject()->className()) : QStringLiteral("?");
    throw EKROError(QStringLiteral("Cannot assign a %1 to a %2").arg(from, to));
}

bool TComponentBase::AssignTo(TComponentBase *) const { return false; }

QString TComponentBase::ComponentMessage(const QString &Reason) const
{
    return kro::ComponentMessage(Name(), Reason);
}

TComponent::TComponent(QObject *AOwner) : QObject(AOwner), TComponentBase(this) {}

TComponent::~TComponent() = default;

} // namespace kro
