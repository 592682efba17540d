#pragma once
// Helpers of the table editor tests: a shown editor without border and scroll bars, and the
// grid cell rectangles of data cells.

#include <krogui/ntabed/ntabed.h>

#include "../grid/gridtest.h"
#include "testutil.h"

#include <QMenu>

#include <vector>

namespace kro::test {

/// Counts each change event of an editor, in the order they fire.
struct EventLog
{
    std::vector<QString> Seen;
    void Attach(TNTabEd &E)
    {
        E.SetOnChange([this](QObject *) { Seen.push_back(QStringLiteral("Change")); });
        E.SetOnHeadingChanged([this](QObject *) { Seen.push_back(QStringLiteral("Heading")); });
        E.SetOnAttributeChanged([this](QObject *) { Seen.push_back(QStringLiteral("Attribute")); });
        E.SetOnLayoutChanged([this](QObject *) { Seen.push_back(QStringLiteral("Layout")); });
        E.SetOnCellStateChanged([this](QObject *) { Seen.push_back(QStringLiteral("CellState")); });
        E.SetOnChangeSetup([this](QObject *) { Seen.push_back(QStringLiteral("Setup")); });
        E.SetOnPaste([this](QObject *) { Seen.push_back(QStringLiteral("Paste")); });
    }
    int Count(const QString &Name) const { return int(std::count(Seen.begin(), Seen.end(), Name)); }
};

/// The action of a built-in menu by its object name ("DIt7", "M1It2", "HIt2").
inline QAction *MenuItem(TNTabEd &E, const QString &Name)
{
    for (QMenu *m : {E.PopupDTAction(), E.PopupHTAction()}) {
        if (auto *a = m->findChild<QAction *>(Name)) return a;
        for (QAction *a : m->actions()) {
            if (a->objectName() == Name) return a;
            if (a->menu())
                for (QAction *s : a->menu()->actions())
                    if (s->objectName() == Name) return s;
        }
    }
    return nullptr;
}

/// Centre of the grid cell of data cell (Col, Row).
inline QPoint DataCellCentre(TNTabEd &E, int Col, int Row)
{
    const int c = Col + (E.AttribRowVisible() ? 1 : 0), r = Row + (E.AttribColVisible() ? 1 : 0);
    return Centre(E.CellRect(c, r));
}

/// Selects the data block (L, T)..(R, B).
inline void SelectData(TNTabEd &E, int L, int T, int R, int B)
{
    const int oc = E.AttribRowVisible() ? 1 : 0, orw = E.AttribColVisible() ? 1 : 0;
    E.SetSelection(GridRect(L + oc, T + orw, R + oc, B + orw));
}

} // namespace kro::test
