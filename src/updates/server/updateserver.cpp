#include "updates/server/updateserver.h"

#include <chrono>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/model/currproc.h"
#include "core/model/helpers.h"

const platform::FtpEntry *FindInListing(const std::vector<platform::FtpEntry> &listing, QString &Name)
{
    const QString wanted = Name.toUpper();
    const platform::FtpEntry *found = nullptr;
    for (const platform::FtpEntry &e : listing)
        if (e.name.toUpper() == wanted)
            found = &e;
    if (found)
        Name = found->name;
    return found;
}

QString CleanName(const QString &S)
{
    CurrProcGuard guard(32300);
    QString out;
    out.reserve(S.size());
    for (const QChar c : S) {
        const char16_t u = c.unicode();
        if (u == u'.' || (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
            out += c;
    }
    return out;
}

namespace {

QString OneDecimal(double value, const QLocale &locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(value, 'f', 1);
}

} // namespace

QString FormatSize(qint64 N, const QLocale &locale)
{
    constexpr qint64 KB = 1024;
    constexpr qint64 MB = KB * 1024;
    constexpr qint64 GB = MB * 1024;
    if (N < KB)
        return QString::number(N) + QStringLiteral(" bytes");
    if (N < MB)
        return OneDecimal(static_cast<double>(N) / KB, locale) + QStringLiteral("KB");
    if (N < GB)
        return OneDecimal(static_cast<double>(N) / MB, locale) + QStringLiteral("MB");
    return OneDecimal(static_cast<double>(N) / GB, locale) + QStringLiteral("GB");
}

QString ProgressText(qint64 done, qint64 total, const QLocale &locale)
{
    const double share = total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total) * 100.0, 0.0, 100.0)
                                   : 0.0;
    return QStringLiteral("Progress: ") + FormatSize(done, locale) + QStringLiteral(" of ") + FormatSize(total, locale) +
           QStringLiteral(" (") + OneDecimal(share, locale) + QStringLiteral("%)");
}

QString SelectedCountText(int n)
{
    return QString::number(n) + QStringLiteral(" item") + PluralS(n) + QStringLiteral(" selected");
}

// ---- tRetryTimer ----

tRetryTimer::tRetryTimer(Clock clock) : clock_(std::move(clock))
{
    if (!clock_.NowMs)
        clock_.NowMs = [] {
            return static_cast<qint64>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count());
        };
    if (!clock_.Sleep)
        clock_.Sleep = [this](qint64 ms) { RealSleep(ms); };
}

void tRetryTimer::Start()
{
    deadline_ = clock_.NowMs() + RetryPauseMs;
    running_ = true;
}

bool tRetryTimer::Enabled() const
{
    return running_ && clock_.NowMs() < deadline_;
}

void tRetryTimer::Wait()
{
    while (!cancelled_ && running_) {
        const qint64 left = deadline_ - clock_.NowMs();
        if (left <= 0)
            break;
        clock_.Sleep(left);
    }
    // One start gives one pause.
    running_ = false;
}

void tRetryTimer::Cancel()
{
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
}

void tRetryTimer::RealSleep(qint64 ms)
{
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancelled_.load(); });
}

bool RunWithRetries(tRetryTimer &timer, const std::function<void()> &step,
                    const std::function<void(int failures)> &onFailure, int attempts)
{
    int failures = 0;
    for (;;) {
        timer.Wait();
        // A cancelled timer stops the retries, not the first attempt: a
        // step asked for just before the cancel still runs once.
        if (failures > 0 && timer.Cancelled())
            return false;
        try {
            step();
            return true;
        } catch (const platform::FtpError &) {
            ++failures;
            timer.Start();
            if (onFailure)
                onFailure(failures);
        }
        if (failures >= attempts || timer.Cancelled())
            return false;
    }
}

// ---- The country checklist ----

namespace {

struct tGroupLook {
    const char *Coins;
    const char *Paper;
    QRgb Color;
};

constexpr tGroupLook GroupLooks[8] = {
    {"Coins of North America", "Paper money of North America", 0xFF7CFC00},
    {"Coins of Central America", "Paper money of Central America", 0xFFFFD700},
    {"Coins of South America", "Paper money of South America", 0xFFFFA07A},
    {"Coins of Europe", "Paper money of Europe", 0xFFB0E0E6},
    {"Coins of Asia", "Paper money of Asia", 0xFFFFC0CB},
    {"Coins of the Middle East", "Paper money of the Middle East", 0xFFDEB887},
    {"Coins of Africa", "Paper money of Africa", 0xFFFFFF00},
    {"Coins of Oceania", "Paper money of Oceania", 0xFF00FFFF},
};

const tGroupLook *LookOf(int key)
{
    if (key < 1 || key > 16)
        return nullptr;
    return &GroupLooks[(key - 1) / 2];
}

} // namespace

int CountryGroupKey(const tCountryInfo &c)
{
    return 2 * c.Continent - (c.IsPaper ? 0 : 1);
}

QString GroupHeaderCaption(int key)
{
    const tGroupLook *look = LookOf(key);
    if (!look)
        return {};
    return QString::fromLatin1(key % 2 ? look->Coins : look->Paper);
}

QRgb GroupBarColor(int key)
{
    const tGroupLook *look = LookOf(key);
    return look ? look->Color : 0;
}

QString CountryRowCaption(const tCountryInfo &c)
{
    return (c.IsPaper ? QStringLiteral("Paper: ") : QStringLiteral("Coins: ")) + c.Description;
}

tChecklistLayout LayoutCountryChecklist(const std::vector<const tCountryInfo *> &countries,
                                        const tChecklistMetrics &metrics)
{
    tChecklistLayout out;
    int y = 0;
    int lastKey = 0;
    for (size_t i = 0; i < countries.size(); ++i) {
        const int key = CountryGroupKey(*countries[i]);
        // A key outside the table (a continent the list does not know) gets
        // no bar of its own: its rows follow the group above.
        if (lastKey < key && LookOf(key)) {
            y += 8;
            out.Bars.push_back({key, y});
            y += metrics.HeaderAdvance;
            lastKey = key;
        }
        out.Rows.push_back({static_cast<int>(i), y});
        y += metrics.RowHeight + metrics.RowGap;
    }
    out.EndY = y;
    return out;
}

int CompareCaptions(const QString &a, const QString &b)
{
    const auto fold = [](char16_t c) -> char16_t { return c >= u'a' && c <= u'z' ? c - 32 : c; };
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = fold(a[i].unicode());
        const char16_t y = fold(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool CanReplace(const QString &folder, const QString &path)
{
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        return false;
    QFile f(path);
    if (f.exists() && !QFileInfo(path).isWritable() && !f.setPermissions(f.permissions() | QFile::WriteOwner))
        return false;
    return true;
}
