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

    void sharedShortcutsAreFound()
    {
        tSlotKeys keys{};
        const tSlotKey ctrlE = DecodeSlotKey(ShortcutCtrl + 'E');
        const tSlotKey f5 = DecodeSlotKey(116);
        keys[8] = ctrlE;    // "Expand all"
        keys[38] = ctrlE;   // "Search && track"
        keys[9] = ctrlE;    // "Colapse all"
        keys[12] = f5;      // "Bullion Values"
        keys[40] = f5;      // "Go to next item number"
        keys[13] = DecodeSlotKey(ShortcutShift + 116);  // Shift+F5 differs from F5
        tSlotKey noneWithCtrl;  // "None" with Ctrl is no shortcut, so no clash
        noneWithCtrl.Ctrl = true;
        keys[1] = noneWithCtrl;
        keys[2] = noneWithCtrl;
        const std::vector<std::vector<int>> clashes = ClashingSlots(keys);
        QCOMPARE(clashes, (std::vector<std::vector<int>>{{8, 9, 38}, {12, 40}}));
        const QString message = ClashMessage(keys, clashes);
        QVERIFY2(message.contains(QStringLiteral("Ctrl-E: \"Expand all\", \"Colapse all\" and \"Search & track\"")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("F5: \"Bullion Values\" and \"Go to next item number\"")),
                 qPrintable(message));
        keys[9] = {};
        keys[38] = {};
        keys[40] = {};
        QVERIFY(ClashingSlots(keys).empty());
        QVERIFY(ClashMessage(keys, {}).isEmpty());
    }

    void unofferedKeysAreNamed()
    {
        std::array<int32_t, 43> codes{};
        codes[35] = 123;                    // F12: offered
        codes[8] = ShortcutCtrl + 0x2E;     // Ctrl+Delete: not offered
        codes[40] = ShortcutAlt + 0x25;     // Alt+Left: not offered
        codes[2] = 0xFF;                    // a key this program has no name for
        QCOMPARE(UnofferedSlots(codes), (std::vector<int>{2, 8, 40}));
        const QString text = UnofferedText(codes, UnofferedSlots(codes));
        QVERIFY2(text.contains(QStringLiteral("Save Coin Data (key code 255), Expand all (Ctrl+Del), "
                                              "Go to next item number (Alt+Left)")),
                 qPrintable(text));
        QVERIFY(UnofferedText(codes, {}).isEmpty());
    }
};

QTEST_MAIN(tst_MenuShortcuts)
#include "tst_menushortcuts.moc"
