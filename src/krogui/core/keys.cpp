#include <krogui/core/keys.h>

#include <QKeyEvent>

namespace kro {

namespace {
struct ShiftedSign
{
    int QtKey;
    quint16 Vk;
};
// Shifted signs of the US layout and the key that carries them.
constexpr ShiftedSign kShifted[] = {
    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},           {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},          {Qt::Key_Percent, '5'},      {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},     {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},      {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Less, VK_OEM_COMMA},   {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Question, VK_OEM_2},
};
} // namespace

bool QtKeyImpliesShift(int QtKey)
{
    for (const auto &s : kShifted)
        if (s.QtKey == QtKey)
            return true;
    return false;
}

quint16 VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers)
{
    const bool pad = Modifiers & Qt::KeypadModifier;
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
        return pad ? quint16(VK_NUMPAD0 + (QtKey - Qt::Key_0)) : quint16(QtKey);
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z)
        return quint16(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return quint16(VK_F1 + (QtKey - Qt::Key_F1));
    switch (QtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Plus: return pad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return pad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Asterisk: return pad ? VK_MULTIPLY : quint16('8');
    case Qt::Key_Slash: return pad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Period: return pad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Comma: return pad ? VK_DECIMAL : VK_OEM_COMMA;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Semicolon: return VK_OEM_1;
    default: break;
    }
    for (const auto &s : kShifted)
        if (s.QtKey == QtKey)
            return s.Vk;
    return 0;
}

quint16 VirtualKeyFromEvent(const QKeyEvent *Event)
{
    return Event ? VirtualKeyFromQt(Event->key(), Event->modifiers()) : 0;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState s = 0;
    if (Modifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (Modifiers & Qt::AltModifier)
        s |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        s |= ssLeft;
    if (Buttons & Qt::RightButton)
        s |= ssRight;
    if (Buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

TMouseButton MouseButtonFromQt(Qt::MouseButton Button)
{
    switch (Button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

QChar KeyCharFromEvent(const QKeyEvent *Event)
{
    if (!Event || (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QChar();
    switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Escape: return QChar(27);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return QChar(9);
    case Qt::Key_Backspace: return QChar(8);
    default: break;
    }
    const QString t = Event->text();
    if (t.isEmpty() || t.at(0).unicode() < 32 || t.at(0).unicode() == 127)
        return QChar();
    return t.at(0);
}

int QtKeyFromVirtualKey(quint16 Key)
{
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return Key;
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9)
        return Qt::Key_0 + (Key - VK_NUMPAD0);
    if (Key >= VK_F1 && Key <= VK_F1 + 23)
        return Qt::Key_F1 + (Key - VK_F1);
    switch (Key) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    case VK_OEM_1: return Qt::Key_Semicolon;
    case VK_OEM_PLUS: return Qt::Key_Equal;
    case VK_OEM_COMMA: return Qt::Key_Comma;
    case VK_OEM_MINUS: return Qt::Key_Minus;
    case VK_OEM_PERIOD: return Qt::Key_Period;
    case VK_OEM_2: return Qt::Key_Slash;
    default: return Qt::Key_unknown;
    }
}

} // namespace kro
