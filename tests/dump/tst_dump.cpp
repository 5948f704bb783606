#include <QtTest>

#include "core/collectionfile.h"
#include "core/mainstate.h"
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
        p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../orvanta-dump"), args);
        tRun r;
        if (!p.waitForFinished(60000))
            return r;
        r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.Out = p.readAllStandardOutput();
        r.Err = QString::fromUtf8(p.readAllStandardError());
        return r;
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
