#include <QtTest>

#include "core/valuestream.h"
#include "support/testsupport.h"

class tst_ValueStream : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void integerWidth_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("as64");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("zero") << qint64(0) << false << Bytes({2, 0});
        QTest::newRow("127") << qint64(127) << false << Bytes({2, 127});
        QTest::newRow("-128") << qint64(-128) << false << Bytes({2, 128});
        QTest::newRow("128 needs two bytes") << qint64(128) << false << Bytes({3, 128, 0});
        QTest::newRow("-129") << qint64(-129) << false << Bytes({3, 127, 255});
        QTest::newRow("32768 needs four") << qint64(32768) << false << Bytes({4, 0, 128, 0, 0});
        QTest::newRow("int32 min") << qint64(INT32_MIN) << false << Bytes({4, 0, 0, 0, 128});
        QTest::newRow("64-bit small") << qint64(5) << true << Bytes({2, 5});
        QTest::newRow("64-bit beyond int32")
            << qint64(3000000000LL) << true << Bytes({19, 0x00, 0x5E, 0xD0, 0xB2, 0, 0, 0, 0});
    }
    void integerWidth()
    {
        QFETCH(qint64, value);
        QFETCH(bool, as64);
        QFETCH(QByteArray, expected);
        ValueWriter w;
        if (as64)
            w.WriteInt64(value);
        else
            w.WriteInteger(static_cast<int32_t>(value));
        QCOMPARE(w.Data(), expected);
        ValueReader r(w.Data());
        QCOMPARE(r.ReadInt64(), value);
        QVERIFY(r.AtEnd());
    }

    void stringEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("ascii short") << QStringLiteral("abc") << Bytes({6, 3, 97, 98, 99});
        QTest::newRow("empty is utf16") << QString() << Bytes({18, 0, 0, 0, 0});
        QTest::newRow("one accented letter is utf16") << QStringLiteral("\u00e9") << Bytes({18, 1, 0, 0, 0, 233, 0});
        QTest::newRow("mostly latin is utf8") << QStringLiteral("a\u00e9") << Bytes({20, 3, 0, 0, 0, 97, 195, 169});
        QTest::newRow("255 ascii") << QString(255, QLatin1Char('x')) << Bytes({6, 255});
        QTest::newRow("256 ascii") << QString(256, QLatin1Char('x')) << Bytes({12, 0, 1, 0, 0});
        QTest::newRow("cyrillic is utf16") << QStringLiteral("\u0420\u0443\u0431") << Bytes({18, 3, 0, 0, 0});
    }
    void stringEncoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, prefix);
        ValueWriter w;
        w.WriteString(text);
        QVERIFY2(w.Data().startsWith(prefix), w.Data().toHex().constData());
        ValueReader r(w.Data());
        QCOMPARE(r.ReadString(), text);
        QVERIFY(r.AtEnd());
    }

    void otherValues()
    {
        ValueWriter w;
        w.WriteBoolean(true);
        w.WriteSingle(1.0f);
        w.WriteCurrency(15000);
        QCOMPARE(w.Data(), Bytes({9, 15, 0, 0, 128, 63, 16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}));
        ValueReader r(w.Data());
        QCOMPARE(r.ReadBoolean(), true);
        QCOMPARE(r.ReadSingle(), 1.0f);
        QCOMPARE(r.ReadCurrency(), Money(15000));
    }

    void cp1252Text()
    {
        // An 8-bit string from an older writer holds Windows-1252 bytes.
        const QByteArray data = Bytes({6, 3, 0x80, 0xE9, 0x41});
        ValueReader r(data);
        QCOMPARE(r.ReadString(), QStringLiteral("\u20ac\u00e9A"));
    }

    void acceptRules()
    {
        {   // a single read where an integer was written converts it
            ValueWriter w;
            w.WriteInteger(7);
            ValueReader r(w.Data());
            QCOMPARE(r.ReadSingle(), 7.0f);
        }
        {   // currency from an integer is whole units
            ValueWriter w;
            w.WriteInteger(3);
            ValueReader r(w.Data());
            QCOMPARE(r.ReadCurrency(), Money(30000));
        }
        {   // a character from a one-character string
            ValueWriter w;
            w.WriteString(QStringLiteral("Q"));
            w.WriteString(QStringLiteral("QR"));
            ValueReader r(w.Data());
            QCOMPARE(r.ReadChar(), QLatin1Char('Q'));
            QVERIFY_THROWS_EXCEPTION(StreamReadError, r.ReadChar());
        }
    }

    void errors_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("message");
        // op: 0 integer, 1 boolean, 2 string, 3 list begin, 4 list end
        QTest::newRow("integer where string") << Bytes({6, 1, 65}) << 0 << QString::fromLatin1(InvalidPropertyValue);
        QTest::newRow("boolean where integer") << Bytes({2, 1}) << 1 << QString::fromLatin1(InvalidPropertyValue);
        QTest::newRow("integer where int64") << Bytes({19, 0, 0, 0, 0, 1, 0, 0, 0}) << 0
                                             << QString::fromLatin1(InvalidPropertyValue);
        QTest::newRow("list begin where integer") << Bytes({2, 1}) << 3 << QString::fromLatin1(InvalidPropertyValue);
        QTest::newRow("list end where list") << Bytes({1}) << 4 << QString::fromLatin1(InvalidPropertyValue);
        QTest::newRow("empty stream") << QByteArray() << 0 << QString::fromLatin1(StreamReadErrorText);
        QTest::newRow("truncated int32") << Bytes({4, 1, 2}) << 0 << QString::fromLatin1(StreamReadErrorText);
        QTest::newRow("string longer than the data") << Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 65}) << 2
                                                     << QString::fromLatin1(StreamReadErrorText);
        QTest::newRow("huge utf16 count") << Bytes({18, 0xFF, 0xFF, 0xFF, 0xFF}) << 2
                                          << QString::fromLatin1(StreamReadErrorText);
        QTest::newRow("unused tag") << Bytes({17, 0, 0, 0, 0, 0, 0, 0, 0}) << 2
                                    << QString::fromLatin1(InvalidPropertyValue);
    }
    void errors()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, op);
        QFETCH(QString, message);
        ValueReader r(data);
        try {
            switch (op) {
            case 0: r.ReadInteger(); break;
            case 1: r.ReadBoolean(); break;
            case 2: r.ReadString(); break;
            case 3: r.ReadListBegin(); break;
            case 4: r.ReadListEnd(); break;
            }
            QFAIL("no error raised");
        } catch (const StreamReadError &e) {
            QCOMPARE(QString::fromLatin1(e.what()), message);
        }
    }

    void listExpectationStepsOverTheValue()
    {
        ValueWriter w;
        w.WriteString(QStringLiteral("abc"));
        w.WriteListEnd();
        ValueReader r(w.Data());
        QVERIFY_THROWS_EXCEPTION(StreamReadError, r.ReadListBegin());
        QCOMPARE(r.Position(), qsizetype(5));
    }
};

QTEST_APPLESS_MAIN(tst_ValueStream)
#include "tst_valuestream.moc"
