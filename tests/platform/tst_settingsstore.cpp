#include <QtTest>

#include "platform/settingsstore.h"

using platform::FileSettingsStore;
using platform::SettingsError;
using platform::SettingType;
using platform::SettingValue;

Q_DECLARE_METATYPE(SettingValue)

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_SettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valuesSurviveTheFileForm_data()
    {
        QTest::addColumn<SettingValue>("value");
        QTest::newRow("zero") << SettingValue::integer(0);
        QTest::newRow("most negative") << SettingValue::integer(INT32_MIN);
        QTest::newRow("largest") << SettingValue::integer(INT32_MAX);
        QTest::newRow("empty string") << SettingValue::string(QString());
        QTest::newRow("blanks at both ends") << SettingValue::string(QStringLiteral("  padded  "));
        QTest::newRow("quotes inside and at the end") << SettingValue::string(QStringLiteral("say \"hi\""));
        QTest::newRow("percent signs") << SettingValue::string(QStringLiteral("100% and %41 literally"));
        QTest::newRow("line breaks and tabs") << SettingValue::string(QStringLiteral("a\r\nb\tc\nd\x7f"));
        QTest::newRow("backslash path") << SettingValue::string(QStringLiteral("D:\\Coins\\Repository\\"));
        QTest::newRow("equals and brackets") << SettingValue::string(QStringLiteral("[x]=y;z"));
        QTest::newRow("non-latin") << SettingValue::string(QStringLiteral("Zürich ✓ 日本 \U0001F4B0"));
        QTest::newRow("empty binary") << SettingValue::binary(QByteArray());
        QTest::newRow("money bytes") << SettingValue::binary(QByteArray::fromHex("00ff7f80010203fe"));
    }
    void valuesSurviveTheFileForm()
    {
        QFETCH(SettingValue, value);
        QCOMPARE(platform::decodeSetting(platform::encodeSetting(value)), value);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        FileSettingsStore(path).write(QStringLiteral("Value"), value);
        const std::optional<SettingValue> back = FileSettingsStore(path).read(QStringLiteral("Value"));
        QVERIFY(back);
        QCOMPARE(*back, value);
    }

    void foreignFormsReadAsUnknownType_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("bare number") << QStringLiteral("1");
        QTest::newRow("other type word") << QStringLiteral("dword:1");
        QTest::newRow("not a number") << QStringLiteral("int:abc");
        QTest::newRow("beyond 32 bits") << QStringLiteral("int:4294967296");
        QTest::newRow("unterminated string") << QStringLiteral("str:\"open");
        QTest::newRow("cut escape") << QStringLiteral("str:\"bad %4\"");
        QTest::newRow("escape of a plain letter") << QStringLiteral("str:\"%41\"");
        QTest::newRow("odd hex") << QStringLiteral("bin:abc");
        QTest::newRow("not hex") << QStringLiteral("bin:zz");
        QTest::newRow("empty") << QString();
    }
    void foreignFormsReadAsUnknownType()
    {
        QFETCH(QString, stored);
        const SettingValue v = platform::decodeSetting(stored);
        QCOMPARE(v.Type, SettingType::Unknown);
        // ...and go back to the file exactly as they were.
        QCOMPARE(platform::encodeSetting(v), stored);
    }

    void fileHoldsOneReadableLinePerValue()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        FileSettingsStore store(path);
        store.write(QStringLiteral("Auto Save"), SettingValue::integer(1));
        store.write(QStringLiteral("Repository"), SettingValue::string(QStringLiteral("D:\\Coins\n")));
        store.write(QStringLiteral("Gold price"), SettingValue::binary(QByteArray::fromHex("1027000000000000")));
        const QString text = QString::fromUtf8(readAll(path));
        QVERIFY(text.contains(QStringLiteral("\n[Coins]\n")));
        QVERIFY(text.contains(QStringLiteral("\nAuto Save=int:1\n")));
        QVERIFY(text.contains(QStringLiteral("\nRepository=str:\"D:\\Coins%0A\"\n")));
        QVERIFY(text.contains(QStringLiteral("\nGold price=bin:1027000000000000\n")));
    }

    void everyWriteReachesTheFileAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("deep/er/s.ini"));  // folders are made on demand
        FileSettingsStore first(path);
        first.write(QStringLiteral("Tip Index"), SettingValue::integer(7));
        // A second reader sees the value while the first store still lives,
        // as a crash right after the write would leave it.
        QCOMPARE(FileSettingsStore(path).read(QStringLiteral("Tip Index"))->Integer, 7);
        first.write(QStringLiteral("Show Tips"), SettingValue::integer(0));
        QCOMPARE(FileSettingsStore(path).names(), (QStringList{QStringLiteral("Tip Index"), QStringLiteral("Show Tips")}));
    }

    void namesIgnoreCaseAndKeepTheirFirstSpelling()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        FileSettingsStore store(path);
        store.write(QStringLiteral("Windowheight"), SettingValue::integer(600));
        store.write(QStringLiteral("WindowHeight"), SettingValue::integer(700));
        FileSettingsStore back(path);
        QCOMPARE(back.names(), QStringList{QStringLiteral("Windowheight")});
        QCOMPARE(back.read(QStringLiteral("WINDOWHEIGHT"))->Integer, 700);
        QVERIFY(!back.read(QStringLiteral("WindowWidth")));
    }

    // A file of many values (other programs' leftovers, long histories):
    // each is found by name whatever its case, in file order, a name given
    // twice keeping its first place and last value.
    void manyValuesLoadWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        constexpr int count = 50000;
        QByteArray text = "[Coins]\n";
        for (int i = 0; i < count; ++i)
            text += "Key" + QByteArray::number(i) + "=int:" + QByteArray::number(i) + "\n";
        text += "KEY7=int:-7\n";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        FileSettingsStore store(path);
        const QStringList names = store.names();
        QCOMPARE(names.size(), count);
        QCOMPARE(names.first(), QStringLiteral("Key0"));
        QCOMPARE(names.last(), QStringLiteral("Key%1").arg(count - 1));
        QCOMPARE(store.read(QStringLiteral("key7"))->Integer, -7);
        for (int i : {0, 1, 12345, count - 1})
            QCOMPARE(store.read(QStringLiteral("KEY%1").arg(i))->Integer, i == 7 ? -7 : i);
        store.write(QStringLiteral("key42"), SettingValue::integer(4242));
        store.write(QStringLiteral("New one"), SettingValue::integer(1));
        FileSettingsStore back(path);
        QCOMPARE(back.read(QStringLiteral("Key42"))->Integer, 4242);
        QCOMPARE(back.names().size(), count + 1);
        QCOMPARE(back.names()[42], QStringLiteral("Key42"));
    }

    void valuesOfUnknownFormSurviveOtherWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Coins]\nAuto Save=yes please\nPLU=str:\"1,2\"\n");
        f.close();
        FileSettingsStore store(path);
        QCOMPARE(store.read(QStringLiteral("Auto Save"))->Type, SettingType::Unknown);
        store.write(QStringLiteral("PLU"), SettingValue::string(QStringLiteral("3")));
        QVERIFY(QString::fromUtf8(readAll(path)).contains(QStringLiteral("\nAuto Save=yes please\n")));
    }

    void unreadableFileIsNeverOverwritten()
    {
        QTemporaryDir dir;
        // A folder where the file should be: it exists but cannot be read.
        const QString path = dir.filePath(QStringLiteral("s.ini"));
        QVERIFY(QDir().mkpath(path));
        FileSettingsStore store(path);
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.read(QStringLiteral("Auto Save")));
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.write(QStringLiteral("Auto Save"), SettingValue::integer(1)));
        QVERIFY(QFileInfo(path).isDir());
    }

    void failedWriteKeepsTheOldValue()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        // The settings folder would have to be made inside a plain file.
        FileSettingsStore store(blocker + QStringLiteral("/sub/s.ini"));
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.write(QStringLiteral("PLU"), SettingValue::string(QStringLiteral("x"))));
        QVERIFY(!store.read(QStringLiteral("PLU")));
    }

    void namesThatCannotBeStoredAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("leading blank") << QStringLiteral(" Report");
        QTest::newRow("equals sign") << QStringLiteral("a=b");
        QTest::newRow("section bracket") << QStringLiteral("[Coins]");
        QTest::newRow("line break") << QStringLiteral("a\nb");
    }
    void namesThatCannotBeStoredAreRefused()
    {
        QFETCH(QString, name);
        platform::MemorySettingsStore store;
        QVERIFY_THROWS_EXCEPTION(SettingsError, store.write(name, SettingValue::integer(1)));
        QVERIFY(store.names().isEmpty());
    }

    void settingsFileLivesUnderTheConfigFolder()
    {
        QTemporaryDir dir;
        qputenv("ORVANTA_HOME", dir.path().toUtf8());
        QCOMPARE(platform::settingsFilePath(), dir.filePath(QStringLiteral(".config/Orvanta/Settings.ini")));
        qunsetenv("ORVANTA_HOME");
    }
};

QTEST_APPLESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
