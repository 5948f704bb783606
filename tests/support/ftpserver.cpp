#include "support/ftpserver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The script lives beside this file; the tests know the source tree through
// ORVANTA_TEST_DATA (tests/data).
QString ScriptPath()
{
    return QDir::cleanPath(qEnvironmentVariable("ORVANTA_TEST_DATA") + QStringLiteral("/../support/ftpserver.py"));
}

} // namespace

LoopbackFtpServer::LoopbackFtpServer(const Options &options)
{
    const QString script = ScriptPath();
    if (!QFileInfo::exists(script)) {
        error_ = QStringLiteral("missing ") + script;
        return;
    }
    // The system interpreter, where Debian's python3-pyftpdlib is installed.
    QStringList args{script, QStringLiteral("--root"), root_.path(), QStringLiteral("--user"), options.user,
                     QStringLiteral("--password"), options.password};
    if (options.dropAfter >= 0)
        args << QStringLiteral("--drop-after") << QString::number(options.dropAfter);
    if (!options.loginFolder.isEmpty())
        args << QStringLiteral("--login-folder") << options.loginFolder;
    if (options.noMachineListing)
        args << QStringLiteral("--no-mlsd");
    for (const QString &name : options.failRetr)
        args << QStringLiteral("--fail-retr") << name;
    if (options.offerTls)
        args << QStringLiteral("--tls");
    if (options.mute)
        args << QStringLiteral("--mute");
    if (options.slowMs > 0)
        args << QStringLiteral("--slow-ms") << QString::number(options.slowMs);
    args << QStringLiteral("--command-log") << logDir_.filePath(QStringLiteral("commands.log"));
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"), args);
    if (!process_.waitForStarted(30000)) {
        error_ = QStringLiteral("could not start /usr/bin/python3: ") + process_.errorString();
        return;
    }
    // Generous: on a machine busy building, starting Python and its FTP
    // library alone can take many seconds.
    const QDeadlineTimer deadline(60000);
    QByteArray out;
    while (!deadline.hasExpired()) {
        if (process_.canReadLine() || process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            out += process_.readLine();
            if (out.startsWith("PORT ")) {
                port_ = out.mid(5).trimmed().toInt();
                return;
            }
        }
        if (process_.state() != QProcess::Running)
            break;
    }
    error_ = QStringLiteral("the FTP server did not start (is python3-pyftpdlib installed?): ") +
             QString::fromUtf8(process_.readAllStandardError());
}

LoopbackFtpServer::~LoopbackFtpServer()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
}

void LoopbackFtpServer::putFile(const QString &relativePath, const QByteArray &bytes) const
{
    const QString path = QDir(root_.path()).absoluteFilePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QStringList LoopbackFtpServer::commands() const
{
    QFile f(logDir_.filePath(QStringLiteral("commands.log")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
