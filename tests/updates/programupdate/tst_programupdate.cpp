#include <QtTest>

#include "core/program/log.h"
#include "platform/cp1252.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "updates/programupdate/programupdate.h"
#include "updates/programupdate/programupdatemachine.h"

namespace {

const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

struct Fixture {
    QTemporaryDir dir;
    tMainState s;
    FakeRetryClock clock;
    std::unique_ptr<LoopbackFtpServer> server;
    std::unique_ptr<tProgramUpdateMachine> machine;
    QStringList shownFolders;
    std::optional<tUpdateView> checked;
    bool notesFound = false;
    std::optional<tUpdateView> downloaded;

    Fixture()
    {
        s.OtherRedirect = dir.path() + QStringLiteral("/Other/");
        s.downloadsRedirect = dir.path() + QStringLiteral("/Downloads/");
        s.OVversionString = QStringLiteral("1.5.0");
        LoopbackFtpServer::Options o;
        o.user = ServerUser;
        o.password = ServerPassword;
        server = std::make_unique<LoopbackFtpServer>(o);
        s.UpdateServerHost = server->host();
        machine = std::make_unique<tProgramUpdateMachine>(s, clock.clock());
        machine->ShowFolder = [this](const QString &folder) { shownFolders << folder; };
        QObject::connect(machine.get(), &tProgramUpdateMachine::CheckFinished, [this](const tUpdateView &v, bool found) {
            checked = v;
            notesFound = found;
        });
        QObject::connect(machine.get(), &tProgramUpdateMachine::DownloadFinished,
                         [this](const tUpdateView &v) { downloaded = v; });
    }
    bool Check()
    {
        checked.reset();
        machine->Check();
        return QTest::qWaitFor([&] { return checked.has_value(); }, 60000);
    }
    bool Download()
    {
        downloaded.reset();
        machine->Download();
        return QTest::qWaitFor([&] { return downloaded.has_value(); }, 60000);
    }
};

} // namespace

class tst_ProgramUpdate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LogMode = false; }

    void versions_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("available");
        QTest::addColumn<bool>("newer");
        QTest::newRow("later minor") << "1.5.0" << "1.6.0" << true;
        QTest::newRow("earlier major, later minor") << "2.0.0" << "1.5.0" << false;
        QTest::newRow("numbers, not text") << "1.5.0" << "1.10.0" << true;
        QTest::newRow("ten against nine") << "1.10.0" << "1.9.9" << false;
        QTest::newRow("runs out first") << "1.2" << "1.2.1" << false;
        QTest::newRow("longer current") << "1.2.1" << "1.2" << false;
        QTest::newRow("differs before running out") << "1.2" << "1.3.1" << true;
        QTest::newRow("equal") << "3.1.4" << "3.1.4" << false;
        QTest::newRow("build") << "3.1.4" << "3.1.5" << true;
        QTest::newRow("not a number reads 0") << "1.x.0" << "1.1.0" << true;
        QTest::newRow("not a number available") << "1.1.0" << "1.beta.9" << false;
        QTest::newRow("blanks around") << "1.1.0" << " 1.2.0 " << true;
        QTest::newRow("empty available") << "1.0.0" << "" << false;
        QTest::newRow("big parts") << "1.2147483647.0" << "1.2147483648.0" << true;
    }
    void versions()
    {
        QFETCH(QString, current);
        QFETCH(QString, available);
        QTEST(programupdate::IsNewerVersion(current, available), "newer");
    }

    void notes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("notes");
        QTest::newRow("CR LF") << QByteArray("1.6.0\r\nFaster reports\r\nNew charts\r\n") << "1.6.0"
                               << "Faster reports\nNew charts\n";
        QTest::newRow("LF, no final break") << QByteArray("1.6.0\nOne\nTwo") << "1.6.0" << "One\nTwo\n";
        QTest::newRow("one line") << QByteArray("1.6.0\r\n") << "1.6.0" << "";
        QTest::newRow("one line, no break") << QByteArray("1.6.0") << "1.6.0" << "";
        QTest::newRow("empty lines kept") << QByteArray("2.0\n\nAfter a gap\n") << "2.0" << "\nAfter a gap\n";
        QTest::newRow("8-bit text") << QByteArray("2.0\nCaf\xe9 \x80 5\n") << "2.0" << QString::fromUtf8("Café € 5\n");
        QTest::newRow("empty") << QByteArray() << "" << "";
    }
    void notes()
    {
        QFETCH(QByteArray, bytes);
        const tUpdateNotes n = ParseUpdateNotes(bytes);
        QTEST(n.Version, "version");
        QTEST(n.Notes, "notes");
    }

    void views()
    {
        const tUpdateView newer = NotesView(QStringLiteral("1.5.0"), {QStringLiteral("1.6.0"), QStringLiteral("x\n")});
        QVERIFY(newer.Newer && newer.Sticker);
        QCOMPARE(newer.Heading, QStringLiteral("Current version: 1.5.0\nAvailable version: 1.6.0"));
        QCOMPARE(newer.Body, QStringLiteral("x\n"));
        const tUpdateView same = NotesView(QStringLiteral("1.6.0"), {QStringLiteral("1.6.0"), QStringLiteral("x\n")});
        QVERIFY(!same.Newer && !same.Sticker);
        QCOMPARE(same.Heading, QStringLiteral("Your program is up-to-date"));
        QCOMPARE(same.Body, QStringLiteral("x\n"));
        QCOMPARE(DownloadPercent(50, 200), 25);
        QCOMPARE(DownloadPercent(50, 0), 0);
        QCOMPARE(DownloadPercent(500, 200), 100);
    }

    void checkAndDownload()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server->putFile(QStringLiteral("Program/update notes.TXT"), "1.6.0\r\nFaster reports\r\n");
        // Old notes on disk never pass for the server's.
        WriteFixtureFile(f.machine->NotesPath(), "9.9.9\n");
        QVERIFY(f.Check());
        QVERIFY(f.notesFound);
        QVERIFY(f.checked->Newer);
        QCOMPARE(f.checked->Heading, QStringLiteral("Current version: 1.5.0\nAvailable version: 1.6.0"));
        QCOMPARE(f.checked->Body, QStringLiteral("Faster reports\n"));

        // The installer is missing: a download issue, nothing shown.
        QVERIFY(f.Download());
        QCOMPARE(f.downloaded->Heading, QStringLiteral("Download issue"));
        QCOMPARE(f.downloaded->Body, QStringLiteral("Orvanta was unable to download the file from the update server."));
        QVERIFY(!f.downloaded->Finished);
        QVERIFY(f.shownFolders.isEmpty());

        // A read-only installer of an earlier download is replaced.
        const QByteArray installer(70000, 'i');
        f.server->putFile(QStringLiteral("Program/OrvantaWindowsSetup.exe"), installer);
        WriteFixtureFile(f.machine->InstallerPath(), "old");
        QFile(f.machine->InstallerPath()).setPermissions(QFile::ReadOwner);
        QStringList progress;
        QObject::connect(f.machine.get(), &tProgramUpdateMachine::Progress,
                         [&](const QString &text, int) { progress << text; });
        QVERIFY(f.Download());
        QVERIFY2(f.downloaded->Finished, qPrintable(f.downloaded->Body));
        QCOMPARE(f.downloaded->Heading, QStringLiteral("Download complete"));
        QCOMPARE(f.machine->DownloadSize(), qint64(installer.size()));
        QCOMPARE(ReadFixtureFile(f.machine->InstallerPath()), installer);
        QCOMPARE(f.shownFolders, QStringList{QFileInfo(f.machine->InstallerPath()).absolutePath()});
        QVERIFY(!progress.isEmpty());
    }

    void upToDateAndFailures()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        // No folder on the server: the notes cannot be had.
        QVERIFY(f.Check());
        QVERIFY(f.notesFound);
        QCOMPARE(f.checked->Heading, QStringLiteral("Download issue"));
        // No notes in it: nothing compared, the texts stay.
        f.server->putFile(QStringLiteral("Program/readme.txt"), "x");
        QVERIFY(f.Check());
        QVERIFY(!f.notesFound);
        QVERIFY(!f.checked->Newer);

        f.server->putFile(QStringLiteral("Program/Update Notes.txt"), "1.5.0\n");
        QVERIFY(f.Check());
        QVERIFY(f.notesFound);
        QCOMPARE(f.checked->Heading, QStringLiteral("Your program is up-to-date"));
        QCOMPARE(f.checked->Body, QString());

        // The notes cannot be replaced: the folder is read-only.
        QFile::setPermissions(f.s.OtherRedirect, QFile::ReadOwner | QFile::ExeOwner);
        if (!QFileInfo(f.s.OtherRedirect).isWritable()) {
            QVERIFY(f.Check());
            QCOMPARE(f.checked->Heading, QStringLiteral("File locked"));
        }
        QFile::setPermissions(f.s.OtherRedirect, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        // No server set: said, nothing fetched.
        const int commands = static_cast<int>(f.server->commands().size());
        f.s.UpdateServerHost.clear();
        QVERIFY(f.Check());
        QCOMPARE(f.checked->Body, NoServerElsewhereText);
        QCOMPARE(static_cast<int>(f.server->commands().size()), commands);
    }

    void connectionIssue()
    {
        Fixture f;
        f.s.UpdateServerHost = QStringLiteral("127.0.0.1:1");
        QVERIFY(f.Check());
        QCOMPARE(f.checked->Heading, QStringLiteral("Connection issue"));
        QCOMPARE(f.clock.sleeps.load(), 4);  // five attempts, four pauses
    }
};

QTEST_GUILESS_MAIN(tst_ProgramUpdate)
#include "tst_programupdate.moc"
