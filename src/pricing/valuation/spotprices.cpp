#include "pricing/valuation/spotprices.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include <QFile>
#include <QJsonArray>
#include <QLocale>

#include "core/program/settings.h"
#include "core/model/currproc.h"
#include "core/program/log.h"
#include "core/files/valuestream.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "platform/notify.h"
#include "platform/paths.h"

const char *const SpotPricesFileName = "Spot prices";

namespace {

constexpr int BlockLoadForexAndSpotPrices = 21042;
constexpr int BlockPullSpotFile = 21043;
constexpr int BlockPushNotice = 21044;
constexpr int BlockSquewSpotPrices = 21045;
constexpr int BlockDisplayMetalValues = 21046;

// The update server's account. The password is the account's, not a secret
// of the user's; it still never goes into a URL or the log.
const char *const UpdateServerUser = "orvanta";
const char *const UpdateServerPassword = "Qm#tw27v84";

void AppendToLogLine(const QString &suffix)
{
    if (LogMode && !LogList.isEmpty())
        LogList.last() += suffix;
}

QString MoneyText(Money m)
{
    return FormatMoneyPattern(QStringLiteral("0.0000"), m);
}

} // namespace

tSpotFile ReadSpotFile(const QByteArray &bytes)
{
    tSpotFile f;
    ValueReader r(bytes);
    try {
        r.ReadListBegin();
        f.Unused = r.ReadInteger();
        f.Date = r.ReadInteger();
        for (int i = 0; i < 4; ++i)
            f.Values.push_back(r.ReadCurrency());
        for (int i = 0; i < 4; ++i)
            f.Changes.push_back(r.ReadCurrency());
        f.Title = r.ReadString();
        f.Text = r.ReadString();
        f.Count = r.ReadInteger();
        for (int32_t i = 0; i < *f.Count; ++i) {
            QString code = r.ReadString();
            const float rate = r.ReadSingle();
            f.Pairs.emplace_back(std::move(code), rate);
        }
    } catch (const StreamReadError &e) {
        f.Error = QString::fromUtf8(e.what());
    }
    return f;
}

QByteArray WriteSpotFile(const tSpotFile &file)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(file.Unused);
    w.WriteInteger(file.Date.value_or(0));
    for (int i = 0; i < 4; ++i)
        w.WriteCurrency(i < static_cast<int>(file.Values.size()) ? file.Values[i] : 0);
    for (int i = 0; i < 4; ++i)
        w.WriteCurrency(i < static_cast<int>(file.Changes.size()) ? file.Changes[i] : 0);
    w.WriteString(file.Title.value_or(QString()));
    w.WriteString(file.Text.value_or(QString()));
    w.WriteInteger(static_cast<int32_t>(file.Pairs.size()));
    for (const auto &[code, rate] : file.Pairs) {
        w.WriteString(code);
        w.WriteSingle(rate);
    }
    w.WriteListEnd();
    return w.TakeData();
}

QJsonObject SpotFileToJson(const tSpotFile &file)
{
    static const char *const metals[4] = {"silver", "gold", "palladium", "platinum"};
    QJsonObject o;
    o[QStringLiteral("kind")] = QStringLiteral("spot prices");
    o[QStringLiteral("unused")] = file.Unused;
    if (file.Date)
        o[QStringLiteral("date")] = *file.Date;
    QJsonObject values, changes;
    for (size_t i = 0; i < file.Values.size() && i < 4; ++i)
        values[QLatin1String(metals[i])] = MoneyText(file.Values[i]);
    for (size_t i = 0; i < file.Changes.size() && i < 4; ++i)
        changes[QLatin1String(metals[i])] = MoneyText(file.Changes[i]);
    o[QStringLiteral("values")] = values;
    o[QStringLiteral("changes")] = changes;
    if (file.Title)
        o[QStringLiteral("title")] = *file.Title;
    if (file.Text)
        o[QStringLiteral("text")] = *file.Text;
    if (file.Count)
        o[QStringLiteral("count")] = *file.Count;
    QJsonArray pairs;
    for (size_t i = 0; i < file.Pairs.size(); ++i) {
        QJsonObject p;
        p[QStringLiteral("position")] = static_cast<int>(i) + 1;
        p[QStringLiteral("code")] = file.Pairs[i].first;
        p[QStringLiteral("rate")] = static_cast<double>(file.Pairs[i].second);
        pairs.append(p);
    }
    o[QStringLiteral("rates")] = pairs;
    if (!file.Complete())
        o[QStringLiteral("error")] = file.Error;
    return o;
}

void ApplySpotFile(tMainState &s, const tSpotFile &file)
{
    if (file.Date)
        s.MetalValuesDate = *file.Date;
    for (size_t i = 0; i < file.Values.size() && i < s.MetalValues.size(); ++i)
        s.MetalValues[i] = file.Values[i];
    // The file's prices are in US dollars, whichever currency the values
    // they replace were in.
    if (!file.Values.empty())
        s.SpotPricesCurrencyIndex = UsdForexIndex;
    for (size_t i = 0; i < file.Changes.size() && i < s.MetalChanges.size(); ++i)
        s.MetalChanges[i] = file.Changes[i];

    const int positions = std::min<int>(BuiltInForexCount, static_cast<int>(s.ForexList.size()));
    std::array<bool, BuiltInForexCount> fromFile{};
    const auto rate = [&](int pos) -> float & { return s.ForexList[pos]->Rate; };
    for (size_t i = 0; i < file.Pairs.size(); ++i) {
        const int pos = static_cast<int>(i) + 1;
        // Pairs past the built-in currencies would reach "Demonetized" and
        // "None", whose rate must stay 0; they are read and dropped.
        if (pos >= positions)
            continue;
        const float r = file.Pairs[i].second;
        // A rate of 0 (or worse) cannot be a price of a dollar; keeping the
        // previous one keeps every conversion through it finite.
        if (std::isfinite(r) && r > 0.0f) {
            rate(pos) = r;
            fromFile[pos] = true;
        }
        // The file carries no rates of its own for these currencies, or
        // ones that lag; they are pegged to the rate just read.
        if (pos == EurForexIndex && fromFile[EurForexIndex] && positions > XofForexIndex) {
            rate(XofForexIndex) = rate(EurForexIndex) * 100.0f;
            rate(XafForexIndex) = rate(XofForexIndex);
        } else if (pos == IlsForexIndex && fromFile[IlsForexIndex] && positions > IlpForexIndex) {
            rate(IlrForexIndex) = rate(IlsForexIndex) * 1000.0f;
            rate(IlpForexIndex) = rate(IlsForexIndex) * 10000.0f;
        } else if (pos == VesForexIndex + 1 && fromFile[VesForexIndex] && positions > VefForexIndex) {
            rate(VefForexIndex) = rate(VesForexIndex) * 1000000.0f;
        }
    }
}

platform::FtpAccount UpdateServerAccount(const tMainState &s)
{
    platform::FtpAccount a;
    a.host = s.UpdateServerHost;
    a.port = 21;
    a.user = QString::fromLatin1(UpdateServerUser);
    a.password = QString::fromLatin1(UpdateServerPassword);
    a.requireTls = s.RequireTls;
    return a;
}

platform::FtpTimeouts UpdateServerTimeouts()
{
    platform::FtpTimeouts t;
    t.connectMs = 0;  // the library's own default
    t.listenMs = 20000;
    t.readMs = 120000;
    return t;
}

platform::FtpTimeouts StartupFetchTimeouts()
{
    platform::FtpTimeouts t;
    t.connectMs = 3000;
    t.listenMs = 3000;
    t.readMs = 3000;
    t.totalMs = 6000;
    return t;
}

bool HasUpdateServer(const tMainState &s)
{
    return !s.UpdateServerHost.trimmed().isEmpty();
}

QString CheckServerAddress(const QString &text, QString *error)
{
    const QString address = text.trimmed();
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return QString();
    };
    if (address.isEmpty())
        return {};
    if (address.contains(QLatin1Char(' ')) || address.contains(QLatin1Char('/')))
        return fail(QStringLiteral("An address has no blanks or slashes: write it as host or host:port."));
    QString host = address;
    QString port;
    if (address.startsWith(QLatin1Char('['))) {
        const qsizetype close = address.indexOf(QLatin1Char(']'));
        if (close < 0)
            return fail(QStringLiteral("The closing \"]\" of the address is missing."));
        host = address.mid(1, close - 1);
        const QString rest = address.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return fail(QStringLiteral("Only \":port\" may follow \"]\"."));
        port = rest.mid(1);
        if (rest.startsWith(QLatin1Char(':')) && port.isEmpty())
            return fail(QStringLiteral("The port after \":\" is missing."));
    } else {
        const qsizetype colon = address.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0) {
            if (address.indexOf(QLatin1Char(':')) != colon)
                return fail(QStringLiteral("Write an IPv6 address in brackets: [address]:port."));
            host = address.left(colon);
            port = address.mid(colon + 1);
            if (port.isEmpty())
                return fail(QStringLiteral("The port after \":\" is missing."));
        }
    }
    if (host.isEmpty())
        return fail(QStringLiteral("The host name is missing."));
    if (!port.isEmpty()) {
        bool ok = false;
        const int n = port.toInt(&ok);
        if (!ok || n < 1 || n > 65535)
            return fail(QStringLiteral("The port must be a number from 1 to 65535."));
    }
    return address;
}

void PullSpotFile(tMainState &s)
{
    CurrProcGuard guard(BlockPullSpotFile);
    LogEntry(QStringLiteral("Pull Spot file"));
    // Without a server there is nothing to wait for: a file of an earlier
    // day is still read.
    if (!HasUpdateServer(s)) {
        AppendToLogLine(QStringLiteral(" <No update server>"));
        return;
    }
    std::unique_ptr<platform::FtpClient> client = platform::newFtpClient();
    try {
        client->connectTo(UpdateServerAccount(s), StartupFetchTimeouts());
    } catch (const std::exception &) {
        AppendToLogLine(QStringLiteral(" <Failed>"));
        return;
    }
    if (!client->encrypted())
        AppendToLogLine(QStringLiteral(" <Without TLS>"));
    try {
        // From the account's starting folder; the client writes a temporary
        // file and replaces the last good one only when the file is whole.
        client->get(QString::fromLatin1(SpotPricesFileName), s.OtherRedirect + QString::fromLatin1(SpotPricesFileName), false);
    } catch (const std::exception &) {
        // The file from an earlier day is read instead.
    }
    client->disconnect();
    AppendToLogLine(QStringLiteral(" <Done>"));
}

void PushNotice(tMainState &s, const QString &title, const QString &text)
{
    CurrProcGuard guard(BlockPushNotice);
    LogEntry(QStringLiteral("Push Notice "));
    bool shown = true;
    try {
        // The title shown last is kept in the settings, so a notice is shown
        // once, not at every start.
        s.PushNote = ReadRegString(RegName::PushNote, QString());
        if (CompareTextAscii(title, s.PushNote) != 0) {
            s.PushNote = title;
            WriteRegString(RegName::PushNote, title);
            shown = platform::notifier().notify(QStringLiteral("Orvanta"), title, text);
        }
    } catch (const std::exception &) {
        // A notice is a courtesy; failing to show it must not stop start-up.
    }
    AppendToLogLine(QStringLiteral(" <Done>"));
    if (!shown)
        LogEntry(QStringLiteral("Notice: ") + title + QStringLiteral(": ") + text);
}

void LoadForexAndSpotPrices(tMainState &s, bool fetch)
{
    CurrProcGuard guard(BlockLoadForexAndSpotPrices);
    LoadForexList(s);
    s.MetalChanges.fill(0);
    QString title, text;
    try {
        if (s.AutoSpotPrices) {
            if (fetch)
                PullSpotFile(s);
            const QString path = platform::resolvePath(s.OtherRedirect + QString::fromLatin1(SpotPricesFileName));
            if (QFile::exists(path)) {
                LogEntry(QStringLiteral("Process Spot Prices"));
                QFile f(path);
                if (!f.open(QIODevice::ReadOnly))
                    throw std::runtime_error(f.errorString().toStdString());
                const tSpotFile file = ReadSpotFile(f.readAll());
                ApplySpotFile(s, file);
                if (!file.Complete())
                    throw std::runtime_error(file.Error.toStdString());
                title = file.Title.value_or(QString()).trimmed();
                text = file.Text.value_or(QString()).trimmed();
                s.SpotPricesCurrencyIndex = UsdForexIndex;
                AppendToLogLine(QStringLiteral(" <Done>"));
            }
        } else {
            LogEntry(QStringLiteral("Auto spot prices is off."));
        }
        if (!title.isEmpty() && !text.isEmpty())
            PushNotice(s, title, text);
    } catch (const std::exception &) {
        // A short or damaged file: what was read stays, but changes read
        // half-way would show a trend that is not there.
        s.MetalChanges.fill(0);
    }
}

void SquewSpotPrices(tMainState &s)
{
    CurrProcGuard guard(BlockSquewSpotPrices);
    const int active = NormalizeActiveForex(s);
    if (active == s.SpotPricesCurrencyIndex)
        return;
    const double f = ForexRateOf(s, active) / ForexRateOf(s, s.SpotPricesCurrencyIndex);
    for (Money &v : s.MetalValues)
        v = MoneyMul(v, f);
    for (Money &v : s.MetalChanges)
        v = MoneyMul(v, f);
    s.SpotPricesCurrencyIndex = active;
}

tMetalStrip DisplayMetalValues(const tMainState &s, const TextWidthFn &measure)
{
    CurrProcGuard guard(BlockDisplayMetalValues);
    tMetalStrip strip;
    // Until a spot file or the bullion window gave prices there is nothing
    // to show: an empty date and zero prices with rising arrows would read
    // as real quotes.
    const bool known = s.MetalValuesDate > 0 ||
                       std::any_of(s.MetalValues.begin(), s.MetalValues.end(), [](Money m) { return m != 0; });
    strip.Visible = s.AutoSpotPrices && known;
    if (!strip.Visible)
        return strip;
    const QString decimal = QLocale().decimalPoint();
    const QChar sep = decimal.isEmpty() ? QLatin1Char('.') : decimal.front();
    const auto amount = [&](Money m) { return FormatMoneyPattern(QStringLiteral("0.00"), m, sep); };

    const int active = ValidForexIndex(s, s.ActiveForexIndex);
    const QString code = active < static_cast<int>(s.ForexList.size()) ? s.ForexList[active]->Code : QString();
    strip.Labels.push_back({QStringLiteral("[Close ") + DateOrBlank(s.MetalValuesDate) + QStringLiteral("]")});
    strip.Labels.push_back({QStringLiteral("(In ") + code + QStringLiteral(") ")});
    for (int i = 0; i < 4; ++i) {
        // A metal whose price was never set has no trend: an arrow would
        // read as a quote that rose.
        if (s.MetalValues[i] == 0) {
            strip.Labels.push_back({MetalName(MetalSilver + i) + QLatin1Char(' ') + amount(0)});
            strip.Labels.push_back({QString()});
            continue;
        }
        const bool down = s.MetalChanges[i] < 0;
        const QRgb color = down ? MetalDownColor : MetalUpColor;
        strip.Labels.push_back({MetalName(MetalSilver + i) + QLatin1Char(' ') + amount(s.MetalValues[i]) +
                                    (down ? QStringLiteral("\u25BC") : QStringLiteral("\u25B2")),
                                color});
        strip.Labels.push_back({QLatin1Char('(') + amount(s.MetalChanges[i]) + QLatin1Char(')'), color});
    }
    double left = 0;
    for (tMetalStripLabel &l : strip.Labels) {
        l.Left = left;
        left += (measure ? measure(l.Text) : 0.0) + 10.0;
    }
    return strip;
}
