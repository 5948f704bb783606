#pragma once
// A real FTP server on loopback for the tests: Debian's pyftpdlib, started
// as a child process on a free port and stopped when the object goes.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class LoopbackFtpServer {
public:
    struct Options {
        QString user = QStringLiteral("tester");
        QString password = QStringLiteral("secret");
        int dropAfter = -1;       // cut every download off after so many bytes
        QString loginFolder;      // where a session starts ("/home"); empty: the root
        bool noMachineListing = false;  // refuse MLSD, as older servers do
        QStringList failRetr;     // names whose download always fails
        bool offerTls = false;    // AUTH TLS with a certificate nobody can verify
        bool mute = false;        // accept connections and never answer
        int slowMs = 0;           // each chunk (8 KiB at most) of a download waits so long
    };

    LoopbackFtpServer() : LoopbackFtpServer(Options{}) {}
    explicit LoopbackFtpServer(const Options &options);
    ~LoopbackFtpServer();
    LoopbackFtpServer(const LoopbackFtpServer &) = delete;
    LoopbackFtpServer &operator=(const LoopbackFtpServer &) = delete;

    // Empty when the server is running, else why it is not.
    QString error() const { return error_; }
    int port() const { return port_; }
    QString host() const { return QStringLiteral("127.0.0.1:") + QString::number(port_); }
    // The folder the account sees as its root.
    QString root() const { return root_.path(); }
    // Writes a file under the root ("Prices7/PriceDates.Dat"), making folders.
    void putFile(const QString &relativePath, const QByteArray &bytes) const;
    // Every command the server received so far, one a line, as sent.
    QStringList commands() const;

private:
    QTemporaryDir root_;
    QTemporaryDir logDir_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};
