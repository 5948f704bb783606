#include "core/model/helpers.h"

#include <QDir>
#include <QFileInfo>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/mainstate.h"
#include "platform/keystate.h"
#include "platform/paths.h"
#include "platform/shell.h"

QString DigitsOnly(const QString &s, bool keepDecimal, QChar decimalSep)
{
    QString out;
    for (QChar c : s)
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (keepDecimal && c == decimalSep))
            out += c;
    return out;
}

bool CtrlDown()
{
    return platform::ctrlDown();
}

bool ShiftDown()
{
    return platform::shiftDown();
}

bool MouseButtonDown(QChar button)
{
    switch (button.toUpper().unicode()) {
    case 'L': return platform::leftButtonDown();
    case 'R': return platform::rightButtonDown();
    case 'M': return platform::middleButtonDown();
    default: return false;
    }
}

QString PluralS(int n)
{
    return n == 1 ? QString() : QStringLiteral("s");
}

QString DateOrBlank(int day)
{
    return day <= 0 ? QString() : FormatShortDate(day);
}

qint64 GetFileSize(const QString &fileName)
{
    CurrProcGuard guard(1171);
    const QString path = platform::toSlashes(fileName);
    QString dir = platform::folderPart(path);
    if (dir.isEmpty())
        dir = QStringLiteral(".");
    const QString name = platform::fileNamePart(path);
    if (!QFileInfo(dir).isDir())
        return -1;
    const QString found = platform::findEntryIgnoreCase(dir, name);
    if (found.isEmpty())
        return -1;
    return QFileInfo(QDir(dir).filePath(found)).size();
}

QString TakeOutAnds(const QString &instr)
{
    QString s = instr;
    s.replace(QLatin1String("&"), QLatin1String("&&"));
    return s;
}

QString EscapeAmpersands(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            out += text[i];
            continue;
        }
        while (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
            ++i;
        out += QLatin1String("&&");
    }
    return out;
}

namespace {

QChar SeparatorOf(const QString &path)
{
    return path.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
}

} // namespace

QString ShortCaption(const QString &value, double width, const TextWidthFn &measure)
{
    CurrProcGuard guard(1172);
    const double w = static_cast<int>(width);
    const QString one = QStringLiteral(" ") + value;
    if (measure(one) <= w)
        return one;
    const QChar sep = SeparatorOf(value);
    if (!value.contains(sep))
        return one;
    // Keep the head (a drive such as "D:" or nothing for "/home/...") and the
    // file name; drop folders from the front until the rest fits.
    const int firstSep = static_cast<int>(value.indexOf(sep));
    const QString head = value.left(firstSep);
    QStringList folders = value.mid(firstSep + 1).split(sep);
    const QString fileName = folders.takeLast();
    const QString mark = QString(sep) + QStringLiteral("...") + sep;
    for (;;) {
        if (folders.isEmpty()) {
            // Even the head and the file name alone are too wide.
            return QStringLiteral(" ") + head + mark + fileName + sep + QStringLiteral("...");
        }
        folders.removeFirst();
        QString candidate = head + mark;
        for (const QString &f : folders)
            candidate += f + sep;
        candidate += fileName;
        if (measure(QStringLiteral(" ") + candidate) <= w)
            return QStringLiteral(" ") + candidate;
    }
}

QString ShortPath(const QString &inPath, double lenMax, const TextWidthFn &measure)
{
    CurrProcGuard guard(1173);
    const QChar sep = SeparatorOf(inPath);
    QStringList parts;
    QString cur;
    for (QChar c : inPath) {
        if (c == sep) {
            parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.isEmpty())
        parts << cur;
    const QString mark = QStringLiteral("\u25CF\u25CF\u25CF");
    QString s = inPath;
    while (measure(s) > lenMax && parts.size() > 1) {
        const int k = std::max<int>(0, static_cast<int>(parts.size()) / 2 - 1);
        parts.removeAt(k);
        QStringList shown;
        for (int i = 0; i < parts.size(); ++i) {
            if (i == k)
                shown << mark;
            shown << parts[i];
        }
        s = shown.join(sep);
    }
    return s;
}

QString PackPath(const tMainState &s, const QString &currPath, const QString &newPath, const QString &token)
{
    CurrProcGuard guard(1174);
    const QString base = platform::toSlashes(s.FolderImagesRedirect + newPath);
    const QString curr = platform::toSlashes(currPath);
    if (!base.isEmpty() && curr.startsWith(base, Qt::CaseInsensitive))
        return token + currPath.mid(base.size());
    return currPath;
}

void MultiPlatformOpen(const QString &commandStr)
{
    CurrProcGuard guard(1175);
    platform::shellOpen(commandStr);
}

QString TrimFileName(const QString &inPath)
{
    CurrProcGuard guard(1176);
    const QString folder = platform::folderPart(inPath);
    const QString name = inPath.mid(folder.size());
    const int dot = static_cast<int>(name.lastIndexOf(QLatin1Char('.')));
    if (dot < 0)
        return folder + name.trimmed();
    return folder + name.left(dot).trimmed() + name.mid(dot);
}

QString WildcardToRegex(const QString &wildcard)
{
    static const QString specials = QStringLiteral("$()+-.[\\]^{|}");
    QString out;
    for (QChar c : wildcard) {
        if (c == QLatin1Char('*'))
            out += QStringLiteral("[ -~]+");
        else if (c == QLatin1Char('?'))
            out += QLatin1Char('.');
        else if (specials.contains(c))
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}
