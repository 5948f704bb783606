#pragma once
// Text comparison as the report list and the report sorts use it: ordinal,
// with the ASCII letters a-z taken as A-Z and every other character as it
// is, so "_" sorts after the letters and "é" differs from "É".
#include <QString>

// Negative, zero or positive as a sorts before, with or after b.
int CompareText(const QString &a, const QString &b);
