#pragma once
// What the download windows share: the update server's folders and files,
// the rule by which a failed step is tried again, the look-up of a file in a
// directory listing, the texts for sizes and transfer progress, and the
// grouping of the country checklist.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include <QLocale>
#include <QRgb>
#include <QString>

#include "core/model/mainstate.h"
#include "platform/ftp.h"

// Folders of the update server, taken from its root.
inline const QString PricesServerFolder = QStringLiteral("/Prices7");
inline const QString ImagesServerFolder = QStringLiteral("/Images");
inline const QString ProgramServerFolder = QStringLiteral("/Program");

// What a download window says while no update server is set.
inline const QString NoServerText =
    QStringLiteral("No update server is set. Enter its address (host or host:port) below and press \"Connect\".");

// The same, in a download window that has no address box of its own.
inline const QString NoServerElsewhereText =
    QStringLiteral("No update server is set. Enter its address in the \"Download price lists\" window first.");

// Files of the server that are not named after a country.
inline const QString PriceDatesFileName = QStringLiteral("PriceDates.Dat");      // in /Prices7
inline const QString ImageDirectoryFileName = QStringLiteral("ImageDirectory.ini");  // in /Images
inline const QString UpdateNotesFileName = QStringLiteral("Update Notes.txt");   // in /Program
inline const QString InstallerFileName = QStringLiteral("OrvantaWindowsSetup.exe");  // in /Program

// Looks Name up in a directory listing, ignoring case. On a match Name takes
// the server's spelling; when several entries match (names that differ only
// in case) the last one wins. Returns that entry, or null (Name unchanged).
const platform::FtpEntry *FindInListing(const std::vector<platform::FtpEntry> &listing, QString &Name);

// S with everything dropped but ".", "0".."9", "A".."Z" and "a".."z".
QString CleanName(const QString &S);

// A byte count as "1023 bytes", "1.0KB", "1024.0MB", "2.5GB": one decimal in
// the locale's separator, no blank before the unit.
// Whether a fetched file can replace path by renaming over it: the folder is
// made and must be writable; a file marked read-only is made writable first.
bool CanReplace(const QString &folder, const QString &path);

QString FormatSize(qint64 N, const QLocale &locale = QLocale());

// "Progress: 1.5MB of 3.0MB (50.0%)". While the total is not known yet (a
// listing runs first) the share reads 0.0%, and it never passes 100.0%.
QString ProgressText(qint64 done, qint64 total, const QLocale &locale = QLocale());

// "0 items selected", "1 item selected", "2 items selected".
QString SelectedCountText(int n);

// The bytes of one update: TotalSize of all queued files, WorkStart of the
// transfers finished, WorkMark of the running one so far.
struct tTransferProgress {
    qint64 TotalSize = 0;
    qint64 WorkStart = 0;
    qint64 WorkMark = 0;
    // The running transfer has moved workCount bytes.
    void Work(qint64 workCount) { WorkMark = workCount; }
    qint64 Done() const { return WorkStart + WorkMark; }
    // After each file, fetched or not. The mark starts again from 0, so the
    // bytes of a listing or of the previous file are never counted twice.
    void FileFinished()
    {
        WorkStart += WorkMark;
        WorkMark = 0;
    }
};

// ---- Trying a failed step again ----

constexpr int MaxAttempts = 5;
constexpr int RetryPauseMs = 3000;

// The pause between attempts: a failed attempt starts it, the next attempt
// waits it out. It runs on even when the step is over, so a window that
// starts its next exchange at once still waits for the rest of it.
// Start and Wait run on the thread that does the transfers; Cancel may come
// from any thread.
class tRetryTimer {
public:
    // Milliseconds of a steady clock, and a sleep of about so many of them.
    // Tests install a fake clock, so that no test waits for real pauses.
    struct Clock {
        std::function<qint64()> NowMs;
        std::function<void(qint64 ms)> Sleep;
    };

    tRetryTimer() : tRetryTimer(Clock{}) {}
    // A clock with an empty member uses the real one.
    explicit tRetryTimer(Clock clock);

    void Start();
    bool Enabled() const;
    // Returns when the pause is over, or at once after Cancel.
    void Wait();
    // Ends every pause now and later: the window is going away.
    void Cancel();
    bool Cancelled() const { return cancelled_; }

private:
    void RealSleep(qint64 ms);
    Clock clock_;
    std::atomic<qint64> deadline_{0};
    std::atomic<bool> running_{false};
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
};

// Runs step by the retry rule: before each attempt the running pause is
// waited out; a failed attempt (an FtpError) counts, starts the pause and is
// reported to onFailure with the failures so far (1, 2, ...); the step runs
// again while it failed and fewer than attempts were made. True when an
// attempt succeeded; false after the last failure, or after a failure once
// the timer was cancelled (the first attempt runs all the same). Other
// exceptions pass through.
bool RunWithRetries(tRetryTimer &timer, const std::function<void()> &step,
                    const std::function<void(int failures)> &onFailure, int attempts = MaxAttempts);

// ---- The country checklist ----

// 2 x Continent - 1 for a coin country, 2 x Continent for paper money: 1..16.
int CountryGroupKey(const tCountryInfo &c);
// "Coins of Europe", "Paper money of Asia"; empty for a key outside 1..16.
QString GroupHeaderCaption(int key);
// The bar colour of a group (by continent); 0 for a key outside 1..16.
QRgb GroupBarColor(int key);
// "Coins: " or "Paper: " followed by the country's description.
QString CountryRowCaption(const tCountryInfo &c);

struct tChecklistMetrics {
    int RowHeight = 26;
    int RowGap = 0;          // added below every row
    int HeaderAdvance = 36;  // from a bar's top to the first row under it
};

// Where the checklist's pieces go, top to bottom.
struct tChecklistLayout {
    struct Bar {
        int Key = 0;
        int Y = 0;
    };
    struct Row {
        int Index = 0;  // into the country list
        int Y = 0;
    };
    std::vector<Bar> Bars;
    std::vector<Row> Rows;
    int EndY = 0;  // below the last row: where the marker line goes
};

// A group starts (8 units of space, then a bar) only when the key grows, so a
// list in continent order gets one bar per group.
tChecklistLayout LayoutCountryChecklist(const std::vector<const tCountryInfo *> &countries,
                                        const tChecklistMetrics &metrics);

// Compares captions with ASCII letters taken without case, everything else
// by code unit: negative, 0 or positive.
int CompareCaptions(const QString &a, const QString &b);

// Puts rows into caption order without moving rows of equal captions past
// each other (the order a repeated neighbour exchange gives).
template <class Item, class CaptionOf>
void SortItemsByCaption(std::vector<Item> &items, CaptionOf captionOf)
{
    std::stable_sort(items.begin(), items.end(), [&](const Item &a, const Item &b) {
        return CompareCaptions(captionOf(a), captionOf(b)) < 0;
    });
}
