#pragma once
// The sample catalogue's readable source (resources/catalogue): the country
// list in JSON, and per country a CSV of its series and a CSV of its sample
// prices. The generator turns it into the files the program reads.
#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/catalogue/countryitems.h"
#include "core/files/structurefile.h"

struct tSourceCountry {
    tStructureHeader Header;       // Country filled in; sizes come from the writer
    std::vector<tStructureRecord> Records;
    int Currency = -1;             // ForexList position of its sample prices; -1 none named
};

struct tCatalogueSource {
    std::vector<tSourceCountry> Countries;
    std::vector<tCountryItem> Explorer;
    // Sample price entries by country name, in the order authored; Folder null.
    std::map<QString, std::vector<tPriceInfo>> Prices;
};

// Reads and checks the whole source; raises std::runtime_error naming the
// file and line of the first fault.
tCatalogueSource ReadCatalogueSource(const QString &folder);

// Writes Countries/<Name>.OVCD, Prices/<Name>.OVP for every country with
// sample prices and Other/Countries.Data under outFolder. Returns the paths
// written.
QStringList WriteCatalogue(const tCatalogueSource &source, const QString &outFolder);
