#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "core/files/collectionfile.h"
#include "core/collection/collectionlifecycle.h"
#include "core/program/settings.h"
#include "core/collection/ui/filetoopenform.h"
#include "pricing/valuation/spotprices.h"
#include "support/coinfixture.h"
#include "support/collectionfixture.h"
#include "support/programfixture.h"

// The collector's data through the assembled window: what the automatic
// save, the first save over an older file and a failed open leave on disk
// and in the window, and the update-server option in the settings menu.
namespace {

void AddRootCoin(tMainState &s, const QString &notes)
{
    tCoinInfo c;
    c.CoinType = RootCoinType;
    c.Notes = notes;
    AddCoin(s, std::move(c))->Folder = s.EntireCollection.get();
}

QByteArray CollectionWith(int coins, const QString &notes)
{
    tMainState s;
    for (int i = 0; i < coins; ++i)
        AddRootCoin(s, notes);
    return CollectionFileBytes(s);
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int StoredCoins(const QString &path)
{
    tMainState s;
    return LoadDataFromFile(s, path, false) ? static_cast<int>(s.CoinList.size()) : -1;
}

} // namespace

class tst_CollectionSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The housekeeping timer keeps ticking under the closing question; the
    // answer "Discard" must find the file as it was last saved.
    void discardOnClosingKeepsTheFile()
    {
        tProgramFixture program;
        const QString path = program.Home() + QStringLiteral("/Mine.OVD");
        WriteFile(path, CollectionWith(1, QStringLiteral("saved")));
        program.Open({path});
        program.Start();
        QCOMPARE(program.State().CoinList.size(), size_t(1));
        AddRootCoin(program.State(), QStringLiteral("not wanted"));
        program.State().DataModified = true;
        program.Ui.WhileAsking = [&] {
            for (int i = 0; i < 300; ++i)
                program.Tick();
        };
        program.Ui.answer(QStringLiteral("Discard"));
        QVERIFY(program.Close());
        program.Ui.WhileAsking = nullptr;
        QCOMPARE(program.Ui.Texts().size(), 1);
        QCOMPARE(StoredCoins(path), 1);
    }

    // A collection of an older version opened from the command line: the
    // first automatic save keeps the original bytes in Backups.
    void firstSaveOverAnOlderFileKeepsIt()
    {
        tProgramFixture program;
        const QByteArray original = CollectionFixtureBytes(RootOnlyFixture(95475, 1));
        const QString path = program.Home() + QStringLiteral("/Old.OVD");
        WriteFile(path, original);
        program.Open({path});
        program.Start();
        QCOMPARE(program.State().LastFileName, path);
        AddRootCoin(program.State(), QStringLiteral("new"));
        program.State().DataModified = true;
        for (int i = 0; i < 120; ++i)
            program.Tick();
        QVERIFY(!program.State().DataModified);
        QCOMPARE(StoredCoins(path), 2);
        const QString backups = program.State().BackupsRedirect;
        QCOMPARE(ReadAll(QDir(backups).filePath(QStringLiteral("Old (version 95475).OVD"))), original);
        QCOMPARE(StoredCoins(QDir(backups).filePath(QStringLiteral("Old_01.OVD"))), 2);
    }

    // Menu "Open" on a file that breaks off part-way: the message, and the
    // open collection stays as it was, with nothing to save on closing.
    void failedOpenFromTheMenuKeepsTheOpenCollection()
    {
        tProgramFixture program;
        const QString mine = program.Home() + QStringLiteral("/Mine.OVD");
        WriteFile(mine, CollectionWith(1, QStringLiteral("mine")));
        const QByteArray theirs = CollectionWith(40, QStringLiteral("theirs"));
        const QString broken = program.Home() + QStringLiteral("/Broken.OVD");
        WriteFile(broken, theirs.left(theirs.size() / 2));
        program.Open({mine});
        program.Start();
        QCOMPARE(program.State().LastFileName, mine);
        UpdateRecentFiles(broken);

        program.Ui.answer(QStringLiteral("OK"));
        bool drove = false;
        QTimer::singleShot(0, [&] {
            auto *form = qobject_cast<TFileToOpenForm *>(QApplication::activeModalWidget());
            if (!form)
                return;
            drove = true;
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);  // the recent file: the broken one
            QVERIFY(form->isVisible());
            form->reject();
        });
        program.Trigger(QStringLiteral("Menu_open"));
        QVERIFY(drove);
        QVERIFY(program.Ui.Texts().value(0).contains(QStringLiteral("Broken.OVD")));
        tMainState &s = program.State();
        QCOMPARE(s.CoinList.size(), size_t(1));
        QCOMPARE(s.CoinList[0]->Notes, QStringLiteral("mine"));
        QCOMPARE(s.LastFileName, mine);
        QVERIFY(!s.DataModified);
        QVERIFY(!program.Form().windowTitle().contains(QStringLiteral("Modified")));
        QVERIFY(program.Close());
        QCOMPARE(program.Ui.Texts().size(), 1);
        QCOMPARE(StoredCoins(mine), 1);
    }

    // "Require an encrypted (TLS) connection to the update server": kept in
    // the settings, used for the update server's account, shown checked
    // after a restart.
    void requireTlsOption()
    {
        tProgramFixture program;
        program.Open();
        QAction *option = program.Action(QStringLiteral("RequireTLS1"));
        QVERIFY(option->isCheckable());
        QVERIFY(!option->isChecked());
        QVERIFY(!UpdateServerAccount(program.State()).requireTls);
        program.Trigger(QStringLiteral("RequireTLS1"));
        QVERIFY(program.State().RequireTls);
        QVERIFY(UpdateServerAccount(program.State()).requireTls);
        QCOMPARE(program.Settings.read(QStringLiteral("Require TLS"))->Integer, 1);
        program.Open();
        QVERIFY(program.Action(QStringLiteral("RequireTLS1"))->isChecked());
        QVERIFY(program.State().RequireTls);
    }
};

QTEST_MAIN(tst_CollectionSafety)
#include "tst_collectionsafety.moc"
