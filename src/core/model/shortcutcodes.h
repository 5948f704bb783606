#pragma once
// Menu shortcuts are stored as the original platform's shortcut codes: the
// virtual-key code in the low byte plus 8192 for Shift, 16384 for Ctrl and
// 32768 for Alt; 0 means none. Settings written by earlier versions keep
// their meaning because the codes are translated here, in both directions,
// to the key sequences the menus use.
#include <cstdint>

#include <QKeySequence>

constexpr int32_t ShortcutShift = 8192;
constexpr int32_t ShortcutCtrl = 16384;
constexpr int32_t ShortcutAlt = 32768;

// The key sequence of a code; an empty sequence for 0 and for keys without
// a counterpart here (letters, digits, F1-F24, arrows, Insert, Delete, Home,
// End, Page Up/Down and the numeric pad have one).
QKeySequence ShortcutCodeToKeySequence(int32_t code);
// The code of the first key of a sequence; 0 when it has none.
int32_t KeySequenceToShortcutCode(const QKeySequence &keys);
