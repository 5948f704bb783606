#include "platform/ftp.h"

#include <curl/curl.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>

#include <QFile>
#include <QStringList>
#include <QUrl>

namespace platform {
namespace {

std::once_flag curlGlobalInit;

struct HostPort {
    QString host;
    int port;
};

// "host", "host:port", "[v6]" or "[v6]:port".
HostPort splitHost(const QString &text, int defaultPort)
{
    QString h = text.trimmed();
    int port = defaultPort;
    const auto takePort = [&](const QString &digits) {
        bool ok = false;
        const int p = digits.toInt(&ok);
        if (ok && p > 0 && p < 65536)
            port = p;
    };
    if (h.startsWith(QLatin1Char('['))) {
        const int close = h.indexOf(QLatin1Char(']'));
        if (close > 0) {
            const QString rest = h.mid(close + 1);
            if (rest.startsWith(QLatin1Char(':')))
                takePort(rest.mid(1));
            h = h.mid(1, close - 1);
        }
    } else if (h.count(QLatin1Char(':')) == 1) {
        const int colon = h.indexOf(QLatin1Char(':'));
        takePort(h.mid(colon + 1));
        h = h.left(colon);
    }
    return {h, port};
}

QByteArray encodeSegments(const QString &path)
{
    QByteArrayList parts;
    for (const QString &seg : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        parts << QUrl::toPercentEncoding(seg);
    return parts.join('/');
}

struct Sink {
    QByteArray *buffer = nullptr;
    QFile *file = nullptr;
    bool failed = false;
};

size_t writeToSink(char *data, size_t size, size_t count, void *userdata)
{
    auto *sink = static_cast<Sink *>(userdata);
    const size_t n = size * count;
    if (sink->buffer) {
        sink->buffer->append(data, static_cast<qsizetype>(n));
        return n;
    }
    if (sink->file && sink->file->write(data, static_cast<qint64>(n)) == static_cast<qint64>(n))
        return n;
    sink->failed = true;
    return 0;  // makes libcurl stop with a write error
}

class CurlFtpClient final : public FtpClient {
public:
    CurlFtpClient() { std::call_once(curlGlobalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); }); }
    ~CurlFtpClient() override { disconnect(); }

    void connectTo(const FtpAccount &account, const FtpTimeouts &timeouts) override
    {
        disconnect();
        account_ = account;
        timeouts_ = timeouts;
        const HostPort hp = splitHost(account.host, account.port);
        host_ = hp.host;
        port_ = hp.port;
        if (host_.isEmpty())
            throw FtpError("Could not connect: no server is set");
        curl_ = curl_easy_init();
        if (!curl_)
            throw FtpError("Could not connect: the FTP library failed to start");
        dir_.clear();
        // A request without a body logs in and stops; the connection stays
        // open in the handle for the calls that follow.
        // The server's replies to the login show whether it took up TLS:
        // "234" answers "AUTH TLS" (or "AUTH SSL") with yes.
        LoginWatch watch;
        try {
            perform(directoryUrl(QString()), "LOGIN", "Could not connect", [&] {
                curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L);
                curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, &CurlFtpClient::onDebug);
                curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, &watch);
                curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L);
            });
        } catch (...) {
            disconnect();
            throw;
        }
        connected_ = true;
        encrypted_ = watch.tlsAccepted;
        if (!encrypted_ && trace_)
            trace_(QStringLiteral("The server offers no TLS: logged in to %1 without encryption")
                       .arg(QString::fromUtf8(directoryUrl(QString()))));
    }

    bool connected() const override { return connected_; }
    bool encrypted() const override { return connected_ && encrypted_; }

    void disconnect() override
    {
        if (curl_)
            curl_easy_cleanup(curl_);  // sends QUIT on a live connection
        curl_ = nullptr;
        connected_ = false;
        encrypted_ = false;
    }

    void changeDir(const QString &dir) override
    {
        requireConnected();
        QString target;
        if (dir.startsWith(QLatin1Char('/')))
            target = QLatin1Char('/') + encodeSegmentsText(dir);
        else if (!dir.isEmpty())
            target = dir_.isEmpty() ? encodeSegmentsText(dir)
                                    : (dir_ == QLatin1String("/") ? dir_ : dir_ + QLatin1Char('/')) + encodeSegmentsText(dir);
        perform(directoryUrl(target), "CWD", "Could not change folder",
                [&] { curl_easy_setopt(curl_, CURLOPT_NOBODY, 1L); });
        dir_ = target;
    }

    QString currentDir() const override { return dir_; }

    std::vector<FtpEntry> list() override
    {
        requireConnected();
        QByteArray text;
        try {
            text = fetchListing("MLSD");
            return parseFtpListing(text, true);
        } catch (const FtpError &) {
            if (aborted_)
                throw;
        }
        // Servers without machine listings still give the classic one.
        text = fetchListing(nullptr);
        return parseFtpListing(text, false);
    }

    void get(const QString &remoteName, const QString &localPath, bool resume) override
    {
        requireConnected();
        const QString partPath = localPath + QStringLiteral(".part");
        const QByteArray url = directoryUrl(dir_) + QUrl::toPercentEncoding(remoteName);
        for (int attempt = 0;; ++attempt) {
            QFile part(partPath);
            const bool append = resume && attempt == 0 && part.exists();
            if (!part.open(append ? (QIODevice::WriteOnly | QIODevice::Append) : (QIODevice::WriteOnly | QIODevice::Truncate)))
                throw FtpError(("Could not write " + localPath + ": " + part.errorString()).toStdString());
            const curl_off_t offset = append ? static_cast<curl_off_t>(part.size()) : 0;
            Sink sink;
            sink.file = &part;
            try {
                perform(url, "RETR", "Could not fetch " + remoteName.toUtf8(), [&] {
                    curl_easy_setopt(curl_, CURLOPT_RESUME_FROM_LARGE, offset);
                    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, writeToSink);
                    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &sink);
                });
            } catch (const FtpError &) {
                part.close();
                // A partial file longer than the server's copy cannot be
                // continued; start it again once.
                if (lastCode_ == CURLE_BAD_DOWNLOAD_RESUME && append)
                    continue;
                if (!resume)
                    QFile::remove(partPath);
                throw;
            }
            if (!part.flush() || sink.failed) {
                part.close();
                QFile::remove(partPath);
                throw FtpError(("Could not write " + localPath).toStdString());
            }
            part.close();
            break;
        }
        // rename(2) replaces the target in one step: a reader sees either
        // the old file or the whole new one.
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(partPath).toStdString(), QFile::encodeName(localPath).toStdString(), ec);
        if (ec)
            throw FtpError(("Could not replace " + localPath + ": " + QString::fromStdString(ec.message())).toStdString());
    }

    void setProgress(ProgressFn progress) override { progress_ = std::move(progress); }
    void setTrace(TraceFn trace) override { trace_ = std::move(trace); }

    void abort() override { abortRequested_ = true; }

private:
    static QString encodeSegmentsText(const QString &path)
    {
        return path.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
    }

    void requireConnected() const
    {
        if (!connected_ || !curl_)
            throw FtpError("Not connected");
    }

    // The URL of a folder. The path of an ftp URL is taken from the folder
    // the login lands in, which need not be the server's root: "" is that
    // starting folder, "x" lies below it, and "/x" is taken from the root,
    // which libcurl reaches when the path begins with an encoded slash
    // ("%2F" makes it send "CWD /x").
    QByteArray directoryUrl(const QString &dir) const
    {
        QByteArray url = "ftp://";
        if (host_.contains(QLatin1Char(':')))
            url += '[' + host_.toUtf8() + ']';
        else
            url += QUrl::toAce(host_).isEmpty() ? host_.toUtf8() : QUrl::toAce(host_);
        url += ':' + QByteArray::number(port_) + '/';
        if (dir.startsWith(QLatin1Char('/')))
            url += "%2F" + encodeSegments(dir);
        else
            url += encodeSegments(dir);
        if (!dir.isEmpty() && !url.endsWith('/'))
            url += '/';
        return url;
    }

    QByteArray fetchListing(const char *command)
    {
        QByteArray text;
        Sink sink;
        sink.buffer = &text;
        perform(directoryUrl(dir_), command ? command : "LIST", "Could not list the folder", [&] {
            if (command)
                curl_easy_setopt(curl_, CURLOPT_CUSTOMREQUEST, command);
            curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, writeToSink);
            curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &sink);
        });
        return text;
    }

    struct LoginWatch {
        bool authSent = false;
        bool tlsAccepted = false;
    };

    static int onDebug(CURL *, curl_infotype type, char *data, size_t size, void *watchPtr)
    {
        auto *watch = static_cast<LoginWatch *>(watchPtr);
        const QByteArray line = QByteArray::fromRawData(data, static_cast<qsizetype>(std::min<size_t>(size, 8)));
        if (type == CURLINFO_HEADER_OUT && line.startsWith("AUTH "))
            watch->authSent = true;
        else if (type == CURLINFO_HEADER_IN && watch->authSent && line.startsWith("234"))
            watch->tlsAccepted = true;
        return 0;
    }

    static int onProgress(void *self, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t)
    {
        auto *c = static_cast<CurlFtpClient *>(self);
        if (c->abortRequested_)
            return 1;
        if (c->progress_ && dlnow != c->lastReported_) {
            c->lastReported_ = dlnow;
            c->progress_(static_cast<qint64>(dlnow));
        }
        return c->abortRequested_ ? 1 : 0;
    }

    template <class Setup>
    void perform(const QByteArray &url, const char *verb, const QByteArray &what, Setup &&setup)
    {
        // A reset keeps the live connection and the current folder on it.
        curl_easy_reset(curl_);
        // abortRequested_ is left as it is: an abort that came in between
        // two requests stops this one.
        aborted_ = false;
        if (trace_)
            trace_(QString::fromLatin1(verb) + QLatin1Char(' ') + QString::fromUtf8(url));
        lastReported_ = -1;
        errorBuffer_[0] = '\0';
        const QByteArray user = account_.user.toUtf8();
        const QByteArray password = account_.password.toUtf8();
        curl_easy_setopt(curl_, CURLOPT_URL, url.constData());
        curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl_, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl_, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_PROXY, "");
        curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPSV, 1L);
        curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPRT, 1L);
        curl_easy_setopt(curl_, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(curl_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
        // TLS when the server offers it (AUTH TLS), plain FTP when it
        // refuses: servers without TLS must still be reachable, unless the
        // account requires it. A server that offers TLS with a certificate
        // that cannot be verified is not used at all, so the account never
        // goes to it.
        curl_easy_setopt(curl_, CURLOPT_USE_SSL,
                         static_cast<long>(account_.requireTls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
        curl_easy_setopt(curl_, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
        if (timeouts_.connectMs > 0)
            curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts_.connectMs));
        if (timeouts_.listenMs > 0)
            curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(timeouts_.listenMs));
        if (timeouts_.readMs > 0) {
            const long seconds = std::max(1, (timeouts_.readMs + 999) / 1000);
            curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds);
            curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
            curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, seconds);
        }
        if (timeouts_.totalMs > 0)
            curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts_.totalMs));
        curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorBuffer_);
        curl_easy_setopt(curl_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl_, CURLOPT_XFERINFOFUNCTION, &CurlFtpClient::onProgress);
        curl_easy_setopt(curl_, CURLOPT_XFERINFODATA, this);
        setup();
        lastCode_ = curl_easy_perform(curl_);
        if (lastCode_ == CURLE_OK)
            return;
        aborted_ = lastCode_ == CURLE_ABORTED_BY_CALLBACK;
        if (aborted_)
            abortRequested_ = false;
        QString detail = QString::fromUtf8(errorBuffer_[0] ? errorBuffer_ : curl_easy_strerror(lastCode_));
        if (aborted_)
            detail = QStringLiteral("transfer aborted");
        if (!account_.password.isEmpty())
            detail.replace(account_.password, QStringLiteral("***"));
        throw FtpError((QString::fromUtf8(what) + QStringLiteral(": ") + detail).toStdString());
    }

    CURL *curl_ = nullptr;
    FtpAccount account_;
    FtpTimeouts timeouts_;
    QString host_;
    int port_ = 21;
    QString dir_;
    bool connected_ = false;
    bool encrypted_ = false;
    ProgressFn progress_;
    TraceFn trace_;
    std::atomic<bool> abortRequested_{false};
    bool aborted_ = false;
    curl_off_t lastReported_ = -1;
    CURLcode lastCode_ = CURLE_OK;
    char errorBuffer_[CURL_ERROR_SIZE] = {};
};

FtpClientFactory &factorySlot()
{
    static FtpClientFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<FtpClient> newCurlFtpClient()
{
    return std::make_unique<CurlFtpClient>();
}

std::unique_ptr<FtpClient> newFtpClient()
{
    const FtpClientFactory &f = factorySlot();
    return f ? f() : newCurlFtpClient();
}

void setFtpClientFactory(FtpClientFactory factory)
{
    factorySlot() = std::move(factory);
}

namespace {

// "type=file;size=1234;modify=20240101120000; Spot prices"
bool parseMachineLine(const QString &line, FtpEntry &e)
{
    const int space = line.indexOf(QLatin1Char(' '));
    if (space < 0)
        return false;
    e.name = line.mid(space + 1);
    for (const QString &fact : line.left(space).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = fact.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = fact.left(eq).toLower();
        const QString value = fact.mid(eq + 1);
        if (key == QLatin1String("type")) {
            const QString t = value.toLower();
            if (t == QLatin1String("cdir") || t == QLatin1String("pdir"))
                return false;
            e.isDir = t == QLatin1String("dir");
        } else if (key == QLatin1String("size")) {
            bool ok = false;
            const qint64 n = value.toLongLong(&ok);
            if (ok)
                e.size = n;
        }
    }
    return true;
}

// "-rw-r--r--   1 owner group   1234 Jan 01 12:00 Spot prices"
bool parseUnixLine(const QString &line, FtpEntry &e)
{
    if (line.isEmpty() || line.startsWith(QLatin1String("total ")))
        return false;
    // Eight blank-separated fields come before the name, which may itself
    // hold blanks.
    int pos = 0;
    QStringList fields;
    while (fields.size() < 8 && pos < line.size()) {
        while (pos < line.size() && line[pos] == QLatin1Char(' '))
            ++pos;
        const int start = pos;
        while (pos < line.size() && line[pos] != QLatin1Char(' '))
            ++pos;
        fields << line.mid(start, pos - start);
    }
    if (fields.size() < 8 || pos >= line.size())
        return false;
    e.name = line.mid(pos + 1);
    e.isDir = fields[0].startsWith(QLatin1Char('d'));
    bool ok = false;
    const qint64 n = fields[4].toLongLong(&ok);
    e.size = ok ? n : -1;
    if (fields[0].startsWith(QLatin1Char('l'))) {
        const int arrow = e.name.indexOf(QLatin1String(" -> "));
        if (arrow >= 0)
            e.name = e.name.left(arrow);
    }
    return true;
}

} // namespace

std::vector<FtpEntry> parseFtpListing(const QByteArray &text, bool machineListing)
{
    std::vector<FtpEntry> out;
    for (QString line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        FtpEntry e;
        if (!(machineListing ? parseMachineLine(line, e) : parseUnixLine(line, e)))
            continue;
        if (e.name.isEmpty() || e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            continue;
        out.push_back(std::move(e));
    }
    return out;
}

} // namespace platform
