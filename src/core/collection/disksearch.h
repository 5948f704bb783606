#pragma once
// The search of a whole folder tree for collection files (".OVD", any
// case), done a few entries at a time so the welcome window can run it on
// timer ticks: the window stays responsive without nested event loops, and
// nothing of the search is on the stack when the window goes away.
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

class TSearchThread {
public:
    // Searches below root (a folder; a missing or unreadable one finds
    // nothing). Symbolic links to folders are not followed, so a link loop
    // cannot keep the search going, and unreadable folders are passed over.
    explicit TSearchThread(const QString &root);

    // Looks at up to maxEntries more entries. True once the walk is over,
    // having reached its end or been terminated. At the end of a walk that
    // was not terminated, FOnResultCalculated runs once; the terminate flag
    // is then set.
    bool Execute(int maxEntries);

    // Stops the walk after the entry in hand.
    void Terminate() { Terminated_ = true; }
    bool Terminated() const { return Terminated_; }

    // Runs for every file found, with its full path, in walk order.
    std::function<void(const QString &path)> FileFound;
    std::function<void()> FOnResultCalculated;
    QStringList Found;

private:
    struct tFrame {
        QString Folder;  // ends in "/"
        QStringList Names;
        int Next = 0;
    };
    std::vector<tFrame> stack_;
    bool Terminated_ = false;
};
