// Qt keys onto the virtual-key numbers the controls use.
#include <krogui/core/keys.h>

#include <gtest/gtest.h>

using namespace kro;

TEST(Keys, QtKeysMapToVirtualKeys)
{
    const struct
    {
        int Qt;
        Qt::KeyboardModifiers Mods;
        quint16 Vk;
    } cases[] = {
        {Qt::Key_Backspace, {}, 8},
        {Qt::Key_Tab, {}, 9},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9},
        {Qt::Key_Return, {}, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_PageUp, {}, 33},
        {Qt::Key_PageDown, {}, 34},
        {Qt::Key_End, {}, 35},
        {Qt::Key_Home, {}, 36},
        {Qt::Key_Left, {}, 37},
        {Qt::Key_Up, {}, 38},
        {Qt::Key_Right, {}, 39},
        {Qt::Key_Down, {}, 40},
        {Qt::Key_Delete, {}, 46},
        {Qt::Key_0, {}, 48},
        {Qt::Key_9, {}, 57},
        {Qt::Key_A, {}, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Period, Qt::KeypadModifier, 110},
        {Qt::Key_Comma, Qt::KeypadModifier, 110},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
        {Qt::Key_Plus, {}, 187},
        {Qt::Key_Equal, {}, 187},
        {Qt::Key_Comma, {}, 188},
        {Qt::Key_Minus, {}, 189},
        {Qt::Key_Underscore, Qt::ShiftModifier, 189},
        {Qt::Key_Period, {}, 190},
        {Qt::Key_Greater, Qt::ShiftModifier, 190},
        {Qt::Key_Dollar, Qt::ShiftModifier, '4'},
        {Qt::Key_ParenRight, {}, '0'},
        {Qt::Key_F1, {}, 112},
        {Qt::Key_F2, {}, 113},
        {Qt::Key_Escape, {}, 27},
        {Qt::Key_unknown, {}, 0},
        {Qt::Key_Adiaeresis, {}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.Qt, c.Mods), c.Vk) << std::hex << c.Qt;

    EXPECT_TRUE(QtKeyImpliesShift(Qt::Key_Dollar));
    EXPECT_TRUE(QtKeyImpliesShift(Qt::Key_Plus));
    EXPECT_FALSE(QtKeyImpliesShift(Qt::Key_4));
    EXPECT_FALSE(QtKeyImpliesShift(Qt::Key_Minus));
}

TEST(Keys, EveryUsedVirtualKeyHasAQtKeyThatMapsBack)
{
    std::vector<quint16> used = {8,  9,  13,  33,  34,  35,  36,  37,  38, 39,
                                 40, 46, 107, 109, 110, 187, 188, 189, 190};
    for (quint16 k = 48; k <= 57; ++k)
        used.push_back(k);
    for (quint16 k = 65; k <= 90; ++k)
        used.push_back(k);
    for (quint16 k = 96; k <= 105; ++k)
        used.push_back(k);
    for (quint16 vk : used) {
        const int qt = QtKeyFromVirtualKey(vk);
        ASSERT_NE(qt, Qt::Key_unknown) << vk;
        const bool pad = (vk >= 96 && vk <= 111);
        EXPECT_EQ(VirtualKeyFromQt(qt, pad ? Qt::KeypadModifier : Qt::NoModifier), vk) << vk;
    }
    EXPECT_EQ(QtKeyFromVirtualKey(0), Qt::Key_unknown);
}

TEST(Keys, ShiftState)
{
    EXPECT_EQ(ShiftStateFromQt(Qt::NoModifier), 0u);
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier), unsigned(ssShift | ssCtrl));
    EXPECT_EQ(ShiftStateFromQt(Qt::AltModifier, Qt::LeftButton | Qt::MiddleButton),
              unsigned(ssAlt | ssLeft | ssMiddle));
    EXPECT_EQ(ShiftStateFromQt(Qt::KeypadModifier, Qt::RightButton), unsigned(ssRight));
}
