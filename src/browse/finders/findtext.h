#pragma once
// Finding series by name or number ("Find text"): the pattern search, the
// maintenance keywords, the drop-down history and the stepping through the
// hits with wrap-around. The window (ui/findtextform.h) only shows it.
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

// The keywords that run maintenance searches instead of a name search,
// offered in the drop-down in maintainer mode; compared ignoring case.
inline const QStringList FindKeywords = {QStringLiteral("empty price list"), QStringLiteral("modified series"),
                                         QStringLiteral("no ebook"), QStringLiteral("image needed")};
inline const QString FindTextPrompt = QStringLiteral("Enter the text or series number to be found");
inline const QString NoSearchYet = QStringLiteral("No Search yet Conducted");
constexpr int SearchHistoryMax = 8;

// What the searches need from outside the tree.
struct tFindEnvironment {
    // Full path of a stored series picture name (unset: the name itself).
    std::function<QString(const QString &name, int country, bool obverse, bool paper)> FullPath;
    // Whether a file exists (unset: asks the file system).
    std::function<bool(const QString &path)> FileExists;
    // File name of the eBook whose indexed series are marked; none when no
    // eBook is indicated.
    std::optional<QString> IndicatedEbookFile;
};

// The text as a series number: digits only and not 0, else -1.
int ParseSeriesNumber(const QString &text);

// The history after searching for text: text first, then the older items
// without blanks and without items equal to it ignoring case, at most
// SearchHistoryMax in all. An empty text leaves the history as it is.
QStringList PushSearchHistory(const QStringList &history, const QString &text);
// The history as it is stored: the keywords are offered, never kept.
QStringList StoredSearchHistory(const QStringList &history);
// The drop-down's items: the history, then in maintainer mode the keywords
// it does not already hold.
QStringList SearchDropDownItems(const QStringList &history, bool maintainerMode);

// The series a search finds, in tree order (pre-order from the root). A
// series whose name holds the pattern and whose number is the typed number
// is listed twice: it is counted twice and visited once.
std::vector<tnodeinfo *> FindSeries(tMainState &s, const QString &text, bool caseSensitive,
                                    const tFindEnvironment &env);

// "1 instance found.", "n instances found." or "The text was not found".
QString FoundText(int count);

// The hit after (forward) or before current in tree order, wrapping at
// the ends; nullptr when no hit is in the tree.
tnodeinfo *StepFound(tnodeinfo *root, const std::vector<tnodeinfo *> &hits, const tnodeinfo *current, bool forward);

// The state of one find window: the hits of the last search are held as
// series references, dropped when series are freed, and a new search runs
// only when the text or the case setting changed.
class tTextFinder {
public:
    explicit tTextFinder(tMainState &s, bool caseSensitive = false) : LastCaseSetting(caseSensitive), s_(s) {}

    // Runs a search for text and returns the status text.
    QString DoSearch(const QString &text, bool caseSensitive, const tFindEnvironment &env);
    // "Find next" (forward) or "Find previous": searches when the trimmed
    // text or the case setting changed (or series were freed since), then
    // returns the hit to select, or nullptr when there is none. Status()
    // holds the text for the status label.
    tnodeinfo *Step(const QString &text, bool caseSensitive, bool forward, const tFindEnvironment &env);

    // Forgets the last search: the next step searches afresh.
    void Reset();
    // The hits of the last search; empty once series were freed.
    const std::vector<tnodeinfo *> &Hits();
    const QString &Status() const { return status_; }

    QString LastSearch = NoSearchYet;
    bool LastCaseSetting = false;

private:
    tMainState &s_;
    std::vector<tnodeinfo *> hits_;
    uint64_t generation_ = 0;
    QString status_ = FindTextPrompt;
};
