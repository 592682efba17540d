#pragma once
// Preparing a .ui text for the loader (internal to krogui_forms).

#include <QByteArray>
#include <QString>

namespace kro {

/// Copies the form Xml to Out without the items a form stores for list-like widgets (item,
/// column and row elements) inside our controls: a combo box or tree widget of ours makes its
/// items itself (the colour selector from its palette, the folder tree from the file system),
/// and stored ones would be added on top of them. Returns false with Error (line, column and
/// reason) when Xml is not well-formed.
bool DropStoredItems(const QByteArray &Xml, QByteArray &Out, QString &Error);

} // namespace kro
