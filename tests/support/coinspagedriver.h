#pragma once
// Driving the Coins page of the assembled program as a collector does: an
// empty priced series opened, pickers chosen with the keyboard, boxes typed
// into and left, buttons and grid rows clicked.
#include <vector>

#include <QtTest>

#include "browse/shell/ui/mainform.h"
#include "support/programfixture.h"
#include "support/programsteps.h"

class QAbstractButton;
class QComboBox;
struct tnodeinfo;

void Focus(QWidget *w);
// Types into a box and leaves it with Tab, as a collector does.
void TypeInto(QWidget *w, const QString &text);
void Click(QAbstractButton *b);
int PriceRowsOf(const tMainState &s, const tnodeinfo *node);
// Coin series of the new collection with at least three price rows and no
// entries, in tree order.
std::vector<tnodeinfo *> PricedSeries(const tMainState &s);
// Chooses item index of a picker with the keyboard: Home, then Down.
void Pick(QComboBox *box, int index);
tCoinInfo *Current(const tMainState &s);
QString Cell(const TMainForm &form, int row, int column);
void ClickRow(TMainForm &form, int row, Qt::KeyboardModifiers modifiers = {});
// Start, a new collection, and the Coins page of its first coin series
// with prices and no entries; series holds those series in tree order.
void OpenEmptySeries(tProgramFixture &program, std::vector<tnodeinfo *> &series);
