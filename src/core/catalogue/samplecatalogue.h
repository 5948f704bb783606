#pragma once
// The sample catalogue built into the program: default-structure files and
// the Countries Explorer's list, embedded under ":/catalogue". On first run it
// is copied into the working folders so that a new collection has series to
// show before any catalogue update has been fetched.
#include <QString>

struct tMainState;

struct tCatalogueInstall {
    int StructureFiles = 0;      // copied into the Countries folder
    int PriceFiles = 0;          // copied into the Prices folder
    bool CountriesData = false;  // "Countries.Data" copied into the Other folder
    bool SpotPrices = false;     // "Spot prices" copied into the Other folder
};

// Copies the embedded files into CountriesRedirect, PricesRedirect and
// OtherRedirect: the structure files only when the Countries folder holds no
// ".OVCD" file, the price lists only when the Prices folder holds no ".OVP"
// file, and "Countries.Data" and "Spot prices" each only when it is missing. Never replaces a file.
// Raises std::runtime_error naming the file when a copy cannot be written.
tCatalogueInstall InstallSampleCatalogue(const tMainState &s,
                                         const QString &embedded = QStringLiteral(":/catalogue"));
