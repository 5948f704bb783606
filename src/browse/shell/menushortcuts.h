#pragma once
// The menu-shortcuts window's content: the keys it offers, the groups and
// rows of commands it lists, and the translation between a stored shortcut
// code and what the window edits (a key of the list and three modifiers).
#include <array>
#include <cstdint>
#include <vector>

#include <QRgb>
#include <QString>

// One key of the window's key list; Code is the virtual-key code, 0 for "None".
struct tShortcutKey {
    QString Text;
    int32_t Code;
};
// "None", "F1".."F12", "A".."Z", "0".."9": 49 keys.
const std::vector<tShortcutKey> &ShortcutKeys();

struct tShortcutRow {
    QString Caption;
    int Slot;  // "S" + Slot in the settings; its menu item in ShortcutSlots()
};
struct tShortcutGroup {
    QString Title;
    QRgb Colour;  // header colour
    std::vector<tShortcutRow> Rows;
};
// The groups in display order; every slot of ShortcutSlots() once.
const std::vector<tShortcutGroup> &ShortcutGroups();

// What the window edits for one slot.
struct tSlotKey {
    int KeyIndex = 0;  // position in ShortcutKeys(); 0 "None"
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool operator==(const tSlotKey &) const = default;
};

// A stored code as the window shows it. A key the list does not offer shows
// as "None" without modifiers, and OK then clears it.
tSlotKey DecodeSlotKey(int32_t code);
// The code OK stores: 0 for "None" whatever the modifiers say.
int32_t EncodeSlotKey(const tSlotKey &key);
// "None", or the key with "Shift-", "Ctrl-" and "Alt-" put in front in that
// order ("Alt-Ctrl-F5").
QString SlotKeyText(const tSlotKey &key);

// The row caption of a slot ("Search & track"), empty for a slot not listed.
QString SlotCaption(int slot);

// Slots that would share one shortcut, in groups of two or more, each in
// list order. A key sequence given to two menu items fires neither, so the
// window asks for them to be told apart before it applies anything.
using tSlotKeys = std::array<tSlotKey, 43>;
std::vector<std::vector<int>> ClashingSlots(const tSlotKeys &keys);
// What the window says about them; empty when there are none.
QString ClashMessage(const tSlotKeys &keys, const std::vector<std::vector<int>> &clashes);

// Slots whose stored shortcut uses a key the list does not offer (it shows
// as "None", and OK removes it), in list order.
std::vector<int> UnofferedSlots(const std::array<int32_t, 43> &codes);
// The window's status line about them; empty when there are none.
QString UnofferedText(const std::array<int32_t, 43> &codes, const std::vector<int> &slots);
