#pragma once
// Series trees for tests, written as indented outlines: two blanks per
// level, one series per line, "Name" optionally followed by " #number"
// (series number; otherwise numbers are given from 2000 upwards) and "+"
// (expanded). The root is expanded unless the outline starts with "-".
#include <QHash>
#include <QString>

#include "core/model/mainstate.h"

QHash<QString, tnodeinfo *> BuildTree(tMainState &s, const QString &outline);

// The tree below the root as an outline of names (two blanks per level),
// after checking that every node's ParentNode is the node whose list owns it.
QString TreeOutline(const tMainState &s);

// Appends an entry of the series to the collection with its item number,
// its tracked mark and its report-bin mark.
tCoinInfo *AddEntry(tMainState &s, tnodeinfo *series, int item, bool tracked = false, bool inBin = false);
