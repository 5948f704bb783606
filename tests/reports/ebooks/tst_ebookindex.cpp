// The eBook index file: bytes written and read back exactly, headers that
// are or are not ours, and which index file the finder gives which PDF.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "reports/ebooks/ebookindex.h"

namespace {

QByteArray Header(const QByteArray &sizeField)
{
    return QByteArrayLiteral(" Quillfen Software \r") + sizeField;
}

QByteArray Pair(int32_t series, int32_t page)
{
    QByteArray b(8, '\0');
    qToLittleEndian<int32_t>(series, b.data());
    qToLittleEndian<int32_t>(page, b.data() + 4);
    return b;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class tst_EbookIndex : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void headerIsSignatureAndFifteenDigits_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("small") << qint64(1234) << QByteArray("000000000001234");
        QTest::newRow("zero") << qint64(0) << QByteArray("000000000000000");
        QTest::newRow("sixteen digits keep the last fifteen") << qint64(1234567890123456) << QByteArray("234567890123456");
    }
    void headerIsSignatureAndFifteenDigits()
    {
        QFETCH(qint64, size);
        QFETCH(QByteArray, field);
        const QByteArray header = EbookIndexHeader(size);
        QCOMPARE(header.size(), 35);
        QCOMPARE(header, Header(field));
    }

    void writerIsByteExact()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.eBook"));
        WriteEbookIndex(path, 777, {1001, -5, 5000123}, {3, 70000, 1});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), Header("000000000000777") + Pair(1001, 3) + Pair(-5, 70000) + Pair(5000123, 1));
    }

    void writerReplacesAWholeFile()
    {
        // A longer old file must not leave a tail behind the new pairs.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.eBook"));
        WriteFile(path, Header("000000000000009") + Pair(1, 1) + Pair(2, 2) + Pair(3, 3));
        WriteEbookIndex(path, 9, {4}, {4});
        QCOMPARE(QFileInfo(path).size(), 43);
    }

    void writerFailureIsTyped()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(EbookWriteError,
                                 WriteEbookIndex(dir.filePath(QStringLiteral("no/such/folder/a.eBook")), 1, {}, {}));
    }

    void readerTakesWholePairsOnly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("pairs");
        const QByteArray h = Header("000000000000100");
        QTest::newRow("header only") << h << 0 << 0;
        QTest::newRow("header and 7 bytes") << h + QByteArray(7, 'x') << 0 << 0;
        QTest::newRow("two pairs and 5 bytes") << h + Pair(10, 2) + Pair(11, 3) + QByteArray(5, 'x') << 0 << 2;
        QTest::newRow("shorter than a header") << h.left(30) << 2 << 0;
    }
    void readerTakesWholePairsOnly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(int, pairs);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.eBook"));
        WriteFile(path, bytes);
        const tEbookIndexRead read = ReadEbookIndex(path);
        QCOMPARE(int(read.Status), status);
        QCOMPARE(int(read.SeriesNumbers.size()), pairs);
        QCOMPARE(int(read.PageNumbers.size()), pairs);
        if (pairs == 2) {
            QCOMPARE(read.SeriesNumbers, (std::vector<int32_t>{10, 11}));
            QCOMPARE(read.PageNumbers, (std::vector<int32_t>{2, 3}));
        }
    }

    void readerOfAMissingFile()
    {
        QTemporaryDir dir;
        QCOMPARE(int(ReadEbookIndex(dir.filePath(QStringLiteral("none.eBook"))).Status), 1);
    }

    void roundTripDropsTheLeftOverBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.eBook"));
        WriteFile(path, Header("000000000000100") + Pair(7, 8) + QByteArray(5, 'x'));
        const tEbookIndexRead read = ReadEbookIndex(path);
        WriteEbookIndex(path, 100, read.SeriesNumbers, read.PageNumbers);
        QCOMPARE(QFileInfo(path).size(), 35 + 8);
    }

    void headerParsing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size");  // -1: not an index
        QTest::newRow("ours") << Header("000000000004096") << qint64(4096);
        QTest::newRow("byte 19 may be anything") << QByteArrayLiteral(" Quillfen Software X000000000000005") << qint64(5);
        QTest::newRow("signature differs") << QByteArrayLiteral(" Quillfen Softwar3 \r000000000000005") << qint64(-1);
        QTest::newRow("short") << Header("00000000000") << qint64(-1);
        QTest::newRow("letters in the size") << Header("0000000000001x5") << qint64(-1);
        QTest::newRow("blank in the size") << Header("             12") << qint64(-1);
    }
    void headerParsing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        const std::optional<qint64> parsed = ParseEbookIndexHeader(bytes);
        QCOMPARE(parsed.value_or(-1), size);
    }

    // Which index each PDF gets; pdfs and indexes are listed "name:size",
    // expected is one entry per PDF ("" none).
    void finder_data()
    {
        QTest::addColumn<QStringList>("pdfs");
        QTest::addColumn<QStringList>("indexes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("same name and size") << QStringList{"Coins.pdf:100"} << QStringList{"Coins.eBook:100"}
                                            << QStringList{"Coins.eBook"};
        QTest::newRow("renamed PDF found by size") << QStringList{"Coins 2.pdf:100"}
                                                   << QStringList{"Coins.eBook:100"} << QStringList{"Coins.eBook"};
        QTest::newRow("larger new edition found by name") << QStringList{"Coins.pdf:250"}
                                                          << QStringList{"Coins.eBook:100"} << QStringList{"Coins.eBook"};
        QTest::newRow("neither name nor size") << QStringList{"Coins.pdf:250"} << QStringList{"Notes.eBook:100"}
                                               << QStringList{""};
        QTest::newRow("a name match beats a size match")
            << QStringList{"Coins.pdf:100"} << QStringList{"Coins.eBook:50", "Other.eBook:100"}
            << QStringList{"Coins.eBook"};
        QTest::newRow("an index named for another PDF is not taken by size")
            << QStringList{"A.pdf:100", "B.pdf:100"} << QStringList{"B.eBook:100"} << QStringList{"", "B.eBook"};
        QTest::newRow("two PDFs of one size never share an index")
            << QStringList{"A.pdf:100", "C.pdf:100"} << QStringList{"X.eBook:100"} << QStringList{"X.eBook", ""};
        QTest::newRow("each of two equal sizes takes its own")
            << QStringList{"A.pdf:100", "C.pdf:100"} << QStringList{"X.eBook:100", "Y.eBook:100"}
            << QStringList{"Y.eBook", "X.eBook"};
        QTest::newRow("an exact name beats one ignoring case")
            << QStringList{"COINS.pdf:1", "coins.pdf:2"} << QStringList{"coins.eBook:9"} << QStringList{"", "coins.eBook"};
        QTest::newRow("ignoring case when nothing is exact") << QStringList{"COINS.PDF:1"}
                                                             << QStringList{"coins.ebook:9"} << QStringList{"coins.ebook"};
        QTest::newRow("two names of one book: the exact one")
            << QStringList{"Coins.pdf:1"} << QStringList{"COINS.eBook:9", "Coins.eBook:9"} << QStringList{"Coins.eBook"};
    }
    void finder()
    {
        QFETCH(QStringList, pdfs);
        QFETCH(QStringList, indexes);
        QFETCH(QStringList, expected);
        std::vector<tPdfEntry> p;
        for (const QString &e : pdfs)
            p.push_back({e.section(QLatin1Char(':'), 0, 0), e.section(QLatin1Char(':'), 1).toLongLong()});
        std::vector<tIndexCandidate> c;
        for (const QString &e : indexes)
            c.push_back({e.section(QLatin1Char(':'), 0, 0), e.section(QLatin1Char(':'), 1).toLongLong()});
        const std::vector<QString> got = AssignEbookIndexes(p, c);
        QCOMPARE(QStringList(got.begin(), got.end()), expected);
    }

    // The folder listing: only readable headers are candidates, so a file
    // named like the PDF with a foreign signature is never used, and a short
    // or damaged one does not stop the listing.
    void folderCandidates()
    {
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("Good.eBook")), Header("000000000000012") + Pair(1, 2));
        WriteFile(dir.filePath(QStringLiteral("Foreign.eBook")), QByteArrayLiteral("Some other program's index data"));
        WriteFile(dir.filePath(QStringLiteral("Short.eBook")), QByteArrayLiteral(" Quillfen"));
        WriteFile(dir.filePath(QStringLiteral("Digits.ebook")), Header("00000000000001?"));
        WriteFile(dir.filePath(QStringLiteral("Book.pdf")), QByteArray(12, 'p'));
        WriteFile(dir.filePath(QStringLiteral("Other.PDF")), QByteArray(3, 'p'));
        WriteFile(dir.filePath(QStringLiteral("notes.txt")), QByteArray(3, 't'));
        const std::vector<tIndexCandidate> c = ListEbookIndexCandidates(dir.path());
        QCOMPARE(int(c.size()), 1);
        QCOMPARE(c[0].FileName, QStringLiteral("Good.eBook"));
        QCOMPARE(c[0].SizeField, 12);
        const std::vector<tPdfEntry> p = ListEbookPdfs(dir.path());
        QCOMPARE(int(p.size()), 2);
        QCOMPARE(p[0].FileName, QStringLiteral("Book.pdf"));
        QCOMPARE(p[0].Size, 12);
        QCOMPARE(p[1].FileName, QStringLiteral("Other.PDF"));
    }
};

QTEST_GUILESS_MAIN(tst_EbookIndex)
#include "tst_ebookindex.moc"
