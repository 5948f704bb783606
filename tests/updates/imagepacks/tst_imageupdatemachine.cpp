#include <QtTest>

#include <QRandomGenerator>

#include "core/program/log.h"
#include "platform/zip.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "updates/imagepacks/imagepack.h"
#include "updates/imagepacks/imageupdatemachine.h"

namespace {

const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

// Bytes that do not compress, so that a pack is about as large as its
// pictures and a transfer cut after so many bytes is cut where expected.
QByteArray Noise(int size, quint32 seed)
{
    QRandomGenerator g(seed);
    QByteArray out(size, '\0');
    for (char &c : out)
        c = static_cast<char>(g.bounded(256));
    return out;
}

QByteArray MakePack(const std::vector<platform::ZipEntry> &entries)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/p.zip");
    platform::zipEntries(entries, path);
    return ReadFixtureFile(path);
}

// A program state with three countries, its folders in a temporary folder
// and a loopback server that holds their packs.
struct Fixture {
    QTemporaryDir dir;
    tMainState s;
    std::unique_ptr<LoopbackFtpServer> server;
    FakeRetryClock clock;
    std::unique_ptr<tImageUpdateMachine> machine;
    QStringList status;
    QStringList retries;
    std::vector<std::pair<int, bool>> finished;
    bool ended = false;

    explicit Fixture(LoopbackFtpServer::Options options = {})
    {
        const QString root = dir.path() + QLatin1Char('/');
        s.FolderImagesRedirect = root + QStringLiteral("Images/");
        s.OtherRedirect = root + QStringLiteral("Other/");
        s.CountriesRedirect = root + QStringLiteral("Countries/");
        AddCountry(40, QStringLiteral("Belgium"));
        AddCountry(41, QStringLiteral("Chile"));
        AddCountry(42, QStringLiteral("Denmark"));
        options.user = ServerUser;
        options.password = ServerPassword;
        server = std::make_unique<LoopbackFtpServer>(options);
        s.UpdateServerHost = server->host();
        machine = std::make_unique<tImageUpdateMachine>(s, clock.clock());
        QObject::connect(machine.get(), &tImageUpdateMachine::StatusText, [this](const QString &t) { status << t; });
        QObject::connect(machine.get(), &tImageUpdateMachine::RetryText, [this](const QString &t) { retries << t; });
        QObject::connect(machine.get(), &tImageUpdateMachine::RowFinished,
                         [this](int row, bool ok) { finished.emplace_back(row, ok); });
        QObject::connect(machine.get(), &tImageUpdateMachine::UpdateFinished, [this] { ended = true; });
    }

    void AddCountry(int id, const QString &name)
    {
        auto c = std::make_unique<tCountryInfo>();
        c->CountryID = id;
        c->Name = name;
        c->Description = name;
        c->Continent = 4;
        c->Path = s.CountriesRedirect + name + QStringLiteral(".OVCD");
        s.CountryList.push_back(std::move(c));
    }

    std::vector<tImageRow> Rows(std::initializer_list<int> checked)
    {
        std::vector<tImageRow> rows;
        int i = 0;
        for (const auto &c : s.CountryList) {
            rows.push_back({c.get(), std::find(checked.begin(), checked.end(), i) != checked.end()});
            ++i;
        }
        return rows;
    }

    bool Run(std::vector<tImageRow> rows)
    {
        ended = false;
        if (!machine->BeginUpdate(std::move(rows)))
            return false;
        return QTest::qWaitFor([&] { return ended; }, 120000);
    }

    int Retrs(const QString &name) const
    {
        return static_cast<int>(server->commands().count(QStringLiteral("RETR ") + name));
    }
};

} // namespace

class tst_ImageUpdateMachine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LogMode = false; }

    void fetchesAndUnpacksEveryCheckedCountry()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        const QByteArray a = Noise(3000, 1);
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), MakePack({{QStringLiteral("b1.jpg"), a, {}},
                                                                          {QStringLiteral("Sub/b2.jpg"), "two", {}}}));
        // The server's own spelling of the name is used.
        f.server->putFile(QStringLiteral("Images/denmark.zip"), MakePack({{QStringLiteral("d.jpg"), "d", {}}}));
        // A stale pack of an earlier update is not continued.
        WriteFixtureFile(f.s.FolderImagesRedirect + QStringLiteral("Belgium.ZIP.part"), "stale");
        QVERIFY(f.Run(f.Rows({0, 1, 2})));
        QCOMPARE(f.status.last(), QStringLiteral("Update complete."));
        QVERIFY(f.status.contains(QStringLiteral("Updating Chile (2 of 3)")));
        // Chile has no pack on the server: failed, the others done.
        QCOMPARE(f.finished, (std::vector<std::pair<int, bool>>{{0, true}, {1, false}, {2, true}}));
        QCOMPARE(ReadFixtureFile(f.s.FolderImagesRedirect + QStringLiteral("Belgium/b1.jpg")), a);
        QCOMPARE(ReadFixtureFile(f.s.FolderImagesRedirect + QStringLiteral("Belgium/Sub/b2.jpg")), QByteArray("two"));
        QCOMPARE(ReadFixtureFile(f.s.FolderImagesRedirect + QStringLiteral("Denmark/d.jpg")), QByteArray("d"));
        // No pack and no part of one is left behind.
        QCOMPARE(QDir(f.s.FolderImagesRedirect).entryList(QDir::Files), QStringList{});
        QVERIFY(f.retries.isEmpty());
        QCOMPARE(f.machine->Progress().Done(), f.machine->Progress().TotalSize);
    }

    void resumesAfterBrokenTransfers()
    {
        // Every transfer is cut after 4000 bytes: a pack of about 14,000
        // bytes needs three broken attempts and a fourth that completes.
        LoopbackFtpServer::Options o;
        o.dropAfter = 4000;
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        const QByteArray picture = Noise(13800, 7);
        const QByteArray pack = MakePack({{QStringLiteral("big.jpg"), picture, {}}});
        QVERIFY(pack.size() > 12000 && pack.size() < 16000);
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), pack);
        QVERIFY(f.Run(f.Rows({0})));
        QCOMPARE(f.machine->LastAttempts(), 4);
        QCOMPARE(f.retries, (QStringList{"Retry 1", "Retry 2", "Retry 3"}));
        QCOMPARE(f.finished, (std::vector<std::pair<int, bool>>{{0, true}}));
        QCOMPARE(ReadFixtureFile(f.s.FolderImagesRedirect + QStringLiteral("Belgium/big.jpg")), picture);
        // The second to fourth attempts continued the partial file.
        const QStringList commands = f.server->commands();
        QCOMPARE(commands.count(QStringLiteral("REST 4000")), 1);
        QCOMPARE(commands.count(QStringLiteral("REST 8000")), 1);
        QCOMPARE(commands.count(QStringLiteral("REST 12000")), 1);
        QCOMPARE(f.Retrs(QStringLiteral("Belgium.ZIP")), 4);
        QCOMPARE(f.clock.sleeps.load(), 0);  // no pause between pack attempts
    }

    void elevenFailuresLeaveNothing()
    {
        LoopbackFtpServer::Options o;
        o.dropAfter = 1000;
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), MakePack({{QStringLiteral("x.jpg"), Noise(20000, 3), {}}}));
        f.server->putFile(QStringLiteral("Images/Chile.ZIP"), MakePack({{QStringLiteral("c.jpg"), "c", {}}}));
        QVERIFY(f.Run(f.Rows({0, 1})));
        QCOMPARE(f.Retrs(QStringLiteral("Belgium.ZIP")), 11);
        QCOMPARE(f.retries.last(), QStringLiteral("Retry 11"));
        // The failed country does not stop the next one.
        QCOMPARE(f.finished, (std::vector<std::pair<int, bool>>{{0, false}, {1, true}}));
        QCOMPARE(QDir(f.s.FolderImagesRedirect).entryList(QDir::Files), QStringList{});
        QVERIFY(!QFileInfo::exists(f.s.FolderImagesRedirect + QStringLiteral("Belgium")) ||
                QDir(f.s.FolderImagesRedirect + QStringLiteral("Belgium")).isEmpty());
        QCOMPARE(f.status.last(), QStringLiteral("Update complete."));
    }

    void stopDuringTheSecondCountry()
    {
        LoopbackFtpServer::Options o;
        o.slowMs = 150;
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), MakePack({{QStringLiteral("b.jpg"), "b", {}}}));
        f.server->putFile(QStringLiteral("Images/Chile.ZIP"), MakePack({{QStringLiteral("c.jpg"), Noise(200000, 4), {}}}));
        f.server->putFile(QStringLiteral("Images/Denmark.ZIP"), MakePack({{QStringLiteral("d.jpg"), "d", {}}}));
        bool stopped = false;
        QObject::connect(f.machine.get(), &tImageUpdateMachine::ProgressText, [&] {
            if (!stopped && f.status.contains(QStringLiteral("Updating Chile (2 of 3)"))) {
                stopped = true;
                f.machine->Stop();
            }
        });
        QVERIFY(f.Run(f.Rows({0, 1, 2})));
        QVERIFY(stopped);
        QCOMPARE(f.status.last(), QStringLiteral("Update stopped."));
        QCOMPARE(f.finished, (std::vector<std::pair<int, bool>>{{0, true}}));
        QVERIFY(!QFileInfo::exists(f.s.FolderImagesRedirect + QStringLiteral("Chile/c.jpg")));
        QVERIFY(f.Retrs(QStringLiteral("Chile.ZIP")) <= 1);
        QCOMPARE(f.Retrs(QStringLiteral("Denmark.ZIP")), 0);
        QVERIFY(f.retries.isEmpty());
    }

    void hostilePackIsRefused()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"),
                          MakePack({{QStringLiteral("fine.jpg"), "fine", {}}, {QStringLiteral("../../escaped.jpg"), "evil", {}}}));
        QVERIFY(f.Run(f.Rows({0})));
        QCOMPARE(f.finished, (std::vector<std::pair<int, bool>>{{0, false}}));
        QDirIterator it(f.dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext())
            files << it.next();
        QCOMPARE(files, QStringList{});
    }

    void noServerOrNoConnection()
    {
        Fixture f;
        f.s.UpdateServerHost.clear();
        QVERIFY(!f.machine->BeginUpdate(f.Rows({0})));
        QCOMPARE(f.status, QStringList{NoServerElsewhereText});
        bool ready = false;
        QString message;
        QObject::connect(f.machine.get(), &tImageUpdateMachine::DirectoryReady, [&](bool fetched, const QString &m) {
            ready = !fetched;
            message = m;
        });
        f.machine->FetchImageDirectory();
        QVERIFY(ready);
        QCOMPARE(message, NoServerElsewhereText);
        QVERIFY(f.server->commands().isEmpty());
        // Nothing checked: nothing starts.
        f.s.UpdateServerHost = f.server->host();
        QVERIFY(!f.machine->BeginUpdate(f.Rows({})));
    }

    void imageDirectory()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        const QString local = f.machine->DirectoryPath();
        WriteFixtureFile(local, "[Countries]\nBelgium=1\n");
        bool done = false;
        bool fetched = false;
        QString message;
        QObject::connect(f.machine.get(), &tImageUpdateMachine::DirectoryReady, [&](bool ok, const QString &m) {
            done = true;
            fetched = ok;
            message = m;
        });
        // The server has none: a message, and the old copy stays.
        f.machine->FetchImageDirectory();
        QVERIFY(QTest::qWaitFor([&] { return done; }, 30000));
        QVERIFY(!fetched);
        QVERIFY(!message.isEmpty());
        QCOMPARE(ReadFixtureFile(local), QByteArray("[Countries]\nBelgium=1\n"));

        f.server->putFile(QStringLiteral("Images/imagedirectory.INI"), "[Countries]\nBelgium=120\n");
        done = false;
        f.machine->FetchImageDirectory();
        QVERIFY(QTest::qWaitFor([&] { return done; }, 30000));
        QVERIFY2(fetched, qPrintable(message));
        QCOMPARE(platform::IniFile(local).readInteger(ImageDirectorySection, QStringLiteral("Belgium")), 120);
    }
};

QTEST_GUILESS_MAIN(tst_ImageUpdateMachine)
#include "tst_imageupdatemachine.moc"
