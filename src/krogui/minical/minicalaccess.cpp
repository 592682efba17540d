// Accessibility of TMiniCal: the calendar is a table whose 42 children are the shown days. Each
// day reads as its full date in the calendar's language, with the holiday's name when it is one;
// the selected day is selected and focused.
#include "minical_p.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace kro {

namespace {

constexpr int kDays = 42; // six weeks of seven days

QRect CellScreenRect(TMiniCal *Cal, int Col, int Row)
{
    const TRect r = Cal->CellRect(Col, Row);
    if (r.IsEmpty()) return QRect();
    const QPoint tl = Cal->viewport()->mapToGlobal(QPoint(r.Left, r.Top));
    return QRect(tl, QSize(r.Width(), r.Height()));
}

class TMiniCalDayAccessible : public QAccessibleInterface
{
public:
    TMiniCalDayAccessible(TMiniCal *Cal, int Index) : FCal(Cal), FIndex(Index) {}

    bool isValid() const override { return !FCal.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return FCal ? FCal->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return FCal ? QAccessible::queryAccessibleInterface(FCal.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text T) const override
    {
        if (!FCal || (T != QAccessible::Name && T != QAccessible::Description)) return QString();
        return T == QAccessible::Name ? FCal->DayCellText(Col(), Row()) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return FCal ? CellScreenRect(FCal.data(), Col(), Row()) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!FCal) return s;
        s.selectable = true;
        s.focusable = true;
        const QDate at = FCal->DateAtCell(Col(), Row());
        if (at == FCal->Date()) {
            s.selected = true;
            s.focused = FCal->hasFocus();
        }
        return s;
    }

private:
    int Col() const { return FIndex % 7 + 1; }
    int Row() const { return FIndex / 7 + CalFirstWeekRow; }

    QPointer<TMiniCal> FCal;
    int FIndex;
};

class TMiniCalAccessible : public QAccessibleWidget
{
public:
    explicit TMiniCalAccessible(TMiniCal *Cal) : QAccessibleWidget(Cal, QAccessible::Table) { FIds.fill(0); }
    ~TMiniCalAccessible() override
    {
        for (QAccessible::Id id : FIds)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return kDays; }
    QAccessibleInterface *child(int Index) const override
    {
        if (Index < 0 || Index >= kDays) return nullptr;
        if (!FIds[size_t(Index)]) {
            auto *cell = new TMiniCalDayAccessible(static_cast<TMiniCal *>(widget()), Index);
            FIds[size_t(Index)] = QAccessible::registerAccessibleInterface(cell);
        }
        return QAccessible::accessibleInterface(FIds[size_t(Index)]);
    }
    int indexOfChild(const QAccessibleInterface *Child) const override
    {
        for (int i = 0; i < kDays; ++i)
            if (FIds[size_t(i)] && QAccessible::accessibleInterface(FIds[size_t(i)]) == Child) return i;
        return -1;
    }
    QAccessibleInterface *childAt(int X, int Y) const override
    {
        auto *cal = static_cast<TMiniCal *>(widget());
        const QPoint p = cal->viewport()->mapFromGlobal(QPoint(X, Y));
        const TGridCoord hit = cal->MouseCoord(p.x(), p.y());
        if (hit.X < 1 || hit.Y < CalFirstWeekRow) return nullptr;
        return child((hit.Y - CalFirstWeekRow) * 7 + hit.X - 1);
    }
    QAccessibleInterface *focusChild() const override
    {
        auto *cal = static_cast<TMiniCal *>(widget());
        if (cal->Col() < 1 || cal->Row() < CalFirstWeekRow) return nullptr;
        return child((cal->Row() - CalFirstWeekRow) * 7 + cal->Col() - 1);
    }

private:
    mutable std::array<QAccessible::Id, kDays> FIds;
};

QAccessibleInterface *MiniCalFactory(const QString &ClassName, QObject *Object)
{
    if (ClassName == QLatin1String("kro::TMiniCal") && Object && Object->isWidgetType())
        return new TMiniCalAccessible(static_cast<TMiniCal *>(Object));
    return nullptr;
}

} // namespace

void InstallMiniCalAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(MiniCalFactory);
        return true;
    }();
    (void)installed;
}

void NotifyMiniCalFocus(TMiniCal *Cal, int Col, int Row)
{
    if (!QAccessible::isActive() || Col < 1 || Row < CalFirstWeekRow) return;
    QAccessibleEvent ev(Cal, QAccessible::Focus);
    ev.setChild((Row - CalFirstWeekRow) * 7 + Col - 1);
    QAccessible::updateAccessibility(&ev);
}

} // namespace kro
