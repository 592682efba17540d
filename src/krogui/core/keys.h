#pragma once
// Virtual-key numbers and the mapping of Qt key events onto them.

#include <krogui/core/types.h>

#include <QChar>
#include <Qt>

class QKeyEvent;

namespace kro {

constexpr quint16 VK_BACK = 8;
constexpr quint16 VK_TAB = 9;
constexpr quint16 VK_RETURN = 13;
constexpr quint16 VK_SHIFT = 16;
constexpr quint16 VK_CONTROL = 17;
constexpr quint16 VK_MENU = 18;
constexpr quint16 VK_ESCAPE = 27;
constexpr quint16 VK_SPACE = 32;
constexpr quint16 VK_PRIOR = 33;
constexpr quint16 VK_NEXT = 34;
constexpr quint16 VK_END = 35;
constexpr quint16 VK_HOME = 36;
constexpr quint16 VK_LEFT = 37;
constexpr quint16 VK_UP = 38;
constexpr quint16 VK_RIGHT = 39;
constexpr quint16 VK_DOWN = 40;
constexpr quint16 VK_INSERT = 45;
constexpr quint16 VK_DELETE = 46;
// '0'..'9' are 48..57 and 'A'..'Z' 65..90.
constexpr quint16 VK_NUMPAD0 = 96; // .. VK_NUMPAD9 = 105
constexpr quint16 VK_MULTIPLY = 106;
constexpr quint16 VK_ADD = 107;
constexpr quint16 VK_SUBTRACT = 109;
constexpr quint16 VK_DECIMAL = 110;
constexpr quint16 VK_DIVIDE = 111;
constexpr quint16 VK_F1 = 112; // .. VK_F12 = 123
constexpr quint16 VK_F2 = 113;
constexpr quint16 VK_OEM_1 = 186; // ;:
constexpr quint16 VK_OEM_PLUS = 187;
constexpr quint16 VK_OEM_COMMA = 188;
constexpr quint16 VK_OEM_MINUS = 189;
constexpr quint16 VK_OEM_PERIOD = 190;
constexpr quint16 VK_OEM_2 = 191; // /?

/// The virtual-key number of a Qt key (US layout: shifted digits and signs map to the key that
/// carries them, so Qt::Key_Dollar gives '4'). Keys on the numeric pad (KeypadModifier) give the
/// VK_NUMPAD numbers. 0 for keys without a number.
KROGUI_EXPORT quint16 VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers);
KROGUI_EXPORT quint16 VirtualKeyFromEvent(const QKeyEvent *Event);
/// True when the Qt key is a shifted sign of the US layout ('$' for example), i.e. the key
/// implies Shift even when the event does not say so.
KROGUI_EXPORT bool QtKeyImpliesShift(int QtKey);
/// The shift state of modifiers and held mouse buttons.
KROGUI_EXPORT TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons = Qt::NoButton);
/// The framework's mouse button of a Qt button (anything but right and middle counts as left).
KROGUI_EXPORT TMouseButton MouseButtonFromQt(Qt::MouseButton Button);
/// The character a key event types, as a key-press handler sees it: Enter 13, Esc 27, Tab 9,
/// Backspace 8, a printable character, or QChar() for none (also while Ctrl or Alt is held).
KROGUI_EXPORT QChar KeyCharFromEvent(const QKeyEvent *Event);
/// A Qt key for a virtual-key number (the inverse for tests and synthetic input); Qt::Key_unknown
/// when there is none. Numeric-pad numbers need Qt::KeypadModifier as well.
KROGUI_EXPORT int QtKeyFromVirtualKey(quint16 Key);

} // namespace kro
