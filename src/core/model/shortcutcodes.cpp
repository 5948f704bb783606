#include "core/model/shortcutcodes.h"

#include <array>
#include <utility>

namespace {

// Virtual-key codes of the original platform that have no arithmetic
// relation to Qt's key numbers.
struct tKeyPair {
    int32_t Code;
    int Key;       // Qt::Key
    bool Keypad;
};

constexpr std::array<tKeyPair, 26> NamedKeys{{
    {0x21, Qt::Key_PageUp, false},
    {0x22, Qt::Key_PageDown, false},
    {0x23, Qt::Key_End, false},
    {0x24, Qt::Key_Home, false},
    {0x25, Qt::Key_Left, false},
    {0x26, Qt::Key_Up, false},
    {0x27, Qt::Key_Right, false},
    {0x28, Qt::Key_Down, false},
    {0x2D, Qt::Key_Insert, false},
    {0x2E, Qt::Key_Delete, false},
    // Numeric pad: digits 0x60..0x69, then the operators.
    {0x60, Qt::Key_0, true},
    {0x61, Qt::Key_1, true},
    {0x62, Qt::Key_2, true},
    {0x63, Qt::Key_3, true},
    {0x64, Qt::Key_4, true},
    {0x65, Qt::Key_5, true},
    {0x66, Qt::Key_6, true},
    {0x67, Qt::Key_7, true},
    {0x68, Qt::Key_8, true},
    {0x69, Qt::Key_9, true},
    {0x6A, Qt::Key_Asterisk, true},
    {0x6B, Qt::Key_Plus, true},
    {0x6D, Qt::Key_Minus, true},
    {0x6E, Qt::Key_Period, true},
    {0x6F, Qt::Key_Slash, true},
    // The pad's decimal key gives a comma under some keyboard layouts.
    {0x6E, Qt::Key_Comma, true},
}};

constexpr int32_t VkF1 = 0x70;
constexpr int FunctionKeys = 24;

// Qt key and keypad flag of a virtual-key code; key 0 when there is none.
std::pair<int, bool> KeyOfCode(int32_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return {vk, false};  // Qt's letter and digit keys share these numbers
    if (vk >= VkF1 && vk < VkF1 + FunctionKeys)
        return {Qt::Key_F1 + (vk - VkF1), false};
    for (const tKeyPair &p : NamedKeys)
        if (p.Code == vk)
            return {p.Key, p.Keypad};
    return {0, false};
}

int32_t CodeOfKey(int key, bool keypad)
{
    if (!keypad && ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)))
        return key;
    if (!keypad && key >= Qt::Key_F1 && key < Qt::Key_F1 + FunctionKeys)
        return VkF1 + (key - Qt::Key_F1);
    for (const tKeyPair &p : NamedKeys)
        // Some platforms flag arrows and the like as pad keys too.
        if (p.Key == key && (p.Keypad == keypad || !p.Keypad))
            return p.Code;
    return 0;
}

} // namespace

QKeySequence ShortcutCodeToKeySequence(int32_t code)
{
    const auto [key, keypad] = KeyOfCode(code & 0xFF);
    if (key == 0)
        return {};
    Qt::KeyboardModifiers mods;
    if (code & ShortcutShift)
        mods |= Qt::ShiftModifier;
    if (code & ShortcutCtrl)
        mods |= Qt::ControlModifier;
    if (code & ShortcutAlt)
        mods |= Qt::AltModifier;
    if (keypad)
        mods |= Qt::KeypadModifier;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}

int32_t KeySequenceToShortcutCode(const QKeySequence &keys)
{
    if (keys.isEmpty())
        return 0;
    const QKeyCombination combo = keys[0];
    const Qt::KeyboardModifiers mods = combo.keyboardModifiers();
    const int32_t vk = CodeOfKey(combo.key(), mods.testFlag(Qt::KeypadModifier));
    if (vk == 0)
        return 0;
    int32_t code = vk;
    if (mods & Qt::ShiftModifier)
        code |= ShortcutShift;
    if (mods & Qt::ControlModifier)
        code |= ShortcutCtrl;
    if (mods & Qt::AltModifier)
        code |= ShortcutAlt;
    return code;
}
