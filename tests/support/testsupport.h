#pragma once
// Helpers shared by the tests.
#include <QString>
#include <QTemporaryDir>

// A fixed-width font stand-in: every character is 7 units wide, so width
// rules can be tested without a window system.
double FixedWidth(const QString &text);
