#include "support/coinspagedriver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "core/model/seriestree.h"
#include "core/collection/ui/filetoopenform.h"
#include "browse/coins/coingridcells.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coingridview.h"
#include "browse/tree/ui/seriestreeview.h"

void Focus(QWidget *w)
{
    w->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(w->hasFocus());
}

// Types into a box and leaves it with Tab, as a collector does.
void TypeInto(QWidget *w, const QString &text)
{
    Focus(w);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, text);
    QTest::keyClick(w, Qt::Key_Tab);
    Settle();
}

void Click(QAbstractButton *b)
{
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->objectName()));
    QTest::mouseClick(b, Qt::LeftButton);
    Settle();
}

int PriceRowsOf(const tMainState &s, const tnodeinfo *node)
{
    return static_cast<int>(std::count_if(s.PriceList.begin(), s.PriceList.end(),
                                          [&](const auto &p) { return p->CoinType == node->CoinType; }));
}

// Coin series of the new collection with at least three price rows and no
// entries, in tree order.
std::vector<tnodeinfo *> PricedSeries(const tMainState &s)
{
    std::vector<tnodeinfo *> out;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n != s.EntireCollection.get() && n->NodeMode != NodeModeComment && n->CoinShape != PaperMoneyShape &&
            PriceRowsOf(s, n) >= 3 && n->EntryCount == 0)
            out.push_back(n);
    });
    return out;
}

// Chooses item index of a picker with the keyboard: Home, then Down.
void Pick(QComboBox *box, int index)
{
    Focus(box);
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    Settle();
    QCOMPARE(box->currentIndex(), index);
}

tCoinInfo *Current(const tMainState &s)
{
    const int r = s.CoinGridRow;
    return r >= 0 && r < static_cast<int>(s.CurrCoinList.size()) ? s.CurrCoinList[static_cast<size_t>(r)] : nullptr;
}

QString Cell(const TMainForm &form, int row, int column)
{
    const auto *grid = Control<TCoinGridView>(form, "CoinGrid");
    return grid->model()->index(row, column).data().toString();
}

void ClickRow(TMainForm &form, int row, Qt::KeyboardModifiers modifiers)
{
    auto *grid = Control<TCoinGridView>(form, "CoinGrid");
    const QModelIndex index = grid->model()->index(row, ColHave);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->visualRect(index).center());
    Settle();
}

// Start, a new collection, and the Coins page of its first coin series
// with prices and no entries; series holds those series in tree order.
void OpenEmptySeries(tProgramFixture &program, std::vector<tnodeinfo *> &series)
{
    StartWithNewCollection(program);
    series = PricedSeries(program.State());
    QVERIFY(series.size() >= 2);
    ClickSeries(program.Form(), series.front());
    ClickTab(program.Form(), PageCoins);
}

