#pragma once
// The FTP client the program fetches from the update server with: binary
// transfers in passive mode (extended data-port commands first), a login,
// a current folder, directory listings with names and sizes, and downloads
// that replace the local file only when they complete. Where the server
// offers TLS the session is encrypted (and its certificate checked). A
// server that refuses TLS is used in the clear, account included, unless
// the account requires TLS: then the login is refused before the account
// is sent.
//
// Every call blocks. Failures are FtpError exceptions whose message never
// holds the password; the account never goes into a URL, a message or the
// trace.
#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include <QString>

namespace platform {

class FtpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server and the account. host may carry a port ("example.org:2121",
// "[::1]:2121"); the port field is used when it does not.
struct FtpAccount {
    QString host;
    int port = 21;
    QString user;
    QString password;
    // Refuse a server that does not offer TLS instead of logging in to it
    // in the clear.
    bool requireTls = false;
};

// Milliseconds; 0 leaves the library's own default. readMs is how long a
// transfer or a reply may stall before the call fails; totalMs bounds one
// whole call.
struct FtpTimeouts {
    int connectMs = 0;
    int listenMs = 20000;
    int readMs = 120000;
    int totalMs = 0;
};

struct FtpEntry {
    QString name;
    qint64 size = -1;   // -1 when the server does not say
    bool isDir = false;
};

class FtpClient {
public:
    // Bytes moved so far by the running transfer (listings included).
    using ProgressFn = std::function<void(qint64 bytesDone)>;
    // One line per request sent, for the program's log: the command and the
    // URL, which names the server, the folder and the file but never the
    // account.
    using TraceFn = std::function<void(const QString &line)>;

    virtual ~FtpClient() = default;

    // Connects and logs in; the current folder is the account's starting
    // folder. An empty host fails like an unreachable server.
    virtual void connectTo(const FtpAccount &account, const FtpTimeouts &timeouts) = 0;
    virtual bool connected() const = 0;
    // The session is encrypted: the server took up TLS at the login.
    // False while not connected, and for a server used in the clear.
    virtual bool encrypted() const { return false; }
    // Logs out and closes; harmless when not connected.
    virtual void disconnect() = 0;

    // "/Prices7" is taken from the server's root, "sub" from the current
    // folder, "" is the starting folder. The current folder changes only
    // when the server accepts the new one.
    virtual void changeDir(const QString &dir) = 0;
    virtual QString currentDir() const = 0;
    // The entries of the current folder: the machine listing (MLSD) where
    // the server has one, else the classic listing (LIST).
    virtual std::vector<FtpEntry> list() = 0;
    // Fetches a file of the current folder to localPath. The bytes go to
    // localPath + ".part", which replaces localPath only once the transfer
    // is complete; a failed transfer leaves localPath as it was. With resume
    // a ".part" left by a failed attempt is continued, else started afresh.
    virtual void get(const QString &remoteName, const QString &localPath, bool resume) = 0;

    virtual void setProgress(ProgressFn progress) = 0;
    virtual void setTrace(TraceFn trace) = 0;
    // Stops the running request, which then fails with FtpError; called
    // between requests it stops the next one, so that a caller on another
    // thread cannot miss the request that is about to start. Safe from the
    // progress callback and from any other thread.
    virtual void abort() = 0;
};

// A new client, by default the libcurl one. Tests install a factory that
// makes a double.
std::unique_ptr<FtpClient> newFtpClient();
using FtpClientFactory = std::function<std::unique_ptr<FtpClient>()>;
// An empty factory restores the libcurl client.
void setFtpClientFactory(FtpClientFactory factory);

// The libcurl client itself.
std::unique_ptr<FtpClient> newCurlFtpClient();

// Parses a listing: machine listing lines ("type=file;size=12; name") or
// Unix "ls -l" lines. The entries "." and ".." are left out.
std::vector<FtpEntry> parseFtpListing(const QByteArray &text, bool machineListing);

} // namespace platform
