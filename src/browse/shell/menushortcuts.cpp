#include "browse/shell/menushortcuts.h"

#include "core/model/shortcutcodes.h"

#include <map>

#include <QStringList>

namespace {

constexpr int32_t VkF1 = 112;

} // namespace

const std::vector<tShortcutKey> &ShortcutKeys()
{
    static const std::vector<tShortcutKey> keys = [] {
        std::vector<tShortcutKey> k{{QStringLiteral("None"), 0}};
        for (int f = 1; f <= 12; ++f)
            k.push_back({QStringLiteral("F%1").arg(f), VkF1 + f - 1});
        for (char c = 'A'; c <= 'Z'; ++c)
            k.push_back({QString(QLatin1Char(c)), c});
        for (char c = '0'; c <= '9'; ++c)
            k.push_back({QString(QLatin1Char(c)), c});
        return k;
    }();
    return keys;
}

const std::vector<tShortcutGroup> &ShortcutGroups()
{
    static const std::vector<tShortcutGroup> groups{
        {QStringLiteral("File Menu"),
         0xFFFFFF00,
         {{QStringLiteral("Open"), 1},
          {QStringLiteral("Save Coin Data"), 2},
          {QStringLiteral("Save Price Data"), 3},
          {QStringLiteral("Add Countries"), 5},
          {QStringLiteral("User defined Grade Scales"), 6},
          {QStringLiteral("User defined Fields"), 7}}},
        {QStringLiteral("Display Menu"),
         0xFF00FFFF,
         {{QStringLiteral("Expand all"), 8},
          {QStringLiteral("Colapse all"), 9},
          {QStringLiteral("Special Series Images"), 10}}},
        {QStringLiteral("Tools Menu"),
         0xFFFFA500,
         {{QStringLiteral("Tip of the Day"), 11},
          {QStringLiteral("Bullion Values"), 12},
          {QStringLiteral("National Bank List"), 13},
          {QStringLiteral("Polygon Coins Tool"), 14},
          {QStringLiteral("Serial Number Explorer"), 15},
          {QStringLiteral("Find Text"), 30},
          {QStringLiteral("Find a coin by item number"), 37},
          {QStringLiteral("Find a catalog number"), 31},
          {QStringLiteral("Search && track"), 38},
          {QStringLiteral("Find next tracked coin"), 32},
          {QStringLiteral("Track all coins in selected series"), 33},
          {QStringLiteral("Untrack all coins in selected series"), 34}}},
        {QStringLiteral("Date Converters"),
         0xFF32CD32,
         {{QStringLiteral("Hebrew Date Converter"), 16},
          {QStringLiteral("Roman number converter"), 17},
          {QStringLiteral("Arab date converter"), 18},
          {QStringLiteral("Burmese Date Converter"), 19},
          {QStringLiteral("Thailand Date Converter"), 20},
          {QStringLiteral("Bengali Date Converter"), 21},
          {QStringLiteral("Napal Date Converter"), 22},
          {QStringLiteral("Japanese Date Converter"), 23},
          {QStringLiteral("China Date Converter"), 24},
          {QStringLiteral("Ethiopian Date Converter"), 25}}},
        {QStringLiteral("Contact Options"),
         0xFFFF00FF,
         {{QStringLiteral("Visit Quillfen Software"), 26},
          {QStringLiteral("Visit Quillfen on FaceBook"), 27},
          {QStringLiteral("About Orvanta"), 29}}},
        {QStringLiteral("Other functions"),
         0xFFC0C0C0,
         {{QStringLiteral("Bring windows forward"), 35},
          {QStringLiteral("Resize main window"), 36},
          {QStringLiteral("Go to previous item number"), 39},
          {QStringLiteral("Go to next item number"), 40},
          {QStringLiteral("Copy prices"), 41},
          {QStringLiteral("Paste prices"), 42}}},
    };
    return groups;
}

tSlotKey DecodeSlotKey(int32_t code)
{
    tSlotKey key;
    const int32_t vk = code & 0xFF;
    const std::vector<tShortcutKey> &keys = ShortcutKeys();
    for (size_t i = 1; i < keys.size(); ++i) {
        if (keys[i].Code == vk) {
            key.KeyIndex = static_cast<int>(i);
            key.Shift = (code & ShortcutShift) != 0;
            key.Ctrl = (code & ShortcutCtrl) != 0;
            key.Alt = (code & ShortcutAlt) != 0;
            break;
        }
    }
    return key;
}

int32_t EncodeSlotKey(const tSlotKey &key)
{
    const std::vector<tShortcutKey> &keys = ShortcutKeys();
    if (key.KeyIndex <= 0 || key.KeyIndex >= static_cast<int>(keys.size()))
        return 0;
    int32_t code = keys[static_cast<size_t>(key.KeyIndex)].Code;
    if (key.Shift)
        code += ShortcutShift;
    if (key.Ctrl)
        code += ShortcutCtrl;
    if (key.Alt)
        code += ShortcutAlt;
    return code;
}

QString SlotKeyText(const tSlotKey &key)
{
    const std::vector<tShortcutKey> &keys = ShortcutKeys();
    if (key.KeyIndex <= 0 || key.KeyIndex >= static_cast<int>(keys.size()))
        return keys.front().Text;
    QString text = keys[static_cast<size_t>(key.KeyIndex)].Text;
    if (key.Shift)
        text.prepend(QStringLiteral("Shift-"));
    if (key.Ctrl)
        text.prepend(QStringLiteral("Ctrl-"));
    if (key.Alt)
        text.prepend(QStringLiteral("Alt-"));
    return text;
}

QString SlotCaption(int slot)
{
    for (const tShortcutGroup &group : ShortcutGroups())
        for (const tShortcutRow &row : group.Rows)
            if (row.Slot == slot)
                return QString(row.Caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
    return {};
}

std::vector<std::vector<int>> ClashingSlots(const tSlotKeys &keys)
{
    std::map<int32_t, std::vector<int>> byCode;
    std::vector<int32_t> order;
    for (const tShortcutGroup &group : ShortcutGroups())
        for (const tShortcutRow &row : group.Rows) {
            const int32_t code = EncodeSlotKey(keys[static_cast<size_t>(row.Slot)]);
            if (code == 0)
                continue;
            std::vector<int> &slots = byCode[code];
            if (slots.empty())
                order.push_back(code);
            slots.push_back(row.Slot);
        }
    std::vector<std::vector<int>> clashes;
    for (int32_t code : order)
        if (byCode[code].size() > 1)
            clashes.push_back(byCode[code]);
    return clashes;
}

QString ClashMessage(const tSlotKeys &keys, const std::vector<std::vector<int>> &clashes)
{
    if (clashes.empty())
        return {};
    QStringList lines;
    for (const std::vector<int> &slots : clashes) {
        QStringList names;
        for (int slot : slots)
            names << QLatin1Char('"') + SlotCaption(slot) + QLatin1Char('"');
        const QString last = names.takeLast();
        lines << SlotKeyText(keys[static_cast<size_t>(slots.front())]) + QStringLiteral(": ") +
                     names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    }
    return QStringLiteral("These commands share a shortcut, and a shared shortcut works for none of them:\n") +
           lines.join(QLatin1Char('\n')) +
           QStringLiteral("\nGive each command a shortcut of its own (or \"None\"), then press OK again.");
}

std::vector<int> UnofferedSlots(const std::array<int32_t, 43> &codes)
{
    std::vector<int> slots;
    for (const tShortcutGroup &group : ShortcutGroups())
        for (const tShortcutRow &row : group.Rows) {
            const int32_t code = codes[static_cast<size_t>(row.Slot)];
            if (code != 0 && DecodeSlotKey(code).KeyIndex == 0)
                slots.push_back(row.Slot);
        }
    return slots;
}

QString UnofferedText(const std::array<int32_t, 43> &codes, const std::vector<int> &slots)
{
    if (slots.empty())
        return {};
    QStringList items;
    for (int slot : slots) {
        const int32_t code = codes[static_cast<size_t>(slot)];
        const QKeySequence keys = ShortcutCodeToKeySequence(code);
        const QString key = keys.isEmpty() ? QStringLiteral("key code %1").arg(code)
                                           : keys.toString(QKeySequence::PortableText);
        items << QStringLiteral("%1 (%2)").arg(SlotCaption(slot), key);
    }
    return QStringLiteral("Shortcuts on keys this list does not offer show as \"None\" and are removed by OK: ") +
           items.join(QStringLiteral(", ")) + QLatin1Char('.');
}
