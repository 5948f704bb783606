#include <QtTest>

#include <set>

#include "core/program/settings.h"
#include "core/model/shortcutcodes.h"
#include "browse/shell/menushortcuts.h"

// What the menu-shortcuts window offers and how a stored code turns into
// what it edits and back.
class tst_MenuShortcuts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySlotIsListedOnce()
    {
        std::multiset<int> listed;
        for (const tShortcutGroup &g : ShortcutGroups())
            for (const tShortcutRow &r : g.Rows)
                listed.insert(r.Slot);
        std::multiset<int> slots;
        for (const tShortcutSlot &s : ShortcutSlots())
            slots.insert(s.Slot);
        QVERIFY(listed == slots);
        QCOMPARE(ShortcutKeys().size(), size_t(49));
    }

    void codesRoundTrip_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");  // what OK writes back
        QTest::newRow("none") << 0 << "None" << 0;
        QTest::newRow("F12") << 123 << "F12" << 123;
        QTest::newRow("Ctrl+P") << 16464 << "Ctrl-P" << 16464;
        QTest::newRow("Shift, Ctrl and Alt with F5") << 57460 << "Alt-Ctrl-Shift-F5" << 57460;
        QTest::newRow("Alt and Ctrl with F5") << (ShortcutAlt + ShortcutCtrl + 116) << "Alt-Ctrl-F5"
                                              << (ShortcutAlt + ShortcutCtrl + 116);
        QTest::newRow("digit") << (ShortcutShift + '7') << "Shift-7" << (ShortcutShift + '7');
        // A key the window does not offer shows as none, and OK clears it.
        QTest::newRow("Ctrl+Delete is not offered") << (ShortcutCtrl + 0x2E) << "None" << 0;
    }
    void codesRoundTrip()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(int, stored);
        const tSlotKey key = DecodeSlotKey(code);
        QCOMPARE(SlotKeyText(key), text);
        QCOMPARE(EncodeSlotKey(key), stored);
    }

    void noneWithModifiersIsNoShortcut()
    {
        tSlotKey key;
        key.Ctrl = true;
        key.Alt = true;
        QCOMPARE(EncodeSlotKey(key), 0);
        QCOMPARE(SlotKeyText(key), QStringLiteral("None"));
        key.KeyIndex = 12 + 1 + ('P' - 'A');  // after "None" and F1..F12
        QCOMPARE(EncodeSlotKey(key), ShortcutCtrl + ShortcutAlt + 'P');
    }
};

QTEST_MAIN(tst_MenuShortcuts)
#include "tst_menushortcuts.moc"
