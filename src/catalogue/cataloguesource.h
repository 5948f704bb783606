#pragma once
// The sample catalogue's readable source (resources/catalogue): the country
// list in JSON, and per country a CSV of its series and a CSV of its sample
// prices. The generator turns it into the files the program reads.
#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/structurefile.h"

struct tExplorerEntry {
    QString Name;
    QString Prefix;
    int Latitude = 0;
    int Longitude = 0;
    int Tab = 0;         // 0 coins, 1 paper money, 2 exonumia, 3 fantasy, 4 regions
    int Flag = 0;
    int GoToSeries = 0;
    int Index = 0;       // country number or class id
    QString Notes;
};

struct tSourceCountry {
    tStructureHeader Header;       // Country filled in; sizes come from the writer
    std::vector<tStructureRecord> Records;
};

// One row of a sample price list, as authored; values by grade-slot title.
struct tSourcePrice {
    int CoinType = 0;
    int Year = 0;
    QString Mint;
    QString Variety;
    QString Mintage;       // digits, "~" before an approximate figure
    QString ProofMintage;
    QString Metal;
    QString ContentOz;
    QString WeightGrams;
    std::map<QString, QString> Values;
};

struct tCatalogueSource {
    std::vector<tSourceCountry> Countries;
    std::vector<tExplorerEntry> Explorer;
    std::map<QString, std::vector<tSourcePrice>> Prices;  // by country name
};

// Reads and checks the whole source; raises std::runtime_error naming the
// file and line of the first fault.
tCatalogueSource ReadCatalogueSource(const QString &folder);

// Writes Countries/<Name>.OVCD and Other/Countries.Data under outFolder.
// Returns the paths written.
QStringList WriteCatalogue(const tCatalogueSource &source, const QString &outFolder);
