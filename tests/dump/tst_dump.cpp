#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/files/collectionfile.h"
#include "core/model/mainstate.h"
#include "support/collectionfixture.h"

// Runs the orvanta-dump program built beside the tests.
class tst_Dump : public QObject {
    Q_OBJECT

    struct tRun {
        int Exit = -1;
        QByteArray Out;
        QString Err;
    };

    tRun Run(const QStringList &args)
    {
        QProcess p;
        p.start(DumpProgram(), args);
        tRun r;
        if (!p.waitForFinished(60000))
            return r;
        r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.Out = p.readAllStandardOutput();
        r.Err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QString DumpProgram() const
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/../orvanta-dump");
    }

    struct tMeasured {
        int Exit = -1;
        long PeakKb = 0;
    };

    // Runs orvanta-dump on path with its output thrown away and returns
    // its peak memory, which only waiting for the process itself reports.
    tMeasured RunMeasured(const QString &path)
    {
        const QByteArray program = QFile::encodeName(DumpProgram());
        const QByteArray file = QFile::encodeName(path);
        char *const argv[] = {const_cast<char *>(program.constData()), const_cast<char *>(file.constData()), nullptr};
        tMeasured m;
        const pid_t pid = fork();
        if (pid < 0)
            return m;
        if (pid == 0) {
            const int sink = open("/dev/null", O_WRONLY);
            dup2(sink, STDOUT_FILENO);
            execv(argv[0], argv);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid)
            return m;
        m.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        m.PeakKb = usage.ru_maxrss;
        return m;
    }

    static constexpr int ChainDepth = 200;

    // The root, then depth series each below the one before, the entries
    // in the deepest.
    static tFixtureCollection ChainFixture(int depth, int entries)
    {
        tFixtureCollection c;
        tFixtureSeries root;
        root.NodeName = QStringLiteral("Entire Collection");
        root.CoinType = 1;
        c.Series.push_back(root);
        for (int k = 1; k <= depth; ++k) {
            tFixtureSeries s;
            s.NodeName = QStringLiteral("Level %1").arg(k);
            s.CoinType = 1000 + k;
            s.Parent = k == 1 ? 1 : 1000 + k - 1;
            s.Measure1 = 19.05f;
            c.Series.push_back(s);
        }
        for (int i = 0; i < entries; ++i) {
            tFixtureCoin coin;
            coin.CoinType = 1000 + depth;
            coin.Year = 1900 + i % 120;
            coin.Mint = QStringLiteral("P");
            coin.Notes = QStringLiteral("Lot %1, spring show.\r\nCertificate in the safe.").arg(i);
            coin.Obverse = QStringLiteral("R~coins\\%1a.jpg").arg(i);
            coin.Inventory = i + 1;
            c.Coins.push_back(coin);
        }
        return c;
    }

    // Every kind of text JSON must escape or encode, numbers of every
    // size, and a chain of series ChainDepth deep.
    static tFixtureCollection OddTextsFixture()
    {
        tFixtureCollection c = ChainFixture(ChainDepth, 0);
        c.ThemeNames[0] = QStringLiteral("\u041f\u0442\u0438\u0446\u044b");
        c.ThemeNames[1] = QStringLiteral("tab\there");
        c.ColumnLayout = QStringLiteral("0,75,1,54");
        c.Fields = {{2, QStringLiteral("Slab \"grade\""), 10, QStringLiteral("Good,Bad"), 255}};
        c.Stored = {QStringLiteral("Album"), QStringLiteral("\\\\server\\coins")};
        const QString names[] = {
            QStringLiteral("Caf\u00e9 \"quoted\" \\ back"),
            QStringLiteral("\u4e2d\u56fd ") + QChar(0xD83D) + QChar(0xDE00),
            QStringLiteral("ctl") + QChar(1) + QChar(0x1F) + QChar(0x7F) + QStringLiteral(" end"),
            QStringLiteral("lone ") + QChar(0xD800) + QStringLiteral(" high"),
            QStringLiteral("lone ") + QChar(0xDC00) + QStringLiteral(" low"),
        };
        const float measures[] = {24.26f, 0.1f, 1e-7f, 3.4e38f, -2.5f};
        for (int i = 0; i < 5; ++i) {
            tFixtureSeries s;
            s.NodeName = names[i];
            s.CoinType = 2000 + i;
            s.Parent = 1;
            s.Measure1 = measures[i];
            c.Series.push_back(s);
        }
        const QString notes[] = {
            QStringLiteral("line one\r\nline two \u00e9"),
            QStringLiteral("\b\f\n\r\t\"\\/"),
            QString(QChar(0xD83D)) + QChar(0xDE00) + QStringLiteral(" and ") + QChar(0xD83D) + QStringLiteral(" alone"),
        };
        for (int i = 0; i < 3; ++i) {
            tFixtureCoin coin;
            coin.CoinType = 2000 + i;
            coin.Notes = notes[i];
            coin.Mint = QStringLiteral("\u0421\u041f\u041c\u0414");
            coin.BuyPrice = -12345600;
            coin.Inventory = i + 1;
            c.Coins.push_back(coin);
        }
        return c;
    }

    QString Fixture(int version, const QString &name, const QString &programVersion = QStringLiteral("1.0.0"))
    {
        tFixtureCollection c;
        c.Version = version;
        c.ProgramVersion = programVersion;
        c.ThemeNames[0] = QStringLiteral("\u041f\u0442\u0438\u0446\u044b");
        c.ColumnLayout = QStringLiteral("0,75");
        tFixtureSeries root;
        root.NodeName = QStringLiteral("Entire Collection");
        root.CoinType = 1;
        tFixtureSeries country;
        country.NodeName = QStringLiteral("Canada");
        country.CoinType = 64000;
        country.Parent = 1;
        country.Measure1 = 24.26f;
        c.Series = {root, country};
        tFixtureCoin coin;
        coin.CoinType = 64000;
        coin.Grade = 6;
        coin.BuyPrice = -12345600;
        coin.Inventory = 5;
        c.Coins = {coin};
        const QString path = dir_.filePath(name);
        return WriteCollectionFixture(path, c) ? path : QString();
    }

private Q_SLOTS:
    void printsJson()
    {
        const QString path = Fixture(95486, QStringLiteral("a.OVD"));
        const tRun r = Run({path});
        QCOMPARE(r.Exit, 0);
        QJsonParseError err{};
        const QJsonObject doc = QJsonDocument::fromJson(r.Out, &err).object();
        QCOMPARE(err.error, QJsonParseError::NoError);
        QCOMPARE(doc[QStringLiteral("kind")].toString(), QStringLiteral("collection"));
        const QJsonObject c = doc[QStringLiteral("content")].toObject();
        QCOMPARE(c[QStringLiteral("ThemeNames")].toArray()[0].toString(), QStringLiteral("\u041f\u0442\u0438\u0446\u044b"));
        const QJsonObject canada =
            c[QStringLiteral("EntireCollection")].toObject()[QStringLiteral("ChildNodes")].toArray()[0].toObject();
        QCOMPARE(canada[QStringLiteral("NodeName")].toString(), QStringLiteral("Canada"));
        QCOMPARE(canada[QStringLiteral("Measure1")].toDouble(), 24.26);
        const QJsonObject coin = c[QStringLiteral("CoinList")].toArray()[0].toObject();
        QCOMPARE(coin[QStringLiteral("BuyPrice")].toString(), QStringLiteral("-1234.5600"));
        QCOMPARE(coin[QStringLiteral("Folder")].toInt(), 64000);
    }

    // Rewriting an older file gives the current version with the same content;
    // rewriting a current file gives the same bytes.
    void rewrite_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("oldest") << 95461;
        QTest::newRow("measures as integers") << 95470;
        QTest::newRow("current") << 95486;
    }
    void rewrite()
    {
        QFETCH(int, version);
        const QString in = Fixture(version, QStringLiteral("in%1.OVD").arg(version));
        const QString out = dir_.filePath(QStringLiteral("out%1.OVD").arg(version));
        const tRun r = Run({QStringLiteral("--rewrite"), in, out});
        QCOMPARE(r.Exit, 0);
        QCOMPARE(Run({in}).Out, Run({out}).Out);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray written = f.readAll();
        QCOMPARE(written.mid(1, 5), QByteArray("\x04\xfe\x74\x01\x00", 5));   // version 95486
        if (version == CollectionFileVersion) {
            QFile g(in);
            QVERIFY(g.open(QIODevice::ReadOnly));
            QCOMPARE(written, g.readAll());
        }
    }

    void refusesBadFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QByteArray truncated;
        {
            QFile f(Fixture(95486, QStringLiteral("whole.OVD")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            truncated = f.readAll();
            truncated.chop(20);
        }
        QTest::newRow("truncated") << "t.OVD" << truncated << "Stream read error";
        QTest::newRow("text where a count belongs")
            << "r.OVD" << QByteArray("\x01\x04\xee\x74\x01\x00\x06\x05hello", 13) << "Invalid property value";
        QTest::newRow("not a collection") << "n.OVD" << QByteArray("PK\x03\x04") << "Not a collection file";
        QTest::newRow("unknown kind") << "x.TXT" << QByteArray("text") << "Unknown kind of file";
    }
    void refusesBadFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = dir_.filePath(name);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const tRun r = Run({path});
        QCOMPARE(r.Exit, 1);
        QVERIFY2(r.Err.contains(message), qPrintable(r.Err));
        QVERIFY(r.Out.isEmpty());
        const QString out = dir_.filePath(QStringLiteral("never.OVD"));
        QCOMPARE(Run({QStringLiteral("--rewrite"), path, out}).Exit, 1);
        QVERIFY(!QFile::exists(out));
    }

    void refusesNewerProgram()
    {
        const tRun r = Run({Fixture(95486, QStringLiteral("newer.OVD"), QStringLiteral("99.0.0"))});
        QCOMPARE(r.Exit, 1);
        QVERIFY2(r.Err.contains(QStringLiteral("newer version of Orvanta (99.0.0)")), qPrintable(r.Err));
    }

    // The printed document is laid out exactly as Qt lays out the same
    // JSON (so earlier dumps compare line by line), whatever the texts
    // hold, and a deep tree prints every level in place.
    void printsAsQtLaysOut()
    {
        tFixtureCollection c = OddTextsFixture();
        const QString path = dir_.filePath(QStringLiteral("odd.OVD"));
        QVERIFY(WriteCollectionFixture(path, c));
        const tRun r = Run({path});
        QCOMPARE(r.Exit, 0);
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(r.Out, &err);
        QCOMPARE(err.error, QJsonParseError::NoError);
        QCOMPARE(doc.toJson(QJsonDocument::Indented), r.Out);
        // Down the chain of series, each one level deeper.
        QJsonObject node = doc[QStringLiteral("content")][QStringLiteral("EntireCollection")].toObject();
        for (int level = 1; level <= ChainDepth; ++level) {
            const QJsonArray children = node[QStringLiteral("ChildNodes")].toArray();
            QVERIFY(!children.isEmpty());
            node = children.first().toObject();
            QCOMPARE(node[QStringLiteral("NodeName")].toString(), QStringLiteral("Level %1").arg(level));
        }
        QVERIFY(node[QStringLiteral("ChildNodes")].toArray().isEmpty());
        const QJsonObject coin = doc[QStringLiteral("content")][QStringLiteral("CoinList")][0].toObject();
        QCOMPARE(coin[QStringLiteral("Notes")].toString(), c.Coins[0].Notes);
    }

    // Memory grows with the collection, not with the text printed: a deep
    // tree (whose text grows with the square of its depth) and many
    // entries print within a fixed bound.
    void boundedMemory_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("entries");
        QTest::newRow("2,000 deep") << 2000 << 1;
        QTest::newRow("30,000 entries") << 1 << 30000;
    }
    void boundedMemory()
    {
        QFETCH(int, depth);
        QFETCH(int, entries);
        const QString path = dir_.filePath(QStringLiteral("big%1.OVD").arg(depth));
        QVERIFY(WriteCollectionFixture(path, ChainFixture(depth, entries)));
        const tMeasured m = RunMeasured(path);
        QCOMPARE(m.Exit, 0);
        QVERIFY2(m.PeakKb < 150 * 1024, qPrintable(QStringLiteral("peak %1 KB").arg(m.PeakKb)));
    }

    void usage()
    {
        QCOMPARE(Run({}).Exit, 2);
        QCOMPARE(Run({QStringLiteral("--rewrite"), QStringLiteral("a.OVD")}).Exit, 2);
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(tst_Dump)
#include "tst_dump.moc"
