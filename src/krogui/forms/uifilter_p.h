#pragma once
// Preparing a .ui text for the loader (internal to krogui_forms).

#include <QByteArray>
#include <QString>

namespace kro {

/// Copies the form Xml to Out, prepared for QUiLoader:
/// - the items a form stores for list-like widgets (item, column and row elements) inside our
///   controls are dropped: a combo box or tree widget of ours makes its items itself (the colour
///   selector from its palette, the folder tree from the file system), and stored ones would be
///   added on top of them;
/// - the properties of each of our controls are put in the order the control declares them. The
///   loader sets them in the order the form lists them, and some settings depend on others set
///   before them (a font clears ParentFont, AutoCenter moves the anchor), so a form written in
///   another order (QFormBuilder writes them in hash order, a person may write any order) would
///   load differently from the form Qt Designer writes. Properties the control does not declare
///   keep their order after the declared ones.
/// Returns false with Error (line, column and reason) when Xml is not well-formed.
bool PrepareForm(const QByteArray &Xml, QByteArray &Out, QString &Error);

} // namespace kro
