#pragma once
// The text of a self-drawn number field with its caret and selection, and the edits that keys and
// the clipboard make to it. No widget: the field checks validity and paints.

#include <krogui/core/types.h>

#include <QChar>
#include <QString>

namespace kro {

/// Positions count characters from 0; FSelBegin <= FSelEnd, and a selection exists when they
/// differ. Every edit keeps the caret and the selection inside the text.
struct KROGUI_EXPORT TNumEditBuffer
{
    QString FInBuffer;
    int FCaretPos = 0;
    int FSelBegin = 0;
    int FSelEnd = 0;

    int Length() const { return int(FInBuffer.size()); }
    bool HasSelection() const { return FSelBegin < FSelEnd; }
    QString SelectedText() const;
    /// Selects N..N (clamped), caret on it; the other end moves along when it would cross.
    void SetSelBegin(int N);
    void SetSelEnd(int N);
    /// Caret and an empty selection at N (clamped).
    void PlaceCaret(int N);

    /// Removes the selection; the caret goes to its start. When that empties the text and
    /// Zero is not null, the text becomes Zero with the caret in front. False without selection.
    bool DeleteSelection(const QString &Zero = QString());
    /// Inserts S at the caret and moves the caret behind it.
    void InsertText(const QString &S);
    /// Types Ch in place of the selection; refused (false) when the text would grow beyond
    /// MaxLength.
    bool Type(QChar Ch, int MaxLength);
    /// Pastes S in place of the selection; refused (false) when the text would grow beyond
    /// MaxLength.
    bool Paste(const QString &S, int MaxLength);
    /// Backspace and Delete: the selection (emptied text: Zero), else the character before
    /// (after) the caret. False when nothing changed.
    bool Backspace(const QString &Zero);
    bool DeleteForward(const QString &Zero);
    void CaretLeft();
    void CaretRight();
    void CaretHome() { FCaretPos = 0; }
    void CaretEnd() { FCaretPos = Length(); }
    /// Fixed-point overwrite: with the caret among the last DecPlaces characters (the decimals),
    /// the character after the caret is selected so that the next key replaces it; elsewhere
    /// the selection collapses.
    void SelectFixPointOverwrite(int DecPlaces);

    /// The character a virtual key types in a number: digits (Shift+4/5/6: '$', '%', '&' of the
    /// radix prefixes), 'A'..'F', the numeric pad, signs and separators; QChar() for other keys.
    static QChar CharOfKey(quint16 Key, bool Shifted);

    bool operator==(const TNumEditBuffer &) const = default;
};

} // namespace kro
