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
#include "pricing/valuation/spotprices.h"

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
    // The spot prices and exchange rates installed with the catalogue
    // (spotprices.json); no date when the source has none.
    tSpotFile Spot;
};

// Reads and checks the whole source; raises std::runtime_error naming the
// file and line of the first fault.
tCatalogueSource ReadCatalogueSource(const QString &folder);

// Reads spotprices.json: the date, the four metal prices in US dollars and
// the rates, published per euro, fixed per dollar, equal to another's or a
// multiple of it; every built-in currency it does not name gets rate 0,
// which the program reads as "keep the rate you have".
tSpotFile ReadSpotSource(const QString &path);

// Writes Countries/<Name>.OVCD, Prices/<Name>.OVP for every country with
// sample prices, Other/Countries.Data and Other/Spot prices under outFolder. Returns the paths
// written.
QStringList WriteCatalogue(const tCatalogueSource &source, const QString &outFolder);
