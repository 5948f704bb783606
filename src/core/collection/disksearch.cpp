#include "core/collection/disksearch.h"

#include <QFileInfo>

#include "platform/paths.h"

namespace {

QString WithSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

TSearchThread::TSearchThread(const QString &root)
{
    const QString folder = WithSlash(root);
    stack_.push_back({folder, platform::sortedEntries(folder), 0});
}

bool TSearchThread::Execute(int maxEntries)
{
    for (int done = 0; done < maxEntries && !Terminated_; ++done) {
        while (!stack_.empty() && stack_.back().Next >= stack_.back().Names.size())
            stack_.pop_back();
        if (stack_.empty()) {
            if (FOnResultCalculated)
                FOnResultCalculated();
            Terminated_ = true;
            break;
        }
        tFrame &frame = stack_.back();
        const QString path = frame.Folder + frame.Names[frame.Next++];
        const QFileInfo info(path);
        if (info.isDir()) {
            // An unreadable folder lists no entries and is simply left.
            if (!info.isSymLink())
                stack_.push_back({path + QLatin1Char('/'), platform::sortedEntries(path), 0});
        } else if (info.suffix().toUpper() == QLatin1String("OVD") && info.exists()) {
            Found << path;
            if (FileFound)
                FileFound(path);
        }
    }
    return Terminated_;
}
