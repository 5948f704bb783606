// Saves a large collection to the file named on the command line over and
// over, announcing each save on standard output before it starts, until it
// is killed. The lifecycle test kills it in the middle of a save.
#include <cstdio>
#include <memory>

#include <QCoreApplication>

#include "core/files/collectionfile.h"
#include "core/model/mainstate.h"
#include "core/model/model.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString target = QString::fromLocal8Bit(argv[1]);
    const int entries = QString::fromLatin1(argv[2]).toInt();
    tMainState s;
    const QString notes(400, QLatin1Char('n'));
    for (int i = 0; i < entries; ++i) {
        auto c = std::make_unique<tCoinInfo>();
        c->CoinType = RootCoinType;
        c->Folder = s.EntireCollection.get();
        c->Year = 1800 + i % 200;
        c->Notes = notes;
        s.CoinList.push_back(std::move(c));
    }
    for (int round = 1;; ++round) {
        std::printf("saving %d\n", round);
        std::fflush(stdout);
        SaveCollectionFile(s, target);
    }
}
