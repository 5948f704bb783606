#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include "core/files/collectionfile.h"
#include "core/collection/collectionlifecycle.h"
#include "core/files/collectionsettings.h"
#include "core/model/mainstate.h"
#include "core/model/model.h"
#include "core/program/settings.h"
#include "platform/paths.h"
#include "support/collectionfixture.h"
#include "support/recordingstores.h"
#include "support/scriptedui.h"

namespace {

tCoinInfo *AddCoin(tMainState &s, const QString &notes = {})
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = RootCoinType;
    c->Folder = s.EntireCollection.get();
    c->Notes = notes;
    s.CoinList.push_back(std::move(c));
    return s.CoinList.back().get();
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void SetDay(const QString &path, const QDate &day)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(day, QTime(12, 0)), QFileDevice::FileModificationTime));
}

int LoadedCoins(const QString &path)
{
    tMainState s;
    if (!LoadDataFromFile(s, path, false))
        return -1;
    return static_cast<int>(s.CoinList.size());
}

QStringList ZipNames(const QString &zipPath)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zipPath});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// File permissions bind the superuser too while this lives: the file-system
// user becomes "nobody", which also drops the right to override them.
class tUnprivileged {
public:
    tUnprivileged() : old_(setfsuid(65534)) {}
    ~tUnprivileged() { setfsuid(static_cast<uid_t>(old_)); }
    tUnprivileged(const tUnprivileged &) = delete;
    tUnprivileged &operator=(const tUnprivileged &) = delete;

private:
    int old_;
};

} // namespace

class tst_CollectionLifecycle : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    std::unique_ptr<RecordingSettings> settings_;
    std::unique_ptr<tScriptedUi> ui_;
    std::unique_ptr<tMainState> s_;

    QString Path(const QString &name) const { return tmp_.filePath(name); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(tmp_.isValid());
        QDir(tmp_.path()).removeRecursively();
        QDir().mkpath(tmp_.path());
        // Open to the unprivileged user of the permission tests.
        QFile::setPermissions(tmp_.path(), QFile::permissions(tmp_.path()) | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther);
        settings_ = std::make_unique<RecordingSettings>();
        ui_ = std::make_unique<tScriptedUi>();
        s_ = std::make_unique<tMainState>();
        s_->BackupsRedirect = Path(QStringLiteral("Backups/"));
        s_->PricesRedirect = Path(QStringLiteral("Prices/"));
        s_->RepositoryPath = Path(QStringLiteral("Repository/"));
        InstallLifecycleHooks(*s_);
    }

    void cleanup()
    {
        s_.reset();
        ui_.reset();
        settings_.reset();
    }

    // A new collection, its first change and its save, as the caption shows them.
    void captionFollowsTheFileAndChanges()
    {
        tMainState &s = *s_;
        QString shown;
        QObject::connect(s.Events.get(), &tStateEvents::SetMainCaption, [&] { shown = MainCaption(s); });
        NewCollection(s);
        QCOMPARE(shown, QStringLiteral("Orvanta [New File]"));
        AddCoin(s);
        s.DataModified = true;
        QCOMPARE(MainCaption(s), QStringLiteral("Orvanta [New File] (Modified)"));
        ui_->pick({Path(QStringLiteral("My coins.OVD"))});
        QVERIFY(SaveDataToFile(s, false, false));
        QCOMPARE(shown, QStringLiteral("Orvanta [My coins.OVD]"));
        QCOMPARE(s.LastDir, tmp_.path() + QLatin1Char('/'));
        s.AutoSaveInProgress = true;
        QCOMPARE(MainCaption(s), QStringLiteral("Auto save in progress"));
    }

    void saveMenuVisibility_data()
    {
        QTest::addColumn<bool>("ebook");
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("converted");
        QTest::addColumn<bool>("maintainer");
        QTest::addColumn<bool>("showEbook");
        QTest::addColumn<bool>("showPrices");
        QTest::addColumn<bool>("showAll");
        QTest::newRow("nothing changed") << false << false << false << false << false << false << false;
        QTest::newRow("eBook changed") << true << false << false << false << true << false << true;
        QTest::newRow("prices changed") << false << true << false << false << false << true << true;
        QTest::newRow("prices converted") << false << false << true << false << false << true << true;
        QTest::newRow("maintainer only") << false << false << false << true << false << false << true;
    }
    void saveMenuVisibility()
    {
        QFETCH(bool, ebook);
        QFETCH(bool, prices);
        QFETCH(bool, converted);
        QFETCH(bool, maintainer);
        tMainState &s = *s_;
        s.EbooksModified = ebook;
        s.PricesModified = prices;
        s.PricesConverted = converted;
        s.MaintainerMode = maintainer;
        const tSaveMenuVisibility v = SaveMenuVisibility(s);
        QVERIFY(v.SaveCoinData1);
        QTEST(v.SaveEbookData1, "showEbook");
        QTEST(v.SavePriceData1, "showPrices");
        QTEST(v.SaveAllChanges1, "showAll");
    }

    // Three saves on one day keep one slot; a name with several dots is cut
    // at its first dot.
    void savesOnOneDayShareARotatingSlot()
    {
        tMainState &s = *s_;
        AddCoin(s);
        s.LastFileName = Path(QStringLiteral("Coins.v2.final.OVD"));
        for (int i = 0; i < 3; ++i) {
            s.DataModified = true;
            QVERIFY(SaveDataToFile(s, true, false));
        }
        QCOMPARE(platform::sortedEntries(s.BackupsRedirect), QStringList{QStringLiteral("Coins_01.OVD")});
        QCOMPARE(ReadAll(Path(QStringLiteral("Backups/Coins_01.OVD"))), ReadAll(s.LastFileName));
        QVERIFY(ui_->FileRequests.empty());
    }

    // Saves on six days fill the slots in order, then replace the oldest.
    void sixDaysFillFiveSlotsThenReplaceTheOldest()
    {
        tMainState &s = *s_;
        const QDate first(2026, 3, 1);
        QStringList picked;
        for (int day = 0; day < 6; ++day) {
            const QString name = RotatingBackupName(s, QStringLiteral("Coins.OVD"), first.addDays(day));
            picked << platform::fileNamePart(name);
            WriteFile(name, "copy");
            SetDay(name, first.addDays(day));
        }
        QCOMPARE(picked, (QStringList{"Coins_01.OVD", "Coins_02.OVD", "Coins_03.OVD", "Coins_04.OVD",
                                      "Coins_05.OVD", "Coins_01.OVD"}));
        // The slot written today is reused by today's later saves.
        QCOMPARE(platform::fileNamePart(RotatingBackupName(s, QStringLiteral("Coins.OVD"), first.addDays(5))),
                 QStringLiteral("Coins_01.OVD"));
        // With the first slot renewed, slot 02 now holds the oldest day.
        QCOMPARE(platform::fileNamePart(RotatingBackupName(s, QStringLiteral("Coins.OVD"), first.addDays(6))),
                 QStringLiteral("Coins_02.OVD"));
    }

    // "Save Backup" writes the chosen file only, and the collection counts
    // as saved.
    void saveBackupLeavesNameCopiesAndRecentListAlone()
    {
        tMainState &s = *s_;
        AddCoin(s);
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        UpdateRecentFiles(s.LastFileName);
        const QStringList recent = RecentFiles();
        s.DataModified = true;
        ui_->pick({Path(QStringLiteral("Elsewhere/Copy.txt"))});
        QDir().mkpath(Path(QStringLiteral("Elsewhere")));
        QVERIFY(SaveDataToFile(s, false, true));
        QCOMPARE(ui_->FileRequests.front().Title, QStringLiteral("Create an Orvanta backup file"));
        QVERIFY(ui_->FileRequests.front().FileName.isEmpty());
        QCOMPARE(LoadedCoins(Path(QStringLiteral("Elsewhere/Copy.OVD"))), 1);
        QCOMPARE(s.LastFileName, Path(QStringLiteral("Main.OVD")));
        QVERIFY(!s.DataModified);
        QVERIFY(!QDir(s.BackupsRedirect).exists() || platform::sortedEntries(s.BackupsRedirect).isEmpty());
        QCOMPARE(RecentFiles(), recent);
        QVERIFY(s.LastDir.isEmpty());
    }

    void saveIntoTheBackupsFolderIsRefused()
    {
        tMainState &s = *s_;
        QDir().mkpath(s.BackupsRedirect);
        ui_->pick({Path(QStringLiteral("Backups/Mine.OVD"))}).pick({Path(QStringLiteral("Mine.OVD"))});
        ui_->answer(QStringLiteral("OK"));
        QVERIFY(SaveDataToFile(s, false, false));
        QCOMPARE(ui_->Messages.size(), size_t(1));
        QVERIFY(ui_->Messages[0].Text.startsWith(QStringLiteral("A collection can't be saved into the Backups")));
        QCOMPARE(s.LastFileName, Path(QStringLiteral("Mine.OVD")));
        QVERIFY(!QFile::exists(Path(QStringLiteral("Backups/Mine.OVD"))));
    }

    void cancelledDialogSavesNothing()
    {
        tMainState &s = *s_;
        s.DataModified = true;
        QVERIFY(!SaveDataToFile(s, false, false));
        QVERIFY(s.DataModified);
        QVERIFY(platform::sortedEntries(tmp_.path()).isEmpty());
    }

    // A save that cannot be written leaves the old file, the file name, the
    // change mark and the recent list as they were, and reports the failure.
    void saveOntoAReadOnlyFolderKeepsTheOldFile()
    {
        tMainState &s = *s_;
        AddCoin(s);
        const QString locked = Path(QStringLiteral("Locked/Old.OVD"));
        QDir().mkpath(Path(QStringLiteral("Locked")));
        SaveCollectionFile(s, locked);
        const QByteArray before = ReadAll(locked);
        s.LastFileName = Path(QStringLiteral("Open.OVD"));
        AddCoin(s);
        s.DataModified = true;
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadOther |
                              QFileDevice::ExeOther;
        QVERIFY(QFile::setPermissions(Path(QStringLiteral("Locked")), readOnly));
        ui_->pick({locked});
        {
            tUnprivileged nobody;
            QVERIFY_THROWS_EXCEPTION(FileWriteError, SaveDataToFile(s, false, false));
        }
        QFile::setPermissions(Path(QStringLiteral("Locked")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(ReadAll(locked), before);
        QCOMPARE(s.LastFileName, Path(QStringLiteral("Open.OVD")));
        QVERIFY(s.DataModified);
        QVERIFY(RecentFiles().first().isEmpty());
    }

    void recentFilesPutTheLatestFirst()
    {
        for (const char *name : {"/c/A.OVD", "/c/B.OVD", "/c/C.OVD", "/c/a.ovd"})
            UpdateRecentFiles(QString::fromLatin1(name));
        QStringList expected{"/c/a.ovd", "/c/C.OVD", "/c/B.OVD"};
        while (expected.size() < 10)
            expected << QString();
        QCOMPARE(RecentFiles(), expected);

        for (int i = 0; i < 11; ++i)
            UpdateRecentFiles(QStringLiteral("/d/%1.OVD").arg(i));
        const QStringList full = RecentFiles();
        QCOMPARE(full.size(), 10);
        QCOMPARE(full.first(), QStringLiteral("/d/10.OVD"));
        QCOMPARE(full.last(), QStringLiteral("/d/1.OVD"));
    }

    // The bundle: the collection with repository-relative picture paths, the
    // pictures, the price lists and the note, in that order, readable by a
    // standard unzip; making it counts as saving.
    void backupBundleHoldsCollectionPicturesPricesAndNote()
    {
        tMainState &s = *s_;
        WriteFile(Path(QStringLiteral("Repository/obverse.jpg")), "jpeg one");
        WriteFile(Path(QStringLiteral("Pictures/receipt.png")), "png two");
        WriteFile(Path(QStringLiteral("Prices/00352.OVP")), "prices a");
        WriteFile(Path(QStringLiteral("Prices/00001.ovp")), "prices b");
        WriteFile(Path(QStringLiteral("Prices/notes.txt")), "not a price list");
        tCoinInfo *c = AddCoin(s);
        c->Obverse = QStringLiteral("R~\\obverse.jpg");
        c->Receipt = Path(QStringLiteral("Pictures/receipt.png"));
        c->Reverse = Path(QStringLiteral("Pictures/missing.jpg"));
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        s.DataModified = true;
        const QString zipPath = Path(QStringLiteral("Bundle.ZIP"));
        ui_->pick({zipPath});
        QVERIFY(CreateBackupZip(s));
        QCOMPARE(ui_->FileRequests.front().FileName, Path(QStringLiteral("Main Backup.ZIP")));
        QCOMPARE(ZipNames(zipPath),
                 (QStringList{"Orvanta Collection.OVD", "Repository/obverse.jpg", "Repository/receipt.png",
                              "Prices/00001.ovp", "Prices/00352.OVP", "ReadMe.txt"}));
        QVERIFY(!s.DataModified);
        QVERIFY(!QFile::exists(s.LastFileName));

        QProcess unzip;
        unzip.setWorkingDirectory(tmp_.path());
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-q"), zipPath, QStringLiteral("-d"), QStringLiteral("out")});
        QVERIFY(unzip.waitForFinished());
        QCOMPARE(unzip.exitCode(), 0);
        QCOMPARE(ReadAll(Path(QStringLiteral("out/Repository/receipt.png"))), QByteArray("png two"));
        QVERIFY(ReadAll(Path(QStringLiteral("out/ReadMe.txt"))).contains("Repository"));
        tMainState copy;
        QVERIFY(LoadDataFromFile(copy, Path(QStringLiteral("out/Orvanta Collection.OVD")), false));
        QCOMPARE(copy.CoinList.size(), size_t(1));
        QVERIFY(copy.CoinList[0]->Obverse.startsWith(QStringLiteral("R~")));
        QVERIFY(copy.CoinList[0]->Reverse.isEmpty());
    }

    // Pictures of the same name in different folders each keep their own
    // entry; the collection copy, unpacked beside its repository, finds
    // every one of them again.
    void bundleKeepsSameNamedPicturesApart()
    {
        tMainState &s = *s_;
        WriteFile(Path(QStringLiteral("Repository/us/cents/front.jpg")), "us cent");
        WriteFile(Path(QStringLiteral("Repository/ca/cents/front.jpg")), "ca cent");
        WriteFile(Path(QStringLiteral("Repository/front.jpg")), "top");
        WriteFile(Path(QStringLiteral("Scans/a/front.jpg")), "scan a");
        WriteFile(Path(QStringLiteral("Scans/b/front.jpg")), "scan b");
        // A stored ".." stops at the repository folder: "R~..\Scans\c" names
        // the repository's own Scans folder, never the one beside it.
        WriteFile(Path(QStringLiteral("Scans/c/other.jpg")), "beside the repository");
        WriteFile(Path(QStringLiteral("Repository/Scans/c/other.jpg")), "scan c");
        tCoinInfo *a = AddCoin(s);
        a->Obverse = QStringLiteral("R~us\\cents\\front.jpg");
        a->Reverse = QStringLiteral("R~ca/cents/front.jpg");
        a->Receipt = QStringLiteral("R~\\front.jpg");
        tCoinInfo *b = AddCoin(s);
        b->Obverse = Path(QStringLiteral("Scans/a/front.jpg"));
        b->Reverse = Path(QStringLiteral("Scans/b/front.jpg"));
        b->OtherImages = QStringLiteral("R~us\\cents\\front.jpg,R~..\\Scans\\c\\other.jpg");
        const QString zipPath = Path(QStringLiteral("Bundle.ZIP"));
        ui_->pick({zipPath});
        QVERIFY(CreateBackupZip(s));
        QCOMPARE(ZipNames(zipPath),
                 (QStringList{"Orvanta Collection.OVD", "Repository/us/cents/front.jpg",
                              "Repository/ca/cents/front.jpg", "Repository/front.jpg", "Repository/front (2).jpg",
                              "Repository/front (3).jpg", "Repository/Scans/c/other.jpg", "ReadMe.txt"}));

        QProcess unzip;
        unzip.setWorkingDirectory(tmp_.path());
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-q"), zipPath, QStringLiteral("-d"), QStringLiteral("out")});
        QVERIFY(unzip.waitForFinished());
        QCOMPARE(unzip.exitCode(), 0);
        tMainState copy;
        copy.RepositoryPath = Path(QStringLiteral("out/Repository/"));
        QVERIFY(LoadDataFromFile(copy, Path(QStringLiteral("out/Orvanta Collection.OVD")), false));
        auto content = [&](const QString &stored) {
            return ReadAll(platform::resolvePath(UnpackRepositoryPath(copy, stored)));
        };
        const tCoinInfo &ca = *copy.CoinList[0];
        const tCoinInfo &cb = *copy.CoinList[1];
        QCOMPARE(content(ca.Obverse), QByteArray("us cent"));
        QCOMPARE(content(ca.Reverse), QByteArray("ca cent"));
        QCOMPARE(content(ca.Receipt), QByteArray("top"));
        // Outside the repository the copy keeps the path; the bundle still
        // holds both files.
        QCOMPARE(cb.Obverse, Path(QStringLiteral("Scans/a/front.jpg")));
        QCOMPARE(ReadAll(Path(QStringLiteral("out/Repository/front (2).jpg"))), QByteArray("scan a"));
        QCOMPARE(ReadAll(Path(QStringLiteral("out/Repository/front (3).jpg"))), QByteArray("scan b"));
        // The same picture named twice is packed once; a ".." in a stored
        // path cannot make an entry climb out of the folder it is unpacked
        // into.
        const QStringList others = cb.OtherImages.split(QLatin1Char(','));
        QCOMPARE(others.size(), 2);
        QCOMPARE(content(others[0]), QByteArray("us cent"));
        QCOMPARE(content(others[1]), QByteArray("scan c"));
    }

    // An unreadable picture stops the bundle before anything is written: an
    // older bundle of that name stays, and the collection still counts as
    // modified.
    void unreadablePictureLeavesNoPartialBundle()
    {
        tMainState &s = *s_;
        const QString picture = Path(QStringLiteral("Pictures/locked.jpg"));
        WriteFile(picture, "secret");
        QVERIFY(QFile::setPermissions(picture, QFileDevice::WriteOwner));
        AddCoin(s)->Obverse = picture;
        s.DataModified = true;
        const QString zipPath = Path(QStringLiteral("Old.ZIP"));
        WriteFile(zipPath, "older bundle");
        QVERIFY(QFile::setPermissions(zipPath, QFile::permissions(zipPath) | QFileDevice::WriteOther));
        QVERIFY(QFile::setPermissions(tmp_.path(), QFile::permissions(tmp_.path()) | QFileDevice::WriteOther));
        ui_->pick({zipPath});
        {
            tUnprivileged nobody;
            QVERIFY_THROWS_EXCEPTION(FileWriteError, CreateBackupZip(s));
        }
        QCOMPARE(ReadAll(zipPath), QByteArray("older bundle"));
        QCOMPARE(platform::sortedEntries(tmp_.path()), (QStringList{"Old.ZIP", "Pictures"}));
        QVERIFY(s.DataModified);
    }

    void bundleNeverReplacesTheCollection()
    {
        tMainState &s = *s_;
        AddCoin(s);
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        SaveCollectionFile(s, s.LastFileName);
        const QByteArray before = ReadAll(s.LastFileName);
        ui_->pick({s.LastFileName});
        QVERIFY(CreateBackupZip(s));
        QCOMPARE(ReadAll(s.LastFileName), before);
        QVERIFY(QFile::exists(Path(QStringLiteral("Main.OVD.ZIP"))));
    }

    // The closing questions: answers in order, whether the window may
    // close, and which saves ran.
    void closingQuestions_data()
    {
        QTest::addColumn<bool>("collection");
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("ebooks");
        QTest::addColumn<QStringList>("answers");   // "Esc" dismisses
        QTest::addColumn<bool>("canClose");
        QTest::addColumn<QStringList>("ran");
        QTest::newRow("nothing changed") << false << false << false << QStringList{} << true << QStringList{};
        QTest::newRow("save all three")
            << true << true << true << QStringList{"Save", "Save", "Save"} << true
            << QStringList{"collection", "prices", "ebooks"};
        QTest::newRow("discard all three")
            << true << true << true << QStringList{"Discard", "Discard", "Discard"} << true << QStringList{};
        QTest::newRow("cancel on the collection asks nothing more")
            << true << true << true << QStringList{"Cancel"} << false << QStringList{};
        QTest::newRow("cancel on the prices") << true << true << true << QStringList{"Discard", "Cancel"} << false
                                              << QStringList{};
        QTest::newRow("cancel on the eBooks") << false << true << true << QStringList{"Save", "Cancel"} << false
                                              << QStringList{"prices"};
        QTest::newRow("Esc on the eBooks") << false << false << true << QStringList{"Esc"} << false
                                           << QStringList{};
        QTest::newRow("Esc on the collection") << true << false << false << QStringList{"Esc"} << false
                                               << QStringList{};
    }
    void closingQuestions()
    {
        QFETCH(bool, collection);
        QFETCH(bool, prices);
        QFETCH(bool, ebooks);
        QFETCH(QStringList, answers);
        tMainState &s = *s_;
        QStringList ran;
        s.DataModified = collection;
        s.PricesModified = prices;
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        s.EbooksModified = ebooks;
        QObject::connect(s.Events.get(), &tStateEvents::SavePricesToFile, [&] { ran << QStringLiteral("prices"); });
        QObject::connect(s.Events.get(), &tStateEvents::SaveEbookIndexes, [&] {
            ran << QStringLiteral("ebooks");
            s.EbooksModified = false;
        });
        for (const QString &a : answers) {
            if (a == QLatin1String("Esc"))
                ui_->dismiss();
            else
                ui_->answer(a);
        }
        if (collection && answers.first() == QLatin1String("Save"))
            ui_->pick({s.LastFileName});
        const bool canClose = FormCloseQuery(s);
        if (QFile::exists(s.LastFileName))
            ran.prepend(QStringLiteral("collection"));
        QTEST(canClose, "canClose");
        QTEST(ran, "ran");
        QCOMPARE(ui_->pending(), 0);
    }

    // An eBook index that could not be written keeps its book modified:
    // the program stays open instead of losing the binding.
    void closingEbookSaveThatFailsKeepsTheProgramOpen()
    {
        tMainState &s = *s_;
        s.DataModified = false;
        s.PricesModified = false;
        int saves = 0;
        s.EbooksModified = true;
        QObject::connect(s.Events.get(), &tStateEvents::SaveEbookIndexes, [&saves] { ++saves; });
        ui_->answer(QStringLiteral("Save"));
        QVERIFY(!FormCloseQuery(s));
        QCOMPARE(saves, 1);
        QCOMPARE(ui_->pending(), 0);
    }

    void closingSaveCancelledInTheDialogKeepsTheProgramOpen()
    {
        tMainState &s = *s_;
        s.DataModified = true;
        s.PricesModified = true;
        ui_->answer(QStringLiteral("Save"));
        QVERIFY(!FormCloseQuery(s));
        QCOMPARE(ui_->Messages.size(), size_t(1));
        QCOMPARE(ui_->Messages[0].Picture, QStringLiteral("Resource/SaveCoin"));
    }

    // "New" asks first; "Cancel" keeps the collection, "Discard" replaces it.
    void newAsksBeforeDroppingChanges()
    {
        tMainState &s = *s_;
        AddCoin(s);
        s.DataModified = true;
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        ui_->answer(QStringLiteral("Cancel"));
        QVERIFY(!NewCollection(s));
        QCOMPARE(s.CoinList.size(), size_t(1));
        QVERIFY(ui_->Messages[0].Text.contains(QStringLiteral("before continuing?")));
        ui_->answer(QStringLiteral("Discard"));
        s.CoinSortOrder = {7, -1, 0};
        QVERIFY(NewCollection(s));
        QVERIFY(s.CoinList.empty());
        QVERIFY(s.LastFileName.isEmpty());
        QVERIFY(!s.DataModified);
        QCOMPARE(s.CoinSortOrder, (std::array<int32_t, 3>{2, 3, 4}));
        QCOMPARE(s.EntireCollection->NodeName, QStringLiteral("Entire Collection"));
    }

    // Every 120th tick with the option on saves a modified collection that
    // has a file; ticks do not count with the option off.
    void autoSaveEvery120Ticks()
    {
        tMainState &s = *s_;
        AddCoin(s);
        s.LastFileName = Path(QStringLiteral("Auto.OVD"));
        s.DataModified = true;
        int ebookSaves = 0;
        QObject::connect(s.Events.get(), &tStateEvents::SaveEbookIndexes, [&] { ++ebookSaves; });
        s.AutoSave = false;
        AutoSaveTick(s);
        QCOMPARE(s.AutoSaveTicks, 0);
        s.AutoSave = true;
        for (int i = 0; i < 119; ++i)
            AutoSaveTick(s);
        QVERIFY(!QFile::exists(s.LastFileName));
        AutoSaveTick(s);
        QCOMPARE(LoadedCoins(s.LastFileName), 1);
        QVERIFY(!s.DataModified);
        QCOMPARE(s.AutoSaveTicks, 0);
        QCOMPARE(ebookSaves, 1);
        QVERIFY(!s.AutoSaveInProgress);
        QVERIFY(ui_->FileRequests.empty());
    }

    // The timer runs on under an open question. No automatic save may
    // happen then, nor after "Discard" let the program close: the file keeps
    // what was last saved. Cancel gives the tick back.
    void noAutoSaveUnderAQuestionOrAfterDiscard_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("canClose");
        QTest::newRow("Discard") << "Discard" << true;
        QTest::newRow("Cancel") << "Cancel" << false;
    }
    void noAutoSaveUnderAQuestionOrAfterDiscard()
    {
        QFETCH(QString, answer);
        QFETCH(bool, canClose);
        tMainState &s = *s_;
        AddCoin(s);
        s.LastFileName = Path(QStringLiteral("Main.OVD"));
        SaveCollectionFile(s, s.LastFileName);
        AddCoin(s);
        s.DataModified = true;
        auto ticks = [&] {
            for (int i = 0; i < 300; ++i)
                AutoSaveTick(s);
        };
        ui_->WhileAsking = ticks;
        ui_->answer(answer);
        QCOMPARE(FormCloseQuery(s), canClose);
        ui_->WhileAsking = nullptr;
        QCOMPARE(LoadedCoins(s.LastFileName), 1);
        QVERIFY(s.DataModified);
        ticks();
        QCOMPARE(LoadedCoins(s.LastFileName), canClose ? 1 : 2);
    }

    // A file written by an older program: the first save over it keeps its
    // bytes in Backups, once, beside the rotating copy of the new ones; a
    // copy of that name already there is never replaced.
    void firstSaveKeepsTheFileOfAnotherVersion()
    {
        tMainState &s = *s_;
        const QByteArray original = CollectionFixtureBytes(RootOnlyFixture(95470, 1));
        const QString path = Path(QStringLiteral("Old.v2.OVD"));
        WriteFile(path, original);
        WriteFile(Path(QStringLiteral("Backups/Old (version 95470).OVD")), "an earlier copy");
        QVERIFY(OpenCollectionFile(s, path, false, path));
        AddCoin(s);
        s.DataModified = true;
        for (int i = 0; i < 120; ++i)
            AutoSaveTick(s);
        QVERIFY(!s.DataModified);
        QCOMPARE(LoadedCoins(path), 2);
        QCOMPARE(ReadAll(Path(QStringLiteral("Backups/Old (version 95470).OVD"))), QByteArray("an earlier copy"));
        QCOMPARE(ReadAll(Path(QStringLiteral("Backups/Old (version 95470, 2).OVD"))), original);
        QCOMPARE(LoadedCoins(Path(QStringLiteral("Backups/Old_01.OVD"))), 2);
        // The file is of the current version now: no further copy.
        s.DataModified = true;
        QVERIFY(SaveDataToFile(s, true, false));
        QCOMPARE(platform::sortedEntries(Path(QStringLiteral("Backups"))),
                 (QStringList{"Old (version 95470).OVD", "Old (version 95470, 2).OVD", "Old_01.OVD"}));
    }

    // A file that fails part-way while another collection is open leaves
    // that collection exactly as it was: same entries, same file, nothing
    // to save, and closing asks nothing.
    void failedOpenLeavesTheOpenCollection()
    {
        tMainState &s = *s_;
        AddCoin(s, QStringLiteral("mine"));
        s.LastFileName = Path(QStringLiteral("Mine.OVD"));
        SaveCollectionFile(s, s.LastFileName);
        tMainState other;
        for (int i = 0; i < 50; ++i)
            AddCoin(other, QStringLiteral("theirs"));
        const QByteArray whole = CollectionFileBytes(other);
        const QString broken = Path(QStringLiteral("Broken.OVD"));
        WriteFile(broken, whole.left(whole.size() * 2 / 3));
        ui_->answer(QStringLiteral("OK"));
        QVERIFY(!OpenCollectionFile(s, broken, false, QStringLiteral("Broken.OVD")));
        QCOMPARE(ui_->Messages.size(), size_t(1));
        QCOMPARE(s.CoinList.size(), size_t(1));
        QCOMPARE(s.CoinList[0]->Notes, QStringLiteral("mine"));
        QCOMPARE(s.CoinList[0]->Folder, s.EntireCollection.get());
        QCOMPARE(s.LastFileName, Path(QStringLiteral("Mine.OVD")));
        QVERIFY(!s.DataModified);
        QVERIFY(FormCloseQuery(s));
        QCOMPARE(ui_->Messages.size(), size_t(1));
    }

    // Opening: a failed read shows the message and leaves no file name
    // pointing at the failed file; a good one becomes the collection's file
    // and stands first in the recent list.
    void openSetsTheFileNameOnlyAfterARead()
    {
        tMainState &s = *s_;
        const QString bad = Path(QStringLiteral("Broken.OVD"));
        WriteFile(bad, "this is not a collection");
        ui_->answer(QStringLiteral("OK"));
        QVERIFY(!OpenCollectionFile(s, bad, false, QStringLiteral("Broken.OVD")));
        QCOMPARE(ui_->Messages[0].Text, QStringLiteral("Orvanta was unable to load the file\r\"Broken.OVD\".\r"
                                                       "The file is not an Orvanta collection."));
        QVERIFY(s.LastFileName.isEmpty());
        QVERIFY(RecentFiles().first().isEmpty());

        tMainState other;
        AddCoin(other);
        const QString good = Path(QStringLiteral("Good.OVD"));
        SaveCollectionFile(other, good);
        QVERIFY(OpenCollectionFile(s, good, false, good));
        QCOMPARE(s.LastFileName, good);
        QCOMPARE(s.CoinList.size(), size_t(1));
        QCOMPARE(RecentFiles().first(), good);
    }

    // A writer killed in the middle of saving a large collection leaves the
    // file it was replacing whole and readable.
    void killedWriterLeavesThePreviousFile()
    {
        tMainState &s = *s_;
        AddCoin(s, QStringLiteral("the previous file"));
        const QString target = Path(QStringLiteral("Big.OVD"));
        SaveCollectionFile(s, target);
        const QByteArray before = ReadAll(target);

        QProcess writer;
        writer.start(QStringLiteral(BIG_COLLECTION_WRITER), {target, QStringLiteral("200000")});
        QVERIFY(writer.waitForStarted());
        // The kill lands while the writer holds a partly written file in the
        // target's folder open (its temporary file, named or not).
        const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(writer.processId());
        auto writingNow = [&] {
            const QDir fds(fdFolder);
            for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
                const QString link = QFile::symLinkTarget(fds.filePath(fd));
                struct stat st {};
                if (link.startsWith(tmp_.path()) && ::stat(QFile::encodeName(fds.filePath(fd)).constData(), &st) == 0 &&
                    st.st_size > 0)
                    return true;
            }
            return false;
        };
        const bool midWrite = QTest::qWaitFor(writingNow, 120000);
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(midWrite);
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const QByteArray after = ReadAll(target);
        if (after != before)
            QCOMPARE(LoadedCoins(target), 200000);  // a save completed whole
        else
            QCOMPARE(LoadedCoins(target), 1);
    }
};

QTEST_MAIN(tst_CollectionLifecycle)
#include "tst_collectionlifecycle.moc"
