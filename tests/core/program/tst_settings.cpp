#include <QtTest>

#include "core/program/log.h"
#include "core/program/settings.h"
#include "core/model/shortcutcodes.h"
#include "core/model/blocks.h"
#include "support/recordingstores.h"
#include "support/scriptedui.h"

using platform::SettingValue;

Q_DECLARE_METATYPE(tWindowPlacement)
Q_DECLARE_METATYPE(std::optional<SettingValue>)

namespace {

const QSize FullHd(1920, 1080);

QStringList ShortcutNames()
{
    QStringList out;
    for (const tShortcutSlot &s : ShortcutSlots())
        out << ShortcutValueName(s.Slot);
    return out;
}

SettingValue Money8(Money m)
{
    QByteArray b(8, '\0');
    qToLittleEndian<qint64>(m, b.data());
    return SettingValue::binary(b);
}

// A state whose every settings-backed field differs from the defaults.
void FillUnusual(tMainState &s)
{
    s.AutoSave = false;
    s.AutoBin = false;
    s.StatusIcons = true;
    s.HighContrast = true;
    s.ViewHave = false;
    s.ViewNeed = false;
    s.ViewSell = false;
    s.ViewSold = false;
    s.ThumbNailsOut = true;
    s.ActiveForexIndex = 37;
    for (const tShortcutSlot &slot : ShortcutSlots())
        s.MenuShortcuts[slot.Slot] = ShortcutCtrl + 'A' + slot.Slot % 26;
}

} // namespace

class tst_Settings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        LogMode = false;
        LogList.clear();
    }

    // ---- typed reads ----

    void integerAndBooleanReads_data()
    {
        QTest::addColumn<std::optional<SettingValue>>("stored");
        QTest::addColumn<int>("integer");  // ReadRegInteger(Name, 77)
        QTest::addColumn<bool>("boolean");  // ReadRegBool(Name, True)
        QTest::newRow("missing") << std::optional<SettingValue>() << 77 << true;
        QTest::newRow("zero") << std::optional(SettingValue::integer(0)) << 0 << false;
        QTest::newRow("one") << std::optional(SettingValue::integer(1)) << 1 << true;
        QTest::newRow("any non-zero is true") << std::optional(SettingValue::integer(-5)) << -5 << true;
        QTest::newRow("stored as string") << std::optional(SettingValue::string(QStringLiteral("0"))) << 77 << true;
        QTest::newRow("stored as binary") << std::optional(SettingValue::binary(QByteArray(4, '\0'))) << 77 << true;
        QTest::newRow("unknown form") << std::optional(platform::decodeSetting(QStringLiteral("0"))) << 77 << true;
    }
    void integerAndBooleanReads()
    {
        QFETCH(std::optional<SettingValue>, stored);
        QFETCH(int, integer);
        QFETCH(bool, boolean);
        RecordingSettings store;
        if (stored)
            store.write(QStringLiteral("V"), *stored);
        QCOMPARE(ReadRegInteger(QStringLiteral("V"), 77), integer);
        QCOMPARE(ReadRegBool(QStringLiteral("V"), true), boolean);
    }

    void stringReads_data()
    {
        QTest::addColumn<std::optional<SettingValue>>("stored");
        QTest::addColumn<QString>("expected");  // ReadRegString(Name, "dflt")
        QTest::newRow("missing gives empty, not the default") << std::optional<SettingValue>() << QString();
        QTest::newRow("stored") << std::optional(SettingValue::string(QStringLiteral("x"))) << QStringLiteral("x");
        QTest::newRow("stored empty") << std::optional(SettingValue::string(QString())) << QString();
        QTest::newRow("stored as integer gives the default") << std::optional(SettingValue::integer(3))
                                                             << QStringLiteral("dflt");
    }
    void stringReads()
    {
        QFETCH(std::optional<SettingValue>, stored);
        QFETCH(QString, expected);
        RecordingSettings store;
        if (stored)
            store.write(QStringLiteral("V"), *stored);
        QCOMPARE(ReadRegString(QStringLiteral("V"), QStringLiteral("dflt")), expected);
    }

    void moneyReads_data()
    {
        QTest::addColumn<std::optional<SettingValue>>("stored");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("missing") << std::optional<SettingValue>() << qint64(0);
        QTest::newRow("little-endian amount") << std::optional(Money8(19875000)) << qint64(19875000);
        QTest::newRow("negative") << std::optional(Money8(-12345)) << qint64(-12345);
        QTest::newRow("four bytes") << std::optional(SettingValue::binary(QByteArray::fromHex("10270000")))
                                    << qint64(0);
        QTest::newRow("nine bytes") << std::optional(SettingValue::binary(QByteArray(9, '\1'))) << qint64(0);
        QTest::newRow("integer") << std::optional(SettingValue::integer(5)) << qint64(0);
    }
    void moneyReads()
    {
        QFETCH(std::optional<SettingValue>, stored);
        QFETCH(qint64, expected);
        RecordingSettings store;
        if (stored)
            store.write(QStringLiteral("V"), *stored);
        QCOMPARE(ReadRegCurrency(QStringLiteral("V")), expected);
    }

    // ---- placement ----

    void placement_data()
    {
        QTest::addColumn<tWindowPlacement>("stored");  // Maximised: "FullScreen"
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<tWindowPlacement>("expected");
        QTest::newRow("first start") << tWindowPlacement{} << FullHd << tWindowPlacement{192, 108, 1536, 864, false};
        QTest::newRow("width 399 ignores FullScreen") << tWindowPlacement{50, 50, 399, 800, true} << FullHd
                                                      << tWindowPlacement{192, 108, 1536, 864, false};
        QTest::newRow("height 399") << tWindowPlacement{50, 50, 800, 399, false} << FullHd
                                    << tWindowPlacement{192, 108, 1536, 864, false};
        QTest::newRow("fractions truncate") << tWindowPlacement{} << QSize(1366, 767)
                                            << tWindowPlacement{136, 76, 1092, 613, false};
        QTest::newRow("400 x 400 is used") << tWindowPlacement{10, 20, 400, 400, false} << FullHd
                                           << tWindowPlacement{10, 20, 400, 400, false};
        QTest::newRow("oversize") << tWindowPlacement{100, 100, 2000, 1200, false} << FullHd
                                  << tWindowPlacement{0, 0, 1920, 1080, false};
        QTest::newRow("negative left") << tWindowPlacement{-50, 30, 800, 600, false} << FullHd
                                       << tWindowPlacement{0, 30, 800, 600, false};
        QTest::newRow("negative top") << tWindowPlacement{30, -5, 800, 600, false} << FullHd
                                      << tWindowPlacement{30, 0, 800, 600, false};
        QTest::newRow("off the right and bottom") << tWindowPlacement{1500, 900, 800, 600, false} << FullHd
                                                  << tWindowPlacement{1120, 480, 800, 600, false};
        QTest::newRow("full screen") << tWindowPlacement{0, 0, 1920, 1080, true} << FullHd
                                     << tWindowPlacement{0, 0, 1920, 1080, true};
        QTest::newRow("maximised keeps normal bounds") << tWindowPlacement{40, 40, 900, 700, true} << FullHd
                                                       << tWindowPlacement{40, 40, 900, 700, true};
    }
    void placement()
    {
        QFETCH(tWindowPlacement, stored);
        QFETCH(QSize, screen);
        QFETCH(tWindowPlacement, expected);
        const tWindowPlacement got = PlaceMainWindow(stored, screen);
        QCOMPARE(QRect(got.Left, got.Top, got.Width, got.Height),
                 QRect(expected.Left, expected.Top, expected.Width, expected.Height));
        QCOMPARE(got.Maximised, expected.Maximised);
    }

    // ---- start ----

    void firstStartGivesTheDefaults()
    {
        RecordingSettings store;
        tMainState s;
        s.AutoSave = false;  // whatever the state held before must not survive
        s.UseTips = false;
        s.MenuShortcuts.fill(99);
        LoadFormState(s, FullHd);
        QVERIFY(s.AutoSave && s.AutoBin && !s.StatusIcons && !s.HighContrast);
        QVERIFY(s.ViewHave && s.ViewNeed && s.ViewSell && s.ViewSold && !s.ThumbNailsOut);
        QVERIFY(s.UseTips && s.AutoSpotPrices);
        QCOMPARE(s.TipIndex, 0);
        QCOMPARE(s.ActiveForexIndex, -1);  // start-up turns this into US dollars
        QCOMPARE(s.MetalValues, (std::array<Money, 4>{}));
        QCOMPARE(s.MainWindowPlacement, (tWindowPlacement{192, 108, 1536, 864, false}));
        QVERIFY(s.RepositoryPath.isEmpty() && s.DefaultReport.isEmpty());
        for (int slot = 0; slot <= 42; ++slot) {
            const int expected = slot == 35 ? 123 : slot == 36 ? 122 : slot == 39 ? 16464 : slot == 40 ? 16462 : 0;
            QCOMPARE(s.MenuShortcuts[slot], expected);
        }
        QVERIFY(store.Writes.isEmpty());
    }

    void startReadsInItsFixedOrder()
    {
        RecordingSettings store;
        store.write(QStringLiteral("WindowWidth"), SettingValue::integer(1000));
        store.write(QStringLiteral("Windowheight"), SettingValue::integer(700));
        RecordingClipboard board;
        LogMode = true;
        tMainState s;
        LoadFormState(s, FullHd);
        const QStringList expected = QStringList{
            "Auto Save", "Auto Bin", "Status icons", "Gold price", "Palladium price", "Silver price",
            "Platinum price", "Metal date", "Auto Spot prices", "Currency Index", "WindowWidth", "Windowheight",
            "WindowLeft", "WindowTop", "FullScreen", "Repository", "Large text", "Show Have", "Show Need",
            "Show Sell", "Show Sold", "Thumbnails", "Tip Index", "Show Tips"} + ShortcutNames() +
            QStringList{"Report", "Update server", "Require TLS"};
        QCOMPARE(store.Reads, expected);
        QCOMPARE(LogList.size(), 1);
        QVERIFY(LogList.first().endsWith(QStringLiteral(": Load.FormState <Done>")));
    }

    void fullScreenIsReadOnlyWhenTheStoredSizeIsUsed()
    {
        RecordingSettings store;
        store.write(QStringLiteral("WindowWidth"), SettingValue::integer(399));
        store.write(QStringLiteral("Windowheight"), SettingValue::integer(800));
        store.write(QStringLiteral("FullScreen"), SettingValue::integer(1));
        tMainState s;
        LoadFormState(s, FullHd);
        QVERIFY(!store.Reads.contains(QStringLiteral("FullScreen")));
        QVERIFY(!s.MainWindowPlacement.Maximised);
    }

    void storedValuesReachTheState()
    {
        RecordingSettings store;
        store.write(QStringLiteral("Gold price"), Money8(23000000));
        store.write(QStringLiteral("Silver price"), Money8(245000));
        store.write(QStringLiteral("Metal date"), SettingValue::integer(45000));
        store.write(QStringLiteral("Currency Index"), SettingValue::integer(12));
        store.write(QStringLiteral("Repository"), SettingValue::string(QStringLiteral("/srv/pictures")));
        store.write(QStringLiteral("Show Sold"), SettingValue::integer(0));
        store.write(QStringLiteral("S35"), SettingValue::integer(0));            // cleared: no shortcut
        store.write(QStringLiteral("S36"), SettingValue::string(QStringLiteral("F5")));  // wrong type: default
        store.write(QStringLiteral("S1"), SettingValue::integer(ShortcutCtrl + 'O'));
        store.write(QStringLiteral("Report"), SettingValue::string(QStringLiteral("Inventory")));
        tMainState s;
        LoadFormState(s, FullHd);
        QCOMPARE(s.MetalValues[1], Money(23000000));
        QCOMPARE(s.MetalValues[0], Money(245000));
        QCOMPARE(s.MetalValuesDate, 45000);
        QCOMPARE(s.ActiveForexIndex, 12);
        QCOMPARE(s.RepositoryPath, QStringLiteral("/srv/pictures"));
        QVERIFY(!s.ViewSold && s.ViewSell);
        QCOMPARE(s.MenuShortcuts[35], 0);
        QCOMPARE(s.MenuShortcuts[36], 122);
        QCOMPARE(s.MenuShortcuts[1], ShortcutCtrl + 'O');
        QCOMPARE(s.DefaultReport, QStringLiteral("Inventory"));
    }

    void unreadableSettingsStillLetTheProgramStart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.ini"));
        QVERIFY(QDir().mkpath(path));  // there, but not readable as a file
        platform::FileSettingsStore file(path);
        platform::setSettingsStore(&file);
        tScriptedUi ui;
        tMainState s;
        s.UseTips = false;
        LoadFormState(s, FullHd);
        QCOMPARE(&platform::settings(), static_cast<platform::SettingsStore *>(&file));
        platform::setSettingsStore(nullptr);
        QVERIFY(s.UseTips && s.AutoSave);
        QCOMPARE(s.MenuShortcuts[35], 123);
        QCOMPARE(s.MainWindowPlacement, (tWindowPlacement{192, 108, 1536, 864, false}));
        QCOMPARE(ui.Errors.size(), size_t(1));
        QCOMPARE(ui.Errors[0].Block, Blocks::ReadSetting);  // the innermost operation that failed
        QVERIFY(ui.Errors[0].Message.contains(QStringLiteral("cannot be read")));
        QVERIFY(QFileInfo(path).isDir());
    }

    void currencyIndexStoredAsStringFallsBack()
    {
        RecordingSettings store;
        store.write(QStringLiteral("Currency Index"), SettingValue::string(QStringLiteral("5")));
        tMainState s;
        LoadFormState(s, FullHd);
        QCOMPARE(s.ActiveForexIndex, -1);
    }

    // ---- close ----

    void closeWritesInItsFixedOrder()
    {
        RecordingSettings store;
        tMainState s;
        WriteFormState(s, {{10, 20, 800, 600, false}, QStringLiteral("Inventory")});
        const QStringList expected = QStringList{"Currency Index", "FullScreen", "WindowWidth", "Windowheight",
                                                 "WindowLeft", "WindowTop", "Show Have", "Show Need", "Show Sell",
                                                 "Show Sold", "Thumbnails", "Large text"}
                                     + ShortcutNames() + QStringList{"Report", "Auto Save", "Auto Bin", "Status icons"};
        QCOMPARE(store.Writes, expected);
        QCOMPARE(store.read(QStringLiteral("Report"))->Text, QStringLiteral("Inventory"));
        QCOMPARE(store.read(QStringLiteral("WindowLeft"))->Integer, 10);
    }

    void closingMaximisedKeepsTheNormalBounds()
    {
        RecordingSettings store;
        store.write(QStringLiteral("WindowWidth"), SettingValue::integer(1000));
        store.write(QStringLiteral("WindowLeft"), SettingValue::integer(33));
        store.Writes.clear();
        tMainState s;
        QVERIFY(WriteFormState(s, {{0, 0, 1920, 1080, true}, QString()}));
        QCOMPARE(store.read(QStringLiteral("FullScreen"))->Integer, 1);
        QCOMPARE(store.read(QStringLiteral("WindowWidth"))->Integer, 1000);
        QCOMPARE(store.read(QStringLiteral("WindowLeft"))->Integer, 33);
        QVERIFY(!store.Writes.contains(QStringLiteral("Windowheight")));
    }

    void closeNeverOverwritesWhatOtherWindowsStore()
    {
        RecordingSettings store;
        tMainState s;
        LoadFormState(s, FullHd);
        // While the program runs, the bullion, tip and repository windows
        // store their values; the state's copies are now stale.
        WriteRegCurrency(RegName::GoldPrice, 25000000);
        WriteRegInteger(RegName::TipIndex, 9);
        WriteRegString(RegName::Repository, QStringLiteral("/new/place"));
        WriteRegBool(RegName::AutoSpotPrices, false);
        store.Writes.clear();
        QVERIFY(WriteFormState(s, {{10, 10, 800, 600, false}, QString()}));
        for (const QString &other : {"Gold price", "Palladium price", "Silver price", "Platinum price", "Metal date",
                                     "Auto Spot prices", "Repository", "Tip Index", "Show Tips", "SearchHistory",
                                     "PLU", "PushNote", "RF0"})
            QVERIFY2(!store.Writes.contains(other), qPrintable(other));
        QCOMPARE(ReadRegCurrency(RegName::GoldPrice), Money(25000000));
        QCOMPARE(ReadRegInteger(RegName::TipIndex, 0), 9);
    }

    void closeStopsQuietlyAtTheFirstFailure()
    {
        RecordingSettings store;
        store.write(QStringLiteral("Show Sold"), SettingValue::integer(1));
        store.write(QStringLiteral("Auto Save"), SettingValue::integer(1));
        store.Writes.clear();
        store.FailAt = QStringLiteral("Show Sell");
        RecordingClipboard board;
        LogMode = true;
        tMainState s;
        s.ViewSold = false;
        s.AutoSave = false;
        QVERIFY(!WriteFormState(s, {{10, 10, 800, 600, false}, QString()}));
        QCOMPARE(store.Writes.last(), QStringLiteral("Show Need"));
        QCOMPARE(store.read(QStringLiteral("Show Sold"))->Integer, 1);  // old contents kept
        QCOMPARE(store.read(QStringLiteral("Auto Save"))->Integer, 1);
        QVERIFY(LogList.last().contains(QStringLiteral("disk full")));
    }

    // ---- through the file ----

    void everyValueSurvivesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Settings.ini"));
        {
            platform::FileSettingsStore file(path);
            platform::setSettingsStore(&file);
            int n = 0;
            for (const tRegValue &v : RegValues()) {
                ++n;
                switch (v.Type) {
                case tRegType::Bool: WriteRegBool(v.Name, n % 2 == 0); break;
                case tRegType::Integer: WriteRegInteger(v.Name, -1000 * n - 7); break;
                case tRegType::Money: WriteRegCurrency(v.Name, Money(-123456789012345) * n); break;
                case tRegType::String: WriteRegString(v.Name, QStringLiteral(" %1 \"q\" 50% C:\\x\r\n").arg(n)); break;
                }
            }
        }
        platform::FileSettingsStore file(path);
        platform::setSettingsStore(&file);
        QCOMPARE(file.names().size(), int(RegValues().size()));
        int n = 0;
        for (const tRegValue &v : RegValues()) {
            ++n;
            switch (v.Type) {
            case tRegType::Bool: QCOMPARE(ReadRegBool(v.Name, n % 2 != 0), n % 2 == 0); break;
            case tRegType::Integer: QCOMPARE(ReadRegInteger(v.Name, 0), -1000 * n - 7); break;
            case tRegType::Money: QCOMPARE(ReadRegCurrency(v.Name), Money(-123456789012345) * n); break;
            case tRegType::String:
                QCOMPARE(ReadRegString(v.Name, QString()), QStringLiteral(" %1 \"q\" 50% C:\\x\r\n").arg(n));
                break;
            }
        }
        platform::setSettingsStore(nullptr);
    }

    void closeThenStartRestoresTheState()
    {
        QTemporaryDir dir;
        platform::FileSettingsStore file(dir.filePath(QStringLiteral("Settings.ini")));
        platform::setSettingsStore(&file);
        tMainState before;
        FillUnusual(before);
        QVERIFY(WriteFormState(before, {{70, 80, 1024, 768, true}, QStringLiteral("Want list")}));

        platform::FileSettingsStore reopened(dir.filePath(QStringLiteral("Settings.ini")));
        platform::setSettingsStore(&reopened);
        tMainState after;
        LoadFormState(after, FullHd);
        platform::setSettingsStore(nullptr);
        QCOMPARE(after.AutoSave, before.AutoSave);
        QCOMPARE(after.AutoBin, before.AutoBin);
        QCOMPARE(after.StatusIcons, before.StatusIcons);
        QCOMPARE(after.HighContrast, before.HighContrast);
        QCOMPARE(after.ViewHave, before.ViewHave);
        QCOMPARE(after.ViewSold, before.ViewSold);
        QCOMPARE(after.ThumbNailsOut, before.ThumbNailsOut);
        QCOMPARE(after.ActiveForexIndex, before.ActiveForexIndex);
        QCOMPARE(after.MenuShortcuts, before.MenuShortcuts);
        QCOMPARE(after.DefaultReport, QStringLiteral("Want list"));
        // Closed maximised: bounds were not written, so the first-start size.
        QCOMPARE(after.MainWindowPlacement, (tWindowPlacement{192, 108, 1536, 864, false}));
    }

    // ---- shortcut codes ----

    void shortcutCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("none") << 0 << QKeySequence();
        QTest::newRow("F12") << 123 << QKeySequence(Qt::Key_F12);
        QTest::newRow("F11") << 122 << QKeySequence(Qt::Key_F11);
        QTest::newRow("Ctrl+P") << 16464 << QKeySequence(Qt::CTRL | Qt::Key_P);
        QTest::newRow("Ctrl+N") << 16462 << QKeySequence(Qt::CTRL | Qt::Key_N);
        QTest::newRow("F1") << 0x70 << QKeySequence(Qt::Key_F1);
        QTest::newRow("F24") << 0x87 << QKeySequence(Qt::Key_F24);
        QTest::newRow("digit") << int('7') << QKeySequence(Qt::Key_7);
        QTest::newRow("all modifiers") << (8192 + 16384 + 32768 + 'Z')
                                       << QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::ALT | Qt::Key_Z);
        QTest::newRow("Shift+Left") << (8192 + 0x25) << QKeySequence(Qt::SHIFT | Qt::Key_Left);
        QTest::newRow("Down") << 0x28 << QKeySequence(Qt::Key_Down);
        QTest::newRow("Page Up") << 0x21 << QKeySequence(Qt::Key_PageUp);
        QTest::newRow("Page Down") << 0x22 << QKeySequence(Qt::Key_PageDown);
        QTest::newRow("Home") << 0x24 << QKeySequence(Qt::Key_Home);
        QTest::newRow("End") << 0x23 << QKeySequence(Qt::Key_End);
        QTest::newRow("Insert") << 0x2D << QKeySequence(Qt::Key_Insert);
        QTest::newRow("Alt+Delete") << (32768 + 0x2E) << QKeySequence(Qt::ALT | Qt::Key_Delete);
        QTest::newRow("pad 5") << 0x65 << QKeySequence(Qt::KeypadModifier | Qt::Key_5);
        QTest::newRow("pad plus") << 0x6B << QKeySequence(Qt::KeypadModifier | Qt::Key_Plus);
        QTest::newRow("pad divide") << 0x6F << QKeySequence(Qt::KeypadModifier | Qt::Key_Slash);
        QTest::newRow("pad decimal") << 0x6E << QKeySequence(Qt::KeypadModifier | Qt::Key_Period);
    }
    void shortcutCodes()
    {
        QFETCH(int, code);
        QFETCH(QKeySequence, keys);
        QCOMPARE(ShortcutCodeToKeySequence(code), keys);
        QCOMPARE(KeySequenceToShortcutCode(keys), code);
    }

    void shortcutCodesWithoutAKey()
    {
        // Keys we have no counterpart for read as none rather than a wrong key.
        QVERIFY(ShortcutCodeToKeySequence(16384 + 0x07).isEmpty());
        QVERIFY(ShortcutCodeToKeySequence(0x6C).isEmpty());
        QCOMPARE(KeySequenceToShortcutCode(QKeySequence(Qt::CTRL | Qt::Key_Escape)), 0);
        // A pad digit is not the top-row digit.
        QCOMPARE(KeySequenceToShortcutCode(QKeySequence(Qt::KeypadModifier | Qt::Key_1)), 0x61);
        QCOMPARE(KeySequenceToShortcutCode(QKeySequence(Qt::Key_1)), 0x31);
    }
};

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
