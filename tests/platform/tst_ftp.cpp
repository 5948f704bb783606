#include <QtTest>

#include "platform/ftp.h"
#include "support/ftpserver.h"

using namespace platform;

namespace {

QByteArray Pattern(int size)
{
    QByteArray b;
    b.reserve(size);
    for (int i = 0; i < size; ++i)
        b.append(static_cast<char>((i * 7 + i / 251) & 0xFF));
    return b;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

FtpAccount AccountFor(const LoopbackFtpServer &server, const QString &password = QStringLiteral("secret"))
{
    FtpAccount a;
    a.host = server.host();
    a.user = QStringLiteral("tester");
    a.password = password;
    return a;
}

FtpTimeouts Quick()
{
    FtpTimeouts t;
    t.connectMs = 5000;
    t.readMs = 10000;
    return t;
}

const FtpEntry *Find(const std::vector<FtpEntry> &entries, const QString &name)
{
    for (const FtpEntry &e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

} // namespace

class tst_Ftp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsChangesFolderAndFetches()
    {
        LoopbackFtpServer server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        const QByteArray spot = Pattern(5000);
        server.putFile(QStringLiteral("Spot prices"), spot);
        server.putFile(QStringLiteral("Prices7/PriceDates.Dat"), Pattern(10));
        server.putFile(QStringLiteral("Prices7/United States.OVP"), Pattern(1234));

        auto client = newCurlFtpClient();
        QVERIFY(!client->connected());
        client->connectTo(AccountFor(server), Quick());
        QVERIFY(client->connected());

        const std::vector<FtpEntry> top = client->list();
        QCOMPARE(top.size(), size_t(2));
        QVERIFY(Find(top, QStringLiteral("Prices7")) && Find(top, QStringLiteral("Prices7"))->isDir);
        QCOMPARE(Find(top, QStringLiteral("Spot prices"))->size, qint64(5000));

        client->changeDir(QStringLiteral("/Prices7"));
        QCOMPARE(client->currentDir(), QStringLiteral("/Prices7"));
        const std::vector<FtpEntry> prices = client->list();
        QVERIFY(Find(prices, QStringLiteral("United States.OVP")));
        QCOMPARE(Find(prices, QStringLiteral("United States.OVP"))->size, qint64(1234));

        // A folder the server refuses leaves the current one in force.
        QVERIFY_THROWS_EXCEPTION(FtpError, client->changeDir(QStringLiteral("/Images")));
        QCOMPARE(client->currentDir(), QStringLiteral("/Prices7"));

        QTemporaryDir local;
        const QString target = local.filePath(QStringLiteral("United States.OVP"));
        qint64 lastProgress = -1;
        client->setProgress([&](qint64 done) { lastProgress = done; });
        client->get(QStringLiteral("United States.OVP"), target, false);
        QCOMPARE(ReadAll(target), Pattern(1234));
        QCOMPARE(lastProgress, qint64(1234));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));

        // Back to the starting folder by an absolute path, then a relative step.
        client->changeDir(QStringLiteral("/"));
        client->get(QStringLiteral("Spot prices"), local.filePath(QStringLiteral("Spot prices")), false);
        QCOMPARE(ReadAll(local.filePath(QStringLiteral("Spot prices"))), spot);
        client->changeDir(QStringLiteral("Prices7"));
        QCOMPARE(client->currentDir(), QStringLiteral("/Prices7"));
        QVERIFY(Find(client->list(), QStringLiteral("PriceDates.Dat")));

        client->disconnect();
        QVERIFY(!client->connected());
        QVERIFY_THROWS_EXCEPTION(FtpError, client->list());
    }

    void failedFetchKeepsTheLastGoodFile_data()
    {
        QTest::addColumn<int>("dropAfter");
        QTest::addColumn<QString>("remote");
        QTest::newRow("server drops the transfer mid-way") << 700 << QStringLiteral("data.bin");
        QTest::newRow("file absent on the server") << -1 << QStringLiteral("absent.bin");
    }
    void failedFetchKeepsTheLastGoodFile()
    {
        QFETCH(int, dropAfter);
        QFETCH(QString, remote);
        LoopbackFtpServer::Options o;
        o.dropAfter = dropAfter;
        LoopbackFtpServer server(o);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("data.bin"), Pattern(200000));

        QTemporaryDir local;
        const QString target = local.filePath(QStringLiteral("data.bin"));
        WriteAll(target, "yesterday's file");
        auto client = newCurlFtpClient();
        client->connectTo(AccountFor(server), Quick());
        QVERIFY_THROWS_EXCEPTION(FtpError, client->get(remote, target, false));
        QCOMPARE(ReadAll(target), QByteArray("yesterday's file"));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
        // The connection is still usable for the next step.
        QVERIFY(!client->list().empty());
    }

    void resumeContinuesAPartialFile()
    {
        LoopbackFtpServer::Options dropping;
        dropping.dropAfter = 30000;
        const QByteArray whole = Pattern(100000);
        QTemporaryDir local;
        const QString target = local.filePath(QStringLiteral("pack.zip"));
        {
            LoopbackFtpServer server(dropping);
            QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
            server.putFile(QStringLiteral("pack.zip"), whole);
            auto client = newCurlFtpClient();
            client->connectTo(AccountFor(server), Quick());
            QVERIFY_THROWS_EXCEPTION(FtpError, client->get(QStringLiteral("pack.zip"), target, true));
            QVERIFY(!QFile::exists(target));
            QCOMPARE(ReadAll(target + QStringLiteral(".part")), whole.left(30000));
        }
        LoopbackFtpServer server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("pack.zip"), whole);
        auto client = newCurlFtpClient();
        client->connectTo(AccountFor(server), Quick());
        qint64 moved = -1;
        client->setProgress([&](qint64 done) { moved = done; });
        client->get(QStringLiteral("pack.zip"), target, true);
        QCOMPARE(ReadAll(target), whole);
        QCOMPARE(moved, qint64(70000));  // only the missing part travelled
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    }

    void abortFromProgressStopsTheTransfer()
    {
        LoopbackFtpServer server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("big.bin"), Pattern(8 * 1024 * 1024));
        QTemporaryDir local;
        const QString target = local.filePath(QStringLiteral("big.bin"));
        WriteAll(target, "old");
        auto client = newCurlFtpClient();
        client->connectTo(AccountFor(server), Quick());
        FtpClient *raw = client.get();
        client->setProgress([raw](qint64 done) {
            if (done > 0)
                raw->abort();
        });
        QVERIFY_THROWS_EXCEPTION(FtpError, client->get(QStringLiteral("big.bin"), target, false));
        QCOMPARE(ReadAll(target), QByteArray("old"));
    }

    void connectFailuresNeverShowThePassword()
    {
        LoopbackFtpServer server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        auto client = newCurlFtpClient();
        try {
            client->connectTo(AccountFor(server, QStringLiteral("Wrong#pass")), Quick());
            QFAIL("a wrong password was accepted");
        } catch (const FtpError &e) {
            QVERIFY(!QString::fromUtf8(e.what()).contains(QStringLiteral("Wrong#pass")));
        }
        QVERIFY(!client->connected());

        FtpAccount none;
        none.password = QStringLiteral("Wrong#pass");
        QVERIFY_THROWS_EXCEPTION(FtpError, client->connectTo(none, Quick()));
        QVERIFY(!client->connected());
    }

    void absoluteFoldersAndOddNamesFromAHomeFolder()
    {
        // The account lands in /home, which holds a decoy Prices7: only a
        // folder change from the root finds the real one.
        LoopbackFtpServer::Options o;
        o.loginFolder = QStringLiteral("/home");
        LoopbackFtpServer server(o);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        const QString odd = QStringLiteral("C\u00f4te d'Ivoire #2 50%.OVP");
        server.putFile(QStringLiteral("Prices7/") + odd, Pattern(321));
        server.putFile(QStringLiteral("home/Prices7/decoy.OVP"), "decoy");

        QStringList trace;
        auto client = newCurlFtpClient();
        client->setTrace([&](const QString &line) { trace << line; });
        client->connectTo(AccountFor(server), Quick());
        client->changeDir(QStringLiteral("/Prices7"));
        const auto entries = client->list();
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].name, odd);
        QTemporaryDir local;
        client->get(odd, local.filePath(odd), false);
        QCOMPARE(ReadAll(local.filePath(odd)), Pattern(321));

        // A relative folder is taken from where the login landed.
        client->changeDir(QString());
        client->changeDir(QStringLiteral("Prices7"));
        QVERIFY(Find(client->list(), QStringLiteral("decoy.OVP")));
        client->disconnect();

        const QStringList commands = server.commands();
        QVERIFY2(commands.contains(QStringLiteral("CWD /Prices7")), qPrintable(commands.join(QLatin1Char('|'))));
        QVERIFY(commands.contains(QStringLiteral("RETR ") + odd));
        // The password crosses the wire once, in its own command.
        for (const QString &c : commands)
            if (c.contains(QStringLiteral("secret")))
                QCOMPARE(c, QStringLiteral("PASS secret"));
        QVERIFY(!trace.isEmpty());
        for (const QString &line : trace) {
            QVERIFY2(line.contains(QStringLiteral("ftp://127.0.0.1:")), qPrintable(line));
            QVERIFY2(!line.contains(QStringLiteral("tester")) && !line.contains(QStringLiteral("secret")), qPrintable(line));
        }
        QVERIFY(trace.filter(QStringLiteral("%2FPrices7")).size() >= 2);
    }

    void classicListingWhenTheServerHasNoMachineListing()
    {
        LoopbackFtpServer::Options o;
        o.noMachineListing = true;
        LoopbackFtpServer server(o);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("Prices7/United States.OVP"), Pattern(1234));
        auto client = newCurlFtpClient();
        client->connectTo(AccountFor(server), Quick());
        client->changeDir(QStringLiteral("/Prices7"));
        const auto entries = client->list();
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].name, QStringLiteral("United States.OVP"));
        QCOMPARE(entries[0].size, qint64(1234));
        const QStringList commands = server.commands();
        QVERIFY(commands.indexOf(QStringLiteral("MLSD")) < commands.indexOf(QStringLiteral("LIST")));
    }

    void tlsIsAskedForAndAnUnverifiableServerNeverSeesTheAccount()
    {
        {
            LoopbackFtpServer plain;
            QVERIFY2(plain.error().isEmpty(), qPrintable(plain.error()));
            auto client = newCurlFtpClient();
            client->connectTo(AccountFor(plain), Quick());
            QVERIFY(!client->list().size());
            const QStringList commands = plain.commands();
            QVERIFY(!commands.filter(QRegularExpression(QStringLiteral("^AUTH "))).isEmpty());
            QVERIFY(commands.contains(QStringLiteral("PASS secret")));
        }
        LoopbackFtpServer::Options o;
        o.offerTls = true;
        LoopbackFtpServer tls(o);
        QVERIFY2(tls.error().isEmpty(), qPrintable(tls.error()));
        auto client = newCurlFtpClient();
        QVERIFY_THROWS_EXCEPTION(FtpError, client->connectTo(AccountFor(tls), Quick()));
        const QStringList commands = tls.commands();
        QVERIFY2(commands.contains(QStringLiteral("AUTH TLS")), qPrintable(commands.join(QLatin1Char('|'))));
        QVERIFY(commands.filter(QRegularExpression(QStringLiteral("^(USER|PASS)"))).isEmpty());
    }

    // A server without TLS: by default the login goes ahead in the clear and
    // the trace says so; with TLS required the account is never sent.
    void plainLoginOnlyWhenTlsIsNotRequired_data()
    {
        QTest::addColumn<bool>("requireTls");
        QTest::newRow("fallback allowed") << false;
        QTest::newRow("TLS required") << true;
    }
    void plainLoginOnlyWhenTlsIsNotRequired()
    {
        QFETCH(bool, requireTls);
        LoopbackFtpServer plain;
        QVERIFY2(plain.error().isEmpty(), qPrintable(plain.error()));
        auto client = newCurlFtpClient();
        QStringList trace;
        client->setTrace([&](const QString &line) { trace << line; });
        FtpAccount account = AccountFor(plain);
        account.requireTls = requireTls;
        bool failed = false;
        try {
            client->connectTo(account, Quick());
        } catch (const FtpError &) {
            failed = true;
        }
        const QStringList commands = plain.commands();
        QVERIFY(!commands.filter(QRegularExpression(QStringLiteral("^AUTH "))).isEmpty());
        QCOMPARE(failed, requireTls);
        QCOMPARE(client->connected(), !requireTls);
        QVERIFY(!client->encrypted());
        QCOMPARE(commands.contains(QStringLiteral("PASS secret")), !requireTls);
        QCOMPARE(commands.filter(QRegularExpression(QStringLiteral("^(USER|PASS)"))).isEmpty(), requireTls);
        QCOMPARE(trace.filter(QStringLiteral("without encryption")).size(), requireTls ? 0 : 1);
    }

    void anAbortBetweenRequestsStopsTheNextOneOnly()
    {
        LoopbackFtpServer server;
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("a.bin"), Pattern(10));
        auto client = newCurlFtpClient();
        client->connectTo(AccountFor(server), Quick());
        client->abort();
        QVERIFY_THROWS_EXCEPTION(FtpError, client->list());
        QCOMPARE(client->list().size(), size_t(1));
    }

    void parsesClassicListings_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("isDir");
        QTest::newRow("file with blanks in its name")
            << QByteArray("-rw-r--r--   1 owner group     1234 Jan 01 12:00 Spot prices\r\n") << QStringLiteral("Spot prices")
            << qint64(1234) << false;
        QTest::newRow("folder") << QByteArray("drwxr-xr-x 2 0 0 4096 Mar  3  2023 Prices7") << QStringLiteral("Prices7")
                                << qint64(4096) << true;
        QTest::newRow("link shows its own name")
            << QByteArray("lrwxrwxrwx 1 a b 7 Jan 01 12:00 latest.zip -> old.zip") << QStringLiteral("latest.zip") << qint64(7)
            << false;
    }
    void parsesClassicListings()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(bool, isDir);
        const auto entries = parseFtpListing("total 12\r\n" + line + "\ndrwxr-xr-x 2 0 0 4096 Jan 01 12:00 ..\n", false);
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0].name, name);
        QCOMPARE(entries[0].size, size);
        QCOMPARE(entries[0].isDir, isDir);
    }
};

QTEST_GUILESS_MAIN(tst_Ftp)
#include "tst_ftp.moc"
