#include "updates/newcointypes/autoadd.h"

#include <algorithm>

bool AutoAddInitiallyChecked(const QString &autoAddStr, int countryID, const std::vector<int> &lastUpdate)
{
    if (std::find(lastUpdate.begin(), lastUpdate.end(), countryID) != lastUpdate.end())
        return true;
    if (countryID < 0 || countryID >= autoAddStr.size())
        return true;
    return autoAddStr[countryID] != QLatin1Char('N');
}

bool AutoAddSelectionChecks(int tag, bool isPaper)
{
    switch (tag) {
    case AutoSelectAllTag:
        return true;
    case AutoSelectCoinsTag:
        return !isPaper;
    case AutoSelectPaperTag:
        return isPaper;
    default:
        return false;
    }
}

QString MakeAutoAddStr(const std::vector<std::pair<int, bool>> &rows)
{
    QString out(AutoAddLength, QLatin1Char('Y'));
    for (const auto &[id, checked] : rows)
        if (!checked && id >= 0 && id < AutoAddLength)
            out[id] = QLatin1Char('N');
    return out;
}
