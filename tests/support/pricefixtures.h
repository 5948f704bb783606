#pragma once
// Test-side writers of price-list files in every version the program reads,
// and a small series tree with named countries to load them into.
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/model/mainstate.h"

// A price-list file as version `version` (1..11) stored it. Values of
// versions before 8 must be whole hundredths; slots that versions before 6
// did not store are left out; Content and Weight follow each version's form.
QByteArray WriteOldPriceFile(int version, int32_t currency, int32_t country, int32_t date,
                             const std::vector<tPriceInfo> &entries);

// An entry with every field set to something distinctive.
tPriceInfo SamplePriceEntry(int32_t coinType, int32_t year);

// Adds a country to CountryList and a country node with the given series
// below the root.
tnodeinfo *AddFixtureCountry(tMainState &s, int country, const QString &name, const std::vector<int32_t> &series);
