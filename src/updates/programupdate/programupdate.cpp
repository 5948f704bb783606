#include "updates/programupdate/programupdate.h"

#include <algorithm>

#include <QLocale>

#include "platform/cp1252.h"
#include "updates/server/updateserver.h"

namespace {

qint64 VersionPart(const QString &text)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

} // namespace

bool programupdate::IsNewerVersion(const QString &current, const QString &available)
{
    QString c = current + QLatin1Char('.');
    QString a = available + QLatin1Char('.');
    for (;;) {
        const qsizetype ci = c.indexOf(QLatin1Char('.'));
        const qsizetype ai = a.indexOf(QLatin1Char('.'));
        const qint64 cv = VersionPart(c.left(ci));
        const qint64 av = VersionPart(a.left(ai));
        c.remove(0, ci + 1);
        a.remove(0, ai + 1);
        if (cv != av)
            return av > cv;
        if (c.isEmpty() || a.isEmpty())
            return false;
    }
}

tUpdateNotes ParseUpdateNotes(const QByteArray &bytes)
{
    tUpdateNotes out;
    QList<QByteArray> lines = bytes.split('\n');
    // A final line break ends the last line; it starts no empty one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = platform::fromCp1252(line);
        if (i == 0)
            out.Version = text.trimmed();
        else
            out.Notes += text + QLatin1Char('\n');
    }
    return out;
}

tUpdateView TextView(const QString &heading, const QString &body)
{
    tUpdateView v;
    v.Heading = heading;
    v.Body = body;
    return v;
}

tUpdateView NotesView(const QString &current, const tUpdateNotes &notes)
{
    tUpdateView v;
    v.Newer = programupdate::IsNewerVersion(current, notes.Version);
    v.Sticker = v.Newer;
    v.Heading = v.Newer ? QStringLiteral("Current version: ") + current + QStringLiteral("\nAvailable version: ") + notes.Version
                        : QStringLiteral("Your program is up-to-date");
    v.Body = notes.Notes;
    return v;
}

tUpdateView NotesLockedView(const QString &notesPath)
{
    return TextView(QStringLiteral("File locked"), QStringLiteral("The file ") + notesPath + QStringLiteral(" could not be deleted or overwritten."));
}

tUpdateView ConnectionIssueView()
{
    return TextView(QStringLiteral("Connection issue"), QStringLiteral("Orvanta was unable to connect to the update server."));
}

tUpdateView CheckDownloadIssueView()
{
    return TextView(QStringLiteral("Download issue"), QStringLiteral("Orvanta was unable to download the information about available updates."));
}

tUpdateView InstallerLockedView(const QString &installerPath)
{
    return TextView(QStringLiteral("The download file is locked"), QStringLiteral("The file ") + installerPath +
                QStringLiteral(" could not be deleted or overwritten, preventing the download from proceeding."));
}

tUpdateView InstallerDownloadIssueView()
{
    return TextView(QStringLiteral("Download issue"), QStringLiteral("Orvanta was unable to download the file from the update server."));
}

tUpdateView InstallerSavedView(const QString &installerPath)
{
    tUpdateView v = TextView(QStringLiteral("Download complete"),
                  QStringLiteral("The new version was saved as ") + installerPath +
                      QStringLiteral(". Save your work, close Orvanta and run that file to install it."));
    v.Finished = true;
    v.Saved = installerPath;
    return v;
}

QString DownloadProgressText(qint64 done, qint64 size)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    const double share = size > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(size) * 100.0, 0.0, 100.0) : 0.0;
    return FormatSize(done) + QStringLiteral(" of ") + FormatSize(size) + QStringLiteral(" (") + l.toString(share, 'f', 1) +
           QStringLiteral("%)");
}

int DownloadPercent(qint64 done, qint64 size)
{
    if (size <= 0)
        return 0;
    return static_cast<int>(std::clamp<qint64>(done * 100 / size, 0, 100));
}
