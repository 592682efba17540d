#pragma once
// The component protocol every krogui class shares: name, owner, state, loading and Assign.

#include <krogui/core/error.h>
#include <krogui/core/types.h>

#include <QObject>

namespace kro {

/// Mixed into every krogui control beside its Qt base class. The component's Name is the
/// objectName of the Qt object, its owner the Qt parent.
class KROGUI_EXPORT TComponentBase
{
public:
    virtual ~TComponentBase();
    TComponentBase(const TComponentBase &) = delete;
    TComponentBase &operator=(const TComponentBase &) = delete;

    /// The Qt object this component is.
    QObject *Self() const { return FSelf; }
    QString Name() const;
    void SetName(const QString &Value);
    /// The owner: the Qt parent object (nullptr when there is none).
    QObject *Owner() const;

    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState & csLoading; }
    bool IsDesigning() const { return FComponentState & csDesigning; }
    /// Marks the component as placed in a form designer (design-mode behaviour).
    void SetDesigning(bool Value);

    /// Starts loading stored properties: csLoading is set until EndLoading. Nested calls count.
    void BeginLoading();
    /// Ends loading; the outermost call clears csLoading and calls Loaded once.
    void EndLoading();

    /// Copies the state of Source into this component. The default asks Source->AssignTo(this)
    /// and raises EKROError when neither side knows the other.
    virtual void Assign(const TComponentBase *Source);

    /// Builds `Component "Name": Reason`.
    QString ComponentMessage(const QString &Reason) const;

protected:
    explicit TComponentBase(QObject *Self);
    /// Called once when all stored properties have been set.
    virtual void Loaded() {}
    /// Called after SetDesigning changed the csDesigning flag (design-time defaults).
    virtual void DesigningChanged() {}
    /// Copies this component into Dest; returns false when Dest is of a kind it cannot fill.
    virtual bool AssignTo(TComponentBase *Dest) const;

private:
    QObject *FSelf;
    TComponentState FComponentState = 0;
    int FLoadingDepth = 0;
};

/// A non-visual component (a data component, for example).
class KROGUI_EXPORT TComponent : public QObject, public TComponentBase
{
    Q_OBJECT
public:
    explicit TComponent(QObject *AOwner = nullptr);
    ~TComponent() override;
};

} // namespace kro
