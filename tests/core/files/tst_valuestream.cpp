#include <QtTest>

#include <functional>
#include <random>

#include "core/files/valuestream.h"
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
        // UTF-8 only while it is shorter than UTF-16: 2 + 6 bytes for 4
        // units is not, 3 + 6 for 5 is.
        QTest::newRow("two 7-bit units and two ideographs are utf16")
            << QStringLiteral("ab\u65e5\u672c") << Bytes({18, 4, 0, 0, 0, 97, 0, 98, 0, 0xE5, 0x65});
        QTest::newRow("three 7-bit units and two ideographs are utf8")
            << QStringLiteral("abc\u65e5\u672c") << Bytes({20, 9, 0, 0, 0, 97, 98, 99, 0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC});
        QTest::newRow("7-bit run, cyrillic, 7-bit run is utf8")
            << QStringLiteral("Lot 12345678901234567, \u043f\u0430\u0442\u0438\u043d\u0430. Safe")
            << Bytes({20, 41, 0, 0, 0, 76, 111, 116, 32, 49});
        QTest::newRow("long 7-bit text ending in an accent is utf8")
            << QString(300, QLatin1Char('x')) + QStringLiteral("\u00e9") << Bytes({20, 46, 1, 0, 0, 120});
        QTest::newRow("long text turning to ideographs is utf16")
            << QString(10, QLatin1Char('x')) + QString(300, QChar(0x65e5)) << Bytes({18, 54, 1, 0, 0, 120, 0});
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

    void cp1252Text_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        // An 8-bit string from an older writer holds Windows-1252 bytes.
        QTest::newRow("short") << Bytes({6, 3, 0x80, 0xE9, 0x41}) << QStringLiteral("\u20ac\u00e9A");
        // Long 7-bit runs are widened in blocks; a code-page byte after one
        // must still be mapped, and one of the five unassigned bytes kept.
        QTest::newRow("after a long 7-bit run")
            << QByteArray("\x06\x15" "0123456789abcdefgh\x80\x81z", 23)
            << QStringLiteral("0123456789abcdefgh\u20ac\u0081z");
        QTest::newRow("long form, all 7-bit")
            << QByteArray("\x0c\x21\x00\x00\x00" "0123456789abcdef0123456789abcdefX", 38)
            << QStringLiteral("0123456789abcdef0123456789abcdefX");
    }
    void cp1252Text()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        ValueReader r(data);
        QCOMPARE(r.ReadString(), text);
        QVERIFY(r.AtEnd());
    }

    // A surrogate without its partner has no UTF-8 form: such text is
    // written as UTF-16 so that a rewrite never changes it.
    void unpairedSurrogates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tag");
        const QChar high(0xD83D), low(0xDE00);
        QTest::newRow("lone high at the end of 7-bit text") << QStringLiteral("Lot 12") + high << int(vaWString);
        QTest::newRow("lone low first") << QString(low) + QStringLiteral("abc") << int(vaWString);
        QTest::newRow("pair reversed") << QStringLiteral("x") + low + high << int(vaWString);
        QTest::newRow("lone high in Latin text")
            << QStringLiteral("Vente n\u00b0 5, patin\u00e9 ") + high + QStringLiteral("ok") << int(vaWString);
        QTest::newRow("lone high alone") << QString(high) << int(vaWString);
        // A whole pair is one character of four UTF-8 bytes.
        QTest::newRow("pair in 7-bit text is UTF-8")
            << QStringLiteral("abc") + high + low << int(vaUTF8String);
    }
    void unpairedSurrogates()
    {
        QFETCH(QString, text);
        QFETCH(int, tag);
        ValueWriter w;
        w.WriteString(text);
        QCOMPARE(int(uint8_t(w.Data()[0])), tag);
        ValueReader r(w.Data());
        const QString back = r.ReadString();
        QCOMPARE(back, text);
        QVERIFY(r.AtEnd());
        ValueWriter again;
        again.WriteString(back);
        QCOMPARE(again.Data(), w.Data());
    }

    // UTF-8 from a file, well-formed or not, reads as Qt's decoder reads it.
    void utf8LikeQt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two, three and four bytes") << QByteArray("a\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 z");
        QTest::newRow("long 7-bit run then accent") << QByteArray("0123456789abcdefghij\xc3\xa9");
        QTest::newRow("noncharacters") << QByteArray("a\xef\xbf\xbf\xef\xbf\xbe\xef\xb7\x90");
        QTest::newRow("largest code point") << QByteArray("a\xf4\x8f\xbf\xbf");
        QTest::newRow("overlong two bytes") << QByteArray("a\xc0\x80" "b");
        QTest::newRow("overlong three bytes") << QByteArray("a\xe0\x80\xaf" "b");
        QTest::newRow("encoded surrogate") << QByteArray("a\xed\xa0\x80" "b");
        QTest::newRow("beyond the last code point") << QByteArray("a\xf4\x90\x80\x80" "b");
        QTest::newRow("cut-off sequence at the end") << QByteArray("abc\xe2\x82");
        QTest::newRow("lone continuation byte") << QByteArray("ab\x80" "cd");
        QTest::newRow("byte never used") << QByteArray("ab\xff" "cd");
        QTest::newRow("byte-order mark first") << QByteArray("\xef\xbb\xbf" "abc\xc3\xa9");
    }
    void utf8LikeQt()
    {
        QFETCH(QByteArray, bytes);
        ValueWriter w;
        w.WriteRawByte(vaUTF8String);
        w.WriteRawInt32(int32_t(bytes.size()));
        QByteArray data = w.TakeData() + bytes;
        ValueReader r(data);
        QCOMPARE(r.ReadString(), QString::fromUtf8(bytes));
    }

    // The reader from a device takes the file in blocks: values that cross
    // a block's end, texts longer than a block and texts that repeat (which
    // the reader shares) read exactly as from memory, and the writer to a
    // device sends exactly the bytes it would collect.
    void devicesMatchMemory()
    {
        std::mt19937 rng(21);
        const QString pieces[] = {QStringLiteral("P"), QStringLiteral("Album 3"), QStringLiteral("\u0421\u0435\u0439\u0444"),
                                  QStringLiteral("patin\u00e9"), QStringLiteral("\u91d1\u5eab"), QString()};
        std::vector<std::function<void(ValueWriter &)>> writes;
        std::vector<std::function<void(ValueReader &)>> checks;
        for (int i = 0; i < 40000; ++i) {
            switch (rng() % 5) {
            case 0: {
                const int32_t v = int32_t(rng()) >> (rng() % 32);
                writes.push_back([v](ValueWriter &w) { w.WriteInteger(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadInteger(), v); });
                break;
            }
            case 1: {
                const bool v = rng() % 2;
                writes.push_back([v](ValueWriter &w) { w.WriteBoolean(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadBoolean(), v); });
                break;
            }
            case 2: {   // a repeating short text
                const QString v = pieces[rng() % std::size(pieces)];
                writes.push_back([v](ValueWriter &w) { w.WriteString(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadString(), v); });
                break;
            }
            case 3: {   // a distinct text, sometimes colliding in length with the others
                const QString v = pieces[rng() % std::size(pieces)] + QString::number(rng() % 100000);
                writes.push_back([v](ValueWriter &w) { w.WriteString(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadString(), v); });
                break;
            }
            default: {
                const int64_t v = (int64_t(rng()) << 32) | rng();
                writes.push_back([v](ValueWriter &w) { w.WriteInt64(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadInt64(), v); });
            }
            }
            if (i % 9000 == 0) {   // longer than a block
                const QString v = QString(70000 + i, QChar(u'a' + i % 26)) + QStringLiteral("\u00e9");
                writes.push_back([v](ValueWriter &w) { w.WriteString(v); });
                checks.push_back([v](ValueReader &r) { QCOMPARE(r.ReadString(), v); });
            }
        }
        ValueWriter memory;
        for (auto &write : writes)
            write(memory);
        QBuffer sink;
        QVERIFY(sink.open(QIODevice::WriteOnly));
        ValueWriter streamed(sink);
        for (auto &write : writes)
            write(streamed);
        QVERIFY(streamed.Finish());
        QCOMPARE(sink.data().size(), memory.Data().size());
        QVERIFY(sink.data() == memory.Data());

        QBuffer source(&sink.buffer());
        QVERIFY(source.open(QIODevice::ReadOnly));
        ValueReader r(source);
        QCOMPARE(r.Remaining(), memory.Data().size());
        for (auto &check : checks)
            check(r);
        QVERIFY(r.AtEnd());
        QCOMPARE(r.Position(), memory.Data().size());
    }

    void deviceErrors()
    {
        ValueWriter w;
        w.WriteString(QString(100000, QLatin1Char('q')));
        w.WriteInteger(7);
        QByteArray cut = w.Data().left(80000);
        {   // a device that ends early reads as the end of the data
            QBuffer source(&cut);
            QVERIFY(source.open(QIODevice::ReadOnly));
            ValueReader r(source);
            QVERIFY_THROWS_EXCEPTION(StreamReadError, r.ReadString());
        }
        {   // a device that refuses bytes fails the writer
            QByteArray fixed;
            QBuffer sink(&fixed);
            QVERIFY(sink.open(QIODevice::ReadOnly));
            ValueWriter streamed(sink);
            streamed.WriteString(QString(100000, QLatin1Char('q')));
            QVERIFY(!streamed.Finish());
            QVERIFY(streamed.Failed());
        }
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

    // Texts read share large blocks; each must still behave as a text of
    // its own: outlive the reader and the bytes, and change alone, whether
    // its block is shared with others or it is the last one left in it.
    void textsReadBehaveAsTheirOwn()
    {
        QStringList written;
        for (int i = 0; i < 6000; ++i) {
            switch (i % 4) {
            case 0: written << QStringLiteral("R~Folder\\%1a.jpg").arg(i); break;           // 8-bit
            case 1: written << QStringLiteral("Lot %1, \u043f\u0430\u0442\u0438\u043d\u0430").arg(i); break;  // UTF-8
            case 2: written << QStringLiteral("\u65e5\u672c %1").arg(i); break;               // UTF-16
            default: written << QString(i % 7 == 0 ? 1500 : 3, QChar(u'a' + i % 26)); break;   // long ones alone
            }
        }
        written << QString() << QStringLiteral("x");
        QList<QString> read;
        {
            ValueWriter w;
            for (const QString &t : written)
                w.WriteString(t);
            QByteArray bytes = w.TakeData();
            ValueReader r(bytes);
            for (int i = 0; i < written.size(); ++i)
                read << (i % 2 ? r.ReadString() : r.ReadUniqueString());
            QVERIFY(r.AtEnd());
            bytes.fill('\0');
        }
        QCOMPARE(read, written);
        QVERIFY(read.at(written.size() - 2).isEmpty());

        // Changing one text leaves its neighbours in the block as they were.
        read[10].append(QStringLiteral("!"));
        read[11].prepend(QStringLiteral("<"));
        read[12].data()[0] = QLatin1Char('#');
        read[13].resize(1);
        read[14].clear();
        QString copy = read[15];
        copy[0] = QLatin1Char('?');
        written[10].append(QStringLiteral("!"));
        written[11].prepend(QStringLiteral("<"));
        written[12][0] = QLatin1Char('#');
        written[13].resize(1);
        written[14].clear();
        QCOMPARE(read, written);
        QCOMPARE(copy.mid(1), written[15].mid(1));

        // The last text of a block may grow in place; the others are gone.
        QString last = read[20];
        read.clear();
        last.append(QString(5000, QLatin1Char('z')));
        last.prepend(QStringLiteral(">"));
        QCOMPARE(last, QStringLiteral(">") + written[20] + QString(5000, QLatin1Char('z')));
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
