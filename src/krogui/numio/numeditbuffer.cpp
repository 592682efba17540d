#include <krogui/core/keys.h>
#include <krogui/numio/numeditbuffer.h>

#include <algorithm>

namespace kro {

QString TNumEditBuffer::SelectedText() const
{
    return HasSelection() ? FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin) : QString();
}

void TNumEditBuffer::SetSelBegin(int N)
{
    N = std::clamp(N, 0, Length());
    FSelBegin = FCaretPos = N;
    if (FSelEnd < N) FSelEnd = N;
}

void TNumEditBuffer::SetSelEnd(int N)
{
    N = std::clamp(N, 0, Length());
    FSelEnd = FCaretPos = N;
    if (FSelBegin > N) FSelBegin = N;
}

void TNumEditBuffer::PlaceCaret(int N)
{
    FCaretPos = FSelBegin = FSelEnd = std::clamp(N, 0, Length());
}

bool TNumEditBuffer::DeleteSelection(const QString &Zero)
{
    if (!HasSelection()) return false;
    FInBuffer.remove(FSelBegin, FSelEnd - FSelBegin);
    FCaretPos = FSelEnd = FSelBegin;
    if (!Zero.isNull() && FInBuffer.isEmpty()) {
        FInBuffer = Zero;
        FCaretPos = FSelBegin = FSelEnd = 0;
    }
    return true;
}

void TNumEditBuffer::InsertText(const QString &S)
{
    FCaretPos = std::clamp(FCaretPos, 0, Length());
    FInBuffer.insert(FCaretPos, S);
    FCaretPos += int(S.size());
}

bool TNumEditBuffer::Type(QChar Ch, int MaxLength)
{
    if (Length() - (FSelEnd - FSelBegin) >= MaxLength) return false;
    DeleteSelection();
    InsertText(QString(Ch));
    return true;
}

bool TNumEditBuffer::Paste(const QString &S, int MaxLength)
{
    if (Length() - (FSelEnd - FSelBegin) + S.size() > MaxLength) return false;
    DeleteSelection();
    InsertText(S);
    FSelBegin = FSelEnd = std::min(FSelBegin, Length());
    return true;
}

bool TNumEditBuffer::Backspace(const QString &Zero)
{
    if (DeleteSelection(Zero)) return true;
    if (FCaretPos <= 0) return false;
    FInBuffer.remove(FCaretPos - 1, 1);
    --FCaretPos;
    FSelBegin = FSelEnd = std::min(FSelBegin, Length());
    return true;
}

bool TNumEditBuffer::DeleteForward(const QString &Zero)
{
    if (DeleteSelection(Zero)) return true;
    if (FCaretPos >= Length()) return false;
    FInBuffer.remove(FCaretPos, 1);
    FSelBegin = FSelEnd = std::min(FSelBegin, Length());
    return true;
}

void TNumEditBuffer::CaretLeft()
{
    if (FCaretPos > 0) --FCaretPos;
}

void TNumEditBuffer::CaretRight()
{
    if (FCaretPos < Length()) ++FCaretPos;
}

void TNumEditBuffer::SelectFixPointOverwrite(int DecPlaces)
{
    const int n = Length();
    if (FCaretPos > n - DecPlaces - 1) {
        FSelBegin = std::min(FCaretPos, n);
        FSelEnd = std::min(FCaretPos + 1, n);
    } else {
        FSelBegin = FSelEnd;
    }
}

QChar TNumEditBuffer::CharOfKey(quint16 Key, bool Shifted)
{
    if (Key >= '0' && Key <= '9') {
        if (Shifted && Key == '4') return u'$';
        if (Shifted && Key == '5') return u'%';
        if (Shifted && Key == '6') return u'&';
        return QChar(Key);
    }
    if (Key >= 'A' && Key <= 'F') return QChar(Key);
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) return QChar(u'0' + (Key - VK_NUMPAD0));
    switch (Key) {
    case VK_ADD:
    case VK_OEM_PLUS:
        return u'+';
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        return u'-';
    case VK_DECIMAL:
    case VK_OEM_COMMA:
        return u',';
    case VK_OEM_PERIOD:
        return u'.';
    default:
        return QChar();
    }
}

} // namespace kro
