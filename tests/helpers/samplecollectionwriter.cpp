// Writes a small collection for pictures and trials: the sample catalogue's
// United States coins and paper money with a few entries, saved with the
// program's own writer to the file named on the command line. The folders
// are the program's (ORVANTA_HOME moves them), and the sample catalogue is
// installed there as at a first start, so the program finds the series'
// price lists when it opens the file. Used by scripts/screenshots.sh.
#include <cstdio>
#include <memory>

#include <QCoreApplication>

#include "core/files/collectionfile.h"
#include "core/catalogue/countries.h"
#include "core/model/mainstate.h"
#include "core/model/model.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "core/program/startup.h"

namespace {

struct tEntry {
    int series;
    int year;
    const char *mint;
    int grade;  // slot 0..40
    int have;
    const char *notes;
};

// Lincoln wheat cents, Buffalo and Jefferson nickels, and one note: series
// and years the sample prices cover, so that every entry has a value.
const tEntry Entries[] = {
    {12, 1909, "", 24, 2, "From my grandfather's jar"},
    {12, 1909, "S", 16, 1, ""},
    {12, 1914, "D", 8, 1, "Bought at the spring show"},
    {12, 1931, "S", 20, 1, ""},
    {12, 1943, "", 28, 3, "Steel cents"},
    {12, 1943, "D", 28, 0, ""},
    {21, 1913, "", 20, 1, ""},
    {21, 1938, "D", 32, 1, ""},
    {22, 1939, "D", 24, 1, ""},
};

tnodeinfo *Series(tMainState &s, int number)
{
    tnodeinfo *found = nullptr;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n->CoinType == number && !found)
            found = n;
    });
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: samplecollectionwriter FILE.OVD\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    try {
        tMainState s;
        LoadRedirections(s, QCoreApplication::applicationDirPath());
        InstallSampleCatalogue(s);
        LoadCountries(s);
        for (const auto &c : s.CountryList) {
            if (!c->Name.startsWith(QStringLiteral("United States")))
                continue;
            tnodeinfo *first = nullptr;
            LoadCountryStructures(s, c->CountryID, StructureAddUpdate, false, first);
        }
        int inventory = 0;
        for (const tEntry &e : Entries) {
            tnodeinfo *series = Series(s, e.series);
            if (!series) {
                std::fprintf(stderr, "series %d is not in the sample catalogue\n", e.series);
                return 1;
            }
            auto coin = std::make_unique<tCoinInfo>();
            coin->CoinType = series->CoinType;
            coin->Folder = series;
            coin->Year = e.year;
            coin->Mint = QString::fromLatin1(e.mint);
            coin->Grade = e.grade;
            coin->Have = e.have;
            coin->Need = e.have > 0 ? 0 : 1;
            coin->Notes = QString::fromUtf8(e.notes);
            coin->Inventory = ++inventory;
            s.CoinList.push_back(std::move(coin));
        }
        CalcNodeEntries(s);
        CalcNodeDates(s);
        SaveCollectionFile(s, target);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("%s\n", qPrintable(target));
    return 0;
}
