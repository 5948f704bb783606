#pragma once
// Series numbering, country blocks, look-ups in the series tree and the
// derived per-series figures (entry counts, theme counts, date ranges).
#include <array>

#include <QDate>
#include <QString>

#include "core/model/mainstate.h"

// Fills BlockList (21 entries, -1 padded) for a country number and returns
// the root of its block through rootBlock.
void SeriesBlocks(int inBlock, int &rootBlock, std::array<int, 21> &blockList);
void SeriesBlocks(tMainState &s, int inBlock, int &rootBlock);

// Country block of a series number: the block root of number div 1000, or
// 1000 ("User") when that exceeds 1000.
int CoinTypeToCountry(int inType);

tnodeinfo *CoinTypeToNodeInfo(const tMainState &s, int inType);

// The properties a series record carries, from one node to another: its
// number, country, place in the tree and the counts worked out from its
// entries stay as they are (the counts are cleared).
void CopySeriesProperties(tnodeinfo &to, const tnodeinfo &from);
QString CoinTypeToSeriesName(const tMainState &s, int inType);
bool CountryIsLoaded(const tMainState &s, int inCountry);
void FindQuarterNode(tMainState &s);
QString SeriesPath(const tMainState &s, const tnodeinfo *node);

// Calendar years of the date tokens ("\\d/" + day number) of a packed variety.
std::vector<int> VarietyTokenYears(const QString &variety);

void CalcNodeEntries(tMainState &s);
void CalcNodeDates(tMainState &s);

QString NodeInfoToMeasurementStr(const tnodeinfo &node, bool addShape, QChar decimalSep = QLatin1Char('.'));
// currentYear defaults to today's; tests pass a fixed one.
QString YearsToYearRangeStr(int year1, int year2, bool isCirca, int currentYear = 0);
