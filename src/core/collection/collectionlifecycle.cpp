#include "core/collection/collectionlifecycle.h"

#include <algorithm>
#include <array>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/model/blocks.h"
#include "core/files/collectionfile.h"
#include "core/files/collectionsettings.h"
#include "core/catalogue/countries.h"
#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "core/model/gradetitles.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "core/program/settings.h"
#include "core/files/valuestream.h"
#include "platform/paths.h"
#include "platform/uiservices.h"
#include "platform/zip.h"

namespace {

template <class F, class... A>
void Call(const F &hook, A &&...args)
{
    if (hook)
        hook(std::forward<A>(args)...);
}

constexpr int RecentFileCount = 10;
constexpr int RotatingSlots = 5;
// Ticks of the one-second housekeeping timer between automatic saves.
constexpr int AutoSaveInterval = 120;

// Answers of the three-button questions.
constexpr int AnswerSave = 1;
constexpr int AnswerDiscard = 2;
constexpr int AnswerCancel = 4;

const QString CollectionFilter = QStringLiteral("Orvanta Database (*.OVD)");

int AskSaveDiscardCancel(const QString &first, const QString &second, const QString &forceImage)
{
    return ShowEpicMessage(first + QLatin1Char('\r') + second, QStringLiteral("Save"), QStringLiteral("Discard"),
                           QStringLiteral("Cancel"), {}, {}, {}, 15, 19, 3, -1, -1, -1, 0, {}, false, forceImage);
}

void Status(tMainState &s, const QString &text)
{
    Q_EMIT s.Events->SetStatusText(text);
}

// name with its extension (after the last "." of the file name part)
// replaced by ext.
QString WithExtension(const QString &name, const QString &ext)
{
    const QString folder = platform::folderPart(name);
    QString file = name.mid(folder.size());
    const int dot = static_cast<int>(file.lastIndexOf(QLatin1Char('.')));
    if (dot >= 0)
        file.truncate(dot);
    return folder + file + ext;
}

QString WithSlash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

bool SameFolder(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return QDir::cleanPath(QFileInfo(platform::toSlashes(a)).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(platform::toSlashes(b)).absoluteFilePath());
}

// Before a save replaces a collection file of another version, the file as
// it was goes into the Backups folder, once: the rotating copies only ever
// hold the current format, and a collector going back to the program that
// wrote the file needs its own bytes. A name already taken there is never
// overwritten. Throws FileWriteError, so the file is not replaced, when the
// copy cannot be made.
void KeepOtherVersion(const tMainState &s, const QString &target)
{
    QFile file(target);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    const int32_t version = StoredCollectionVersion(file.read(16));
    file.close();
    if (version == 0 || version == CollectionFileVersion)
        return;
    QDir().mkpath(platform::toSlashes(s.BackupsRedirect));
    QString base = platform::fileNamePart(target);
    const int dot = static_cast<int>(base.indexOf(QLatin1Char('.')));
    if (dot >= 0)
        base.truncate(dot);
    const QString stem = WithSlash(s.BackupsRedirect) + base + QStringLiteral(" (version %1").arg(version);
    QString copy = stem + QStringLiteral(").OVD");
    for (int k = 2; QFileInfo::exists(platform::toSlashes(copy)); ++k)
        copy = stem + QStringLiteral(", %1).OVD").arg(k);
    if (!QFile::copy(target, platform::toSlashes(copy)))
        throw FileWriteError(
            QStringLiteral("Cannot keep a copy of \"%1\" in \"%2\" before it is rewritten").arg(target, copy).toStdString());
    LogEntry(QStringLiteral("Kept the version %1 file as ").arg(version) + copy);
}

bool AnyEbookModified(const tMainState &s)
{
    Q_EMIT s.Events->EbooksModifiedWanted();
    return s.EbooksModified;
}

} // namespace

QString MainCaption(const tMainState &s)
{
    if (s.AutoSaveInProgress)
        return QStringLiteral("Auto save in progress");
    const QString name = s.LastFileName.isEmpty() ? QStringLiteral("New File") : platform::fileNamePart(s.LastFileName);
    QString caption = QStringLiteral("Orvanta [") + name + QLatin1Char(']');
    if (s.DataModified)
        caption += QStringLiteral(" (Modified)");
    return caption;
}

tSaveMenuVisibility SaveMenuVisibility(const tMainState &s)
{
    tSaveMenuVisibility v;
    v.SaveEbookData1 = AnyEbookModified(s);
    v.SavePriceData1 = s.PricesModified || s.PricesConverted;
    v.SaveAllChanges1 = v.SaveEbookData1 || v.SavePriceData1 || s.MaintainerMode;
    return v;
}

void ClearAllData(tMainState &s)
{
    s.ClearCoins();
    s.IndicateEBook = 0;
    // The find windows hold links into the entries just freed.
    Q_EMIT s.Events->CoinsCleared();
}

void CreateDefaultDatabase(tMainState &s)
{
    CurrProcGuard guard(Blocks::CreateDefaultDatabase);
    Status(s, QStringLiteral("Creating a new collection..."));
    Q_EMIT s.Events->ProcessEvents();

    Q_EMIT s.Events->CollectionReplaced();
    Q_EMIT s.Events->ClearClickTrackList();
    s.ClickTrackList.clear();
    s.ClearSeries();
    s.EntireCollection->NodeName = QStringLiteral("Entire Collection");

    ClearAllData(s);
    ClearStoredBox(s);
    ClearGradedByBox(s);
    Q_EMIT s.Events->ShowBinCount();
    s.UDFlist.clear();
    Q_EMIT s.Events->ClearUDFControls();

    // Built-in scale 0 for coins and paper money, the user's scales empty;
    // the decimal scale 4 is left as it is.
    tGradeTitles builtIn;
    FillBuiltInGradeTitles(builtIn);
    for (size_t kind = 0; kind < GradeKinds; ++kind) {
        s.GradeTitles3D[kind][0] = builtIn[kind][0];
        for (size_t scale = 1; scale <= 3; ++scale)
            s.GradeTitles3D[kind][scale].fill(QString());
    }
    s.MaxInventory = 0;

    tnodeinfo *first = nullptr;
    LoadCountryStructures(s, 0, 0, false, first);
    s.SelectedTreeNode = s.EntireCollection.get();

    ReconcilePriceList(s);
    Q_EMIT s.Events->ReloadPriceLists();
    s.Events->RethrowFailure();
    s.AutoAddStr.clear();
    CalcNodeEntries(s);
    CalcNodeDates(s);
    Q_EMIT s.Events->CalcVisibleNodes();
    Q_EMIT s.Events->AssignNodePorts();
    Q_EMIT s.Events->RenderTree();
    SetDefaultThemeNames(s);
    Q_EMIT s.Events->RefreshThemeButtons();

    s.LastFileName.clear();
    s.DataModified = false;
    Q_EMIT s.Events->CreateUDFobjects();
    Q_EMIT s.Events->SetMainCaption();
    FindQuarterNode(s);
    Q_EMIT s.Events->SetupCoinGridCols();
    Q_EMIT s.Events->SeriesSelected();
    s.LastItemNumberAccessed = 0;
    Q_EMIT s.Events->BuildFavoritesMenu();
    Q_EMIT s.Events->ClearRecentSeriesMenu();
    Q_EMIT s.Events->LoadReportList();
    s.AutoSaveTicks = 0;
}

void InstallLifecycleHooks(tMainState &s)
{
    QObject::connect(s.Events.get(), &tStateEvents::CreateDefaultDatabase, s.Events.get(),
                     [&s] { CreateDefaultDatabase(s); });
    QObject::connect(s.Events.get(), &tStateEvents::UpdateRecentFiles, s.Events.get(),
                     [](const QString &name) { UpdateRecentFiles(name); });
}

bool AskToSaveBeforeReplacing(tMainState &s)
{
    if (!s.DataModified)
        return true;
    switch (AskSaveDiscardCancel(QStringLiteral("Your changes have not been saved."),
                                 QStringLiteral("Do you want to save your changes before continuing?"), {})) {
    case AnswerSave:
        return SaveDataToFile(s, false, false);
    case AnswerDiscard:
        return true;
    default:
        return false;
    }
}

bool NewCollection(tMainState &s)
{
    CurrProcGuard guard(Blocks::NewCollection);
    Q_EMIT s.Events->CommitPendingEdit();
    if (!AskToSaveBeforeReplacing(s))
        return false;
    Q_EMIT s.Events->ShowBusy(true);
    try {
        Q_EMIT s.Events->ShowBinCount();
        CreateDefaultDatabase(s);
        s.CoinSortOrder = {2, 3, 4};
        Q_EMIT s.Events->CreateUDFobjects();
        Q_EMIT s.Events->SetupCoinGridCols();
        Status(s, QStringLiteral("Your new collection is ready."));
    } catch (...) {
        Q_EMIT s.Events->ShowBusy(false);
        throw;
    }
    Q_EMIT s.Events->ShowBusy(false);
    return true;
}

bool SaveCollectionDialogCanClose(const tMainState &s, const QString &fileName)
{
    return !SameFolder(platform::folderPart(fileName), s.BackupsRedirect);
}

bool SaveDataToFile(tMainState &s, bool AutoMode, bool BackupMode)
{
    CurrProcGuard guard(Blocks::SaveDataToFile);
    Q_EMIT s.Events->CommitPendingEdit();
    platform::FileRequest request;
    request.Title = BackupMode ? QStringLiteral("Create an Orvanta backup file")
                               : QStringLiteral("Save this Orvanta database");
    request.Filter = CollectionFilter;
    request.DefaultSuffix = QStringLiteral("OVD");
    if (!BackupMode && !s.LastFileName.isEmpty())
        request.Folder = platform::folderPart(s.LastFileName);
    else
        request.Folder = CollectionsFolder(s);
    if (!BackupMode)
        request.FileName = s.LastFileName;

    QString chosen = request.FileName;
    if (!AutoMode) {
        for (;;) {
            chosen = platform::ui().saveFileName(request);
            if (chosen.isEmpty())
                return false;
            if (SaveCollectionDialogCanClose(s, chosen))
                break;
            ShowEpicMessage(QStringLiteral("A collection can't be saved into the Backups directory; this directory "
                                           "is used by Orvanta to store just backup copies of your data."),
                            QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
            request.FileName = chosen;
        }
        if (!BackupMode)
            s.LastDir = platform::folderPart(chosen);
    }
    if (chosen.isEmpty())
        return false;  // an automatic save of a collection that has no file

    const QString target = WithExtension(TrimFileName(chosen), QStringLiteral(".OVD"));
    KeepOtherVersion(s, target);
    // The file name changes only once the file is on disk: a failed save
    // leaves the collection pointing at the file that still holds it.
    SaveCollectionFile(s, target);
    if (!AutoMode && !BackupMode) {
        s.LastFileName = target;
        Q_EMIT s.Events->SetMainCaption();
    }
    if (!BackupMode)
        SaveCollectionFile(s, RotatingBackupName(s, s.LastFileName, QDate::currentDate()));
    if (!AutoMode && !BackupMode)
        UpdateRecentFiles(target);
    s.AutoSaveTicks = 0;
    return true;
}

QString RotatingBackupName(const tMainState &s, const QString &fileName, const QDate &today)
{
    CurrProcGuard guard(Blocks::RotatingBackupName);
    QDir().mkpath(platform::toSlashes(s.BackupsRedirect));
    QString base = platform::fileNamePart(fileName);
    const int dot = static_cast<int>(base.indexOf(QLatin1Char('.')));
    if (dot >= 0)
        base.truncate(dot);
    auto slotPath = [&](int slot) {
        return WithSlash(s.BackupsRedirect) + base + QStringLiteral("_%1.OVD").arg(slot, 2, 10, QLatin1Char('0'));
    };

    std::array<qint64, RotatingSlots + 1> day{};  // Julian days, 0: no file
    for (int slot = 1; slot <= RotatingSlots; ++slot) {
        const QFileInfo info(platform::toSlashes(slotPath(slot)));
        day[slot] = info.exists() ? info.lastModified().date().toJulianDay() : 0;
    }
    int pick = 0;
    for (int slot = 1; slot <= RotatingSlots; ++slot)
        if (day[slot] == today.toJulianDay())
            pick = slot;
    if (pick == 0)
        for (int slot = 1; slot <= RotatingSlots && pick == 0; ++slot)
            if (day[slot] == 0)
                pick = slot;
    if (pick == 0) {
        pick = 1;
        for (int slot = 2; slot <= RotatingSlots; ++slot)
            if (day[slot] < day[pick])
                pick = slot;
    }
    return slotPath(pick);
}

QString ProposedBundleName(const tMainState &s)
{
    if (s.LastFileName.isEmpty())
        return QStringLiteral("Orvanta Backup.ZIP");
    // A different extension keeps the bundle off the collection file.
    return WithExtension(s.LastFileName, QStringLiteral(" Backup.ZIP"));
}

bool CreateBackupZip(tMainState &s)
{
    CurrProcGuard guard(Blocks::CreateBackupZip);
    Q_EMIT s.Events->CommitPendingEdit();
    platform::FileRequest request;
    request.Title = QStringLiteral("Create a backup bundle");
    request.Filter = QStringLiteral("Zip file (*.ZIP)");
    request.DefaultSuffix = QStringLiteral("ZIP");
    request.Folder = CollectionsFolder(s);
    request.FileName = ProposedBundleName(s);
    QString zipPath = platform::ui().saveFileName(request);
    if (zipPath.isEmpty())
        return false;
    // Whatever was typed, the bundle ends in ".ZIP", so it can never replace
    // the collection file.
    if (!zipPath.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        zipPath += QStringLiteral(".ZIP");

    tBundlePictures pictures;
    std::vector<platform::ZipEntry> entries;
    entries.push_back({QStringLiteral("Orvanta Collection.OVD"), CollectionFileBytes(s, &pictures), {}});
    // Each picture under the name the collection copy gives it, subfolders
    // of the repository kept.
    for (const tBundlePictures::tPicture &p : pictures.List)
        entries.push_back({QStringLiteral("Repository/") + p.Name, {}, p.SourceFile});
    const QString prices = platform::toSlashes(s.PricesRedirect);
    if (!prices.isEmpty()) {
        for (const QString &name : platform::sortedEntries(prices)) {
            const QFileInfo info(QDir(prices).filePath(name));
            if (info.isFile() && info.suffix().toUpper() == QLatin1String("OVP"))
                entries.push_back({QStringLiteral("Prices/") + name, {}, info.filePath()});
        }
    }
    QFile readMe(QStringLiteral(":/lifecycle/ReadMe.txt"));
    if (readMe.open(QIODevice::ReadOnly))
        entries.push_back({QStringLiteral("ReadMe.txt"), readMe.readAll(), {}});

    try {
        platform::zipEntries(entries, platform::toSlashes(zipPath));
    } catch (const platform::ZipError &e) {
        throw FileWriteError(e.what());
    }
    // The bundle holds the collection as it is now.
    s.DataModified = false;
    Q_EMIT s.Events->SetMainCaption();
    s.AutoSaveTicks = 0;
    return true;
}

QStringList RecentFiles()
{
    QStringList list;
    for (int digit = 0; digit < RecentFileCount; ++digit)
        list << ReadRegString(RecentFileValueName(digit), QString());
    return list;
}

void UpdateRecentFiles(const QString &PriorityName)
{
    CurrProcGuard guard(Blocks::UpdateRecentFiles);
    const QString key = PriorityName.toLower();
    QStringList list{PriorityName};
    for (const QString &name : RecentFiles())
        if (!name.isEmpty() && name.toLower().localeAwareCompare(key) != 0)
            list << name;
    while (list.size() < RecentFileCount)
        list << QString();
    for (int digit = 0; digit < RecentFileCount; ++digit)
        WriteRegString(RecentFileValueName(digit), list[digit]);
}

bool FormCloseQuery(tMainState &s)
{
    CurrProcGuard guard(Blocks::FormCloseQuery);
    Q_EMIT s.Events->CommitPendingEdit();
    const QString exiting = QStringLiteral("Do you want to save your changes before exiting?");
    bool canClose = true;
    bool discarded = false;
    if (s.DataModified) {
        const int answer = AskSaveDiscardCancel(QStringLiteral("Your collection changes have not been saved."),
                                                exiting, QStringLiteral("Resource/SaveCoin"));
        discarded = answer == AnswerDiscard;
        canClose = answer == AnswerSave ? SaveDataToFile(s, false, false) : discarded;
    }
    if (canClose && s.PricesModified) {
        const int answer = AskSaveDiscardCancel(QStringLiteral("Your price list changes have not been saved."),
                                                exiting, QStringLiteral("Resource/SavePrice"));
        if (answer == AnswerSave) {
            Q_EMIT s.Events->SavePricesToFile();
            s.Events->RethrowFailure();
        }
        canClose = answer == AnswerSave || answer == AnswerDiscard;
    }
    if (canClose && AnyEbookModified(s)) {
        // Dismissing this question cancels the close too, as it does for the
        // other two: the eBook changes are not dropped unasked.
        const int answer = AskSaveDiscardCancel(QStringLiteral("Your eBook changes have not been saved."), exiting,
                                                QStringLiteral("Resource/SaveEbook"));
        if (answer == AnswerSave)
            Q_EMIT s.Events->SaveEbookIndexes();
        // A book whose index could not be written is still modified; the
        // program stays open rather than drop the binding that was to be
        // saved (the save has said which file failed).
        canClose = (answer == AnswerSave && !AnyEbookModified(s)) || answer == AnswerDiscard;
    }
    // Changes the user chose to drop must stay out of the file for the rest
    // of the close, whatever window events still run before the program ends.
    s.ChangesDiscarded = canClose && discarded;
    return canClose;
}

void AutoSaveTick(tMainState &s, const std::function<void(bool enabled)> &setTimerEnabled)
{
    // Timers keep running under an open question: a save then would write
    // what the question is about (the closing question's "Discard" would
    // find the changes already in the file), so the tick waits.
    if (!s.AutoSave || s.AutoSaveInProgress || s.ChangesDiscarded || platform::modalDialogOpen())
        return;
    if (++s.AutoSaveTicks < AutoSaveInterval)
        return;
    CurrProcGuard guard(Blocks::AutoSave);
    s.AutoSaveTicks = 0;
    s.AutoSaveInProgress = true;
    // What is being typed is saved with the rest.
    Q_EMIT s.Events->CommitPendingEdit();
    Q_EMIT s.Events->SetMainCaption();
    Call(setTimerEnabled, false);
    // Whatever the save does, the timer runs again and the caption is the
    // collection's: a failed save is retried 120 ticks later.
    auto finish = [&] {
        s.AutoSaveInProgress = false;
        Call(setTimerEnabled, true);
        Q_EMIT s.Events->SetMainCaption();
    };
    try {
        if (s.DataModified && !s.LastFileName.trimmed().isEmpty())
            SaveDataToFile(s, true, false);
        if (s.PricesModified) {
            Q_EMIT s.Events->SavePricesToFile();
            s.Events->RethrowFailure();
        }
        Q_EMIT s.Events->SaveEbookIndexes();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

bool OpenCollectionFile(tMainState &s, const QString &path, bool merge, const QString &shownName)
{
    CurrProcGuard guard(Blocks::OpenCollectionFile);
    // A file refused as written by a newer program is replaced by a new
    // collection, which must not take the refused file's name.
    bool refused = false;
    const bool madeByReceiver = s.Events->HasReceiver(QMetaMethod::fromSignal(&tStateEvents::CreateDefaultDatabase));
    const QMetaObject::Connection noteRefusal =
        QObject::connect(s.Events.get(), &tStateEvents::CreateDefaultDatabase, s.Events.get(), [&] {
            refused = true;
            if (!madeByReceiver)
                CreateDefaultDatabase(s);
        });
    bool loaded = false;
    try {
        loaded = LoadDataFromFile(s, path, merge);
    } catch (const StreamReadError &) {
        // A damaged file: the open collection was left as it was (a merge
        // keeps what it added, marked modified).
        loaded = false;
    } catch (...) {
        QObject::disconnect(noteRefusal);
        throw;
    }
    QObject::disconnect(noteRefusal);
    if (!loaded) {
        Q_EMIT s.Events->SetMainCaption();
        ShowLoadFailure(s, shownName);
        return false;
    }
    // Only a file that was read becomes the collection's file.
    if (!merge && !refused) {
        s.LastFileName = TrimFileName(path);
        s.LastDir = platform::folderPart(s.LastFileName);
    }
    Q_EMIT s.Events->SetMainCaption();
    CalcNodeDates(s);
    CalcNodeEntries(s);
    return true;
}

void ShowLoadFailure(const tMainState &s, const QString &shownName)
{
    QString text = QStringLiteral("Orvanta was unable to load the file\r\"") + shownName + QStringLiteral("\".");
    if (!s.LoadFailure.isEmpty())
        text += QLatin1Char('\r') + s.LoadFailure;
    ShowEpicMessage(text, QStringLiteral("OK"), {}, {}, {}, {}, {}, 2);
}

QString CollectionsFolder(const tMainState &s)
{
    if (!s.LastDir.isEmpty() && QFileInfo(platform::resolvePath(s.LastDir)).isDir())
        return s.LastDir;
    return s.BaseRedirect;
}
