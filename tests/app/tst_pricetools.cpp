#include <QtTest>

#include <QApplication>

#include <QAbstractItemModel>
#include <QFile>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>

#include "core/files/collectionfile.h"
#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/model/seriestree.h"
#include "core/program/settings.h"
#include "browse/shell/pageswitch.h"
#include "browse/coins/ui/coineditorpanel.h"
#include "browse/coins/ui/coingridpage.h"
#include "browse/coins/ui/coingridview.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricetools/bullion.h"
#include "pricing/pricetools/pasteprice.h"
#include "pricing/pricetools/ui/bullionform.h"
#include "pricing/pricetools/ui/forexform.h"
#include "pricing/pricetools/ui/gradesform.h"
#include "pricing/pricelists/pricegrid.h"
#include "pricing/pricetools/ui/pastepriceform.h"
#include "pricing/pricelists/ui/pricegridview.h"
#include "support/programfixture.h"

namespace {

// A sample-catalogue series with a priced entry, and one coin of it in the
// collection, valued from that entry.
struct tValuedCoin {
    tnodeinfo *Series = nullptr;
    tPriceInfo *Price = nullptr;
    tCoinInfo *Coin = nullptr;
    int Grade = -1;
};

tValuedCoin AddValuedCoin(tProgramFixture &program)
{
    tMainState &s = program.State();
    // File New, then the United States series of the sample catalogue.
    program.Trigger(QStringLiteral("MenuItem17"));
    tnodeinfo *first = nullptr;
    for (const auto &c : s.CountryList)
        if (c->Name == QLatin1String("United States") && !c->IsPaper)
            LoadCountryStructures(s, c->CountryID, 0, false, first);
    tValuedCoin out;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (out.Price || !n->HasPrices || n->NodeMode != NodeModeRegular || n->CoinShape == PaperMoneyShape)
            return;
        s.SelectedTreeNode = n;
        Q_EMIT s.Events->SeriesSelected();
        for (tPriceInfo *p : s.CurrPriceList)
            for (int g = 19; g < 30 && !out.Price; ++g)
                if (p->Value[static_cast<size_t>(g)] > 0 && p->Variety.isEmpty()) {
                    out = {n, p, nullptr, g};
                }
    });
    if (!out.Price)
        return out;
    auto coin = std::make_unique<tCoinInfo>();
    coin->CoinType = out.Series->CoinType;
    coin->Folder = out.Series;
    coin->Year = out.Price->Year;
    coin->Mint = out.Price->Mint;
    coin->Grade = out.Grade;
    coin->Have = 1;
    out.Coin = coin.get();
    s.CoinList.push_back(std::move(coin));
    s.SelectedTreeNode = out.Series;
    Q_EMIT s.Events->SeriesSelected();
    return out;
}

QStringList GridRow(TMainForm &form, int row)
{
    QAbstractItemModel *model = form.CoinGridPage->CoinGrid->model();
    QStringList cells;
    for (int col = 0; col < model->columnCount(); ++col)
        cells << model->index(row, col).data().toString();
    return cells;
}

QStringList Items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

int RowOfCode(const QTableWidget *grid, const QString &code)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->item(r, 0)->text() == code)
            return r;
    return -1;
}

} // namespace

// The price tools as a collector reaches them: from the menus, the currency
// label and the price strip, with their effect on the main window and on
// what is stored.
class tst_PriceTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void renamedGradeShowsInTheGradeListAndIsSaved()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        const tValuedCoin v = AddValuedCoin(program);
        QVERIFY(v.Coin);
        v.Series->GradeScale = 1;  // the series is graded on user scale 1
        Q_EMIT program.State().Events->SeriesSelected();
        program.State().DataModified = false;
        const QString standard = program.State().GradeTitles3D.Title(GradeKindCoins, 0, v.Grade);
        QVERIFY(GridRow(form, 0).contains(standard));

        // Cancel keeps the titles.
        program.Trigger(QStringLiteral("UserGrades1"));
        QPointer<TGradesForm> grades = form.findChild<TGradesForm *>();
        QVERIFY(grades);
        QCOMPARE(grades->Grid1->rowCount(), 41);
        grades->Grid1->item(v.Grade, 1)->setText(QStringLiteral("Discarded"));
        QTest::mouseClick(grades->CancelBtn, Qt::LeftButton);
        QTRY_VERIFY(!grades);
        QCOMPARE(program.State().GradeTitles3D.Title(GradeKindCoins, 1, v.Grade), QString());
        QVERIFY(!program.State().DataModified);

        program.Trigger(QStringLiteral("UserGrades1"));
        grades = form.findChild<TGradesForm *>();
        QVERIFY(grades);
        QTableWidgetItem *standardCell = grades->Grid1->item(v.Grade, 0);
        QCOMPARE(standardCell->text(), standard);
        QVERIFY(!(standardCell->flags() & Qt::ItemIsEditable));
        // Every slot of the scale gets a title, so the scale is used.
        for (int slot = 0; slot < 41; ++slot)
            grades->Grid1->item(slot, 1)->setText(QStringLiteral("U%1").arg(slot));
        grades->Grid1->item(v.Grade, 1)->setText(QStringLiteral("Gem Uncirc A"));  // 13 characters
        QCOMPARE(grades->Grid1->item(v.Grade, 1)->text(), QStringLiteral("Gem Uncirc"));
        // The paper tab shows its 30 rows.
        grades->TabControl1->setCurrentIndex(1);
        QCOMPARE(grades->Grid1->rowCount(), 30);
        grades->Grid1->item(3, 2)->setText(QStringLiteral("Note G"));
        QTest::mouseClick(grades->OkBtn, Qt::LeftButton);
        QTRY_VERIFY(!grades);

        tMainState &s = program.State();
        QCOMPARE(s.GradeTitles3D.Title(GradeKindCoins, 1, v.Grade), QStringLiteral("Gem Uncirc"));
        QCOMPARE(s.GradeTitles3D.Title(GradeKindPaper, 2, 3), QStringLiteral("Note G"));
        QVERIFY(Items(form.CoinEditor->GradeBox).contains(QStringLiteral("Gem Uncirc")));
        QVERIFY2(GridRow(form, 0).contains(QStringLiteral("Gem Uncirc")), qPrintable(GridRow(form, 0).join(QLatin1Char('|'))));
        QVERIFY(s.DataModified);

        const QString file = program.Home() + QStringLiteral("/Grades.OVD");
        SaveCollectionFile(s, file);
        tMainState reread;
        QVERIFY(LoadDataFromFile(reread, file, false));
        QCOMPARE(reread.GradeTitles3D.Title(GradeKindCoins, 1, v.Grade), QStringLiteral("Gem Uncirc"));
        QCOMPARE(reread.GradeTitles3D.Title(GradeKindPaper, 2, 3), QStringLiteral("Note G"));
    }

    void selectedCurrencyShowsInTheCoinValues()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        s.ForexList[EurForexIndex]->Rate = 0.5f;
        s.ForexList[47]->Rate = 0.0f;  // pounds: no rate known
        const tValuedCoin v = AddValuedCoin(program);
        QVERIFY(v.Coin);
        const Money dollars = v.Price->Value[static_cast<size_t>(v.Grade)];
        const QString dollarText = FormatMoneyPattern(QStringLiteral("#,##0.00"), dollars);
        QVERIFY2(GridRow(form, 0).contains(dollarText), qPrintable(GridRow(form, 0).join(QLatin1Char('|')) + " / " + dollarText));

        QVERIFY(form.findChild<QAction *>(QStringLiteral("ExchangeRates1"))->isVisible());
        program.Trigger(QStringLiteral("ExchangeRates1"));
        QPointer<TForexForm> forex = form.findChild<TForexForm *>();
        QVERIFY(forex && forex->isVisible());
        QCOMPARE(forex->Label1->text(), QStringLiteral("Currently selected currency: USD (United States Dollar)"));

        // A currency without a rate shows dashes and cannot be chosen.
        const int gbp = RowOfCode(forex->Grid1, QStringLiteral("GBP"));
        QCOMPARE(forex->Grid1->item(gbp, 2)->text(), QStringLiteral("-"));
        forex->Grid1->setCurrentCell(gbp, 0);
        QVERIFY(!forex->SelectCurrencyButton->isEnabled());

        const int eur = RowOfCode(forex->Grid1, QStringLiteral("EUR"));
        QCOMPARE(forex->Grid1->item(eur, 2)->text(), QStringLiteral("1.00 EUR = 2 USD"));
        forex->Grid1->setCurrentCell(eur, 0);
        QTest::mouseClick(forex->SelectCurrencyButton, Qt::LeftButton);
        QCOMPARE(forex->Label1->text(), QStringLiteral("Currently selected currency: EUR (Euro Member Countries)"));
        QCOMPARE(s.ActiveForexIndex, EurForexIndex);
        QCOMPARE(v.Price->Value[static_cast<size_t>(v.Grade)], MoneyMul(dollars, 0.5));
        QCOMPARE(form.ForexLabel->text(), QStringLiteral("Euro Member Countries"));
        const QString euroText = FormatMoneyPattern(QStringLiteral("#,##0.00"), MoneyMul(dollars, 0.5));
        QVERIFY2(GridRow(form, 0).contains(euroText), qPrintable(GridRow(form, 0).join(QLatin1Char('|')) + " / " + euroText));

        // Done closes the window; the currency label opens it again.
        QTest::mouseClick(forex->DoneBtn, Qt::LeftButton);
        QTRY_VERIFY(!forex);
        QTest::mouseClick(form.ForexLabel, Qt::LeftButton);
        forex = form.findChild<TForexForm *>();
        QVERIFY(forex && forex->isVisible());
        QCOMPARE(forex->Label1->text(), QStringLiteral("Currently selected currency: EUR (Euro Member Countries)"));
    }

    // A new collector without an update server: the spot-price file that
    // comes with the sample catalogue gives real rates, so choosing the
    // euro converts the dollar prices instead of renaming them.
    void newCollectorConvertsAtTheSampleRates()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        QVERIFY(ExchangeRatesKnown(s));
        const float eur = s.ForexList[EurForexIndex]->Rate;
        QVERIFY2(eur > 0.5f && eur < 0.95f, qPrintable(QString::number(eur)));
        QCOMPARE(s.MetalValuesDate, DateToDay(QDate(2013, 5, 22)));
        QVERIFY(s.MetalValues[1] > MoneyFromDouble(1000));
        const tValuedCoin v = AddValuedCoin(program);
        QVERIFY(v.Coin);
        const Money dollars = v.Price->Value[static_cast<size_t>(v.Grade)];

        program.Trigger(QStringLiteral("ExchangeRates1"));
        QPointer<TForexForm> forex = form.findChild<TForexForm *>();
        QVERIFY(forex && forex->isVisible());
        QVERIFY(!forex->NoRatesLabel->isVisible());
        const int row = RowOfCode(forex->Grid1, QStringLiteral("EUR"));
        QVERIFY(forex->Grid1->item(row, 2)->text() != QStringLiteral("1.00 EUR = 1 USD"));
        forex->Grid1->setCurrentCell(row, 0);
        QVERIFY(forex->SelectCurrencyButton->isEnabled());
        QTest::mouseClick(forex->SelectCurrencyButton, Qt::LeftButton);
        QCOMPARE(s.ActiveForexIndex, EurForexIndex);
        QCOMPARE(v.Price->Value[static_cast<size_t>(v.Grade)], MoneyMul(dollars, eur));
        QVERIFY(v.Price->Value[static_cast<size_t>(v.Grade)] < dollars);
        QTest::mouseClick(forex->DoneBtn, Qt::LeftButton);
    }

    // Without any rate (the spot-price file unreadable) the window says so
    // and the currency stays: dollar figures are never relabelled.
    void withoutRatesTheCurrencyCannotChange()
    {
        tProgramFixture program;
        program.Open();
        {
            // What a first start installed is replaced by a file that holds
            // nothing; the restart reads it and keeps the rates of 1.
            QFile spot(program.State().OtherRedirect + QStringLiteral("Spot prices"));
            QVERIFY(spot.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        QVERIFY(!ExchangeRatesKnown(s));
        const tValuedCoin v = AddValuedCoin(program);
        QVERIFY(v.Coin);
        const Money dollars = v.Price->Value[static_cast<size_t>(v.Grade)];

        program.Trigger(QStringLiteral("ExchangeRates1"));
        QPointer<TForexForm> forex = form.findChild<TForexForm *>();
        QVERIFY(forex && forex->isVisible());
        QVERIFY(forex->NoRatesLabel->isVisible());
        QVERIFY(forex->NoRatesLabel->text().startsWith(QStringLiteral("No exchange rates are known yet")));
        const int row = RowOfCode(forex->Grid1, QStringLiteral("EUR"));
        QCOMPARE(forex->Grid1->item(row, 2)->text(), QStringLiteral("-"));
        forex->Grid1->setCurrentCell(row, 0);
        QVERIFY(!forex->SelectCurrencyButton->isEnabled());
        // A double click is refused the same way.
        Q_EMIT forex->Grid1->cellDoubleClicked(row, 0);
        QCOMPARE(s.ActiveForexIndex, UsdForexIndex);
        QCOMPARE(v.Price->Value[static_cast<size_t>(v.Grade)], dollars);
        QTest::mouseClick(forex->DoneBtn, Qt::LeftButton);
    }

    void newSilverPriceShowsInTheStripAndIsStored()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        s.AutoSpotPrices = true;
        s.MetalValues = {MoneyFromDouble(30), MoneyFromDouble(2350), MoneyFromDouble(1000), MoneyFromDouble(950)};
        CallSeam(form.Seams.DisplayMetalValues);
        QVERIFY(form.MetalStrip->isVisibleTo(&form));

        program.Trigger(QStringLiteral("Bullionvalues1"));
        QPointer<TBullionForm> bullion = form.findChild<TBullionForm *>();
        QVERIFY(bullion && bullion->isVisible());
        QCOMPARE(bullion->TabControl1->currentWidget(), bullion->TabItem2);
        QCOMPARE(bullion->WeightEdits[UnitGrains]->text(), QStringLiteral("480"));
        QCOMPARE(bullion->ConversionValueLabels[1]->text(), QStringLiteral("2350.00"));
        QCOMPARE(bullion->SpotEdits[0]->text(), QStringLiteral("30.00"));

        // 100 grains are valued by their exact weight.
        bullion->TabControl1->setCurrentWidget(bullion->TabItem1);
        bullion->WeightEdits[UnitGrains]->clear();
        QTest::keyClicks(bullion->WeightEdits[UnitGrains], QStringLiteral("100"));
        QCOMPARE(bullion->WeightEdits[UnitPennyweights]->text(), QStringLiteral("4.167"));
        QCOMPARE(bullion->ConversionValueLabels[1]->text(), QStringLiteral("489.58"));

        // Sterling chosen from the list, 62.207 grams: 1.85 ounces of silver.
        bullion->TabControl1->setCurrentWidget(bullion->TabItem2);
        QTest::keyClicks(bullion->WeightEdit, QStringLiteral("62.207"));
        bullion->PurityCombo->setCurrentIndex(7);
        Q_EMIT bullion->PurityCombo->activated(7);
        QCOMPARE(bullion->PurityCombo->currentText(), QStringLiteral("92.5"));
        QCOMPARE(bullion->PurityLabel->text(), QStringLiteral("1.85"));
        QCOMPARE(bullion->PurityValueLabels[0]->text(), QStringLiteral("55.50"));
        // Purity from weight and content.
        bullion->Radios[PurityModePurity]->click();
        QVERIFY(!bullion->PurityCombo->isVisible());
        bullion->WeightEdit->selectAll();
        QTest::keyClick(bullion->WeightEdit, Qt::Key_Delete);
        QCOMPARE(bullion->PurityLabel->text(), QStringLiteral("<Undefined>"));
        QVERIFY(!bullion->UnitLabels[PurityModePurity]->isVisible());
        QTest::keyClicks(bullion->WeightEdit, QStringLiteral("40"));
        QTest::keyClicks(bullion->ContentEdit, QStringLiteral("1"));
        QCOMPARE(bullion->PurityLabel->text(), QStringLiteral("77.7587"));
        QVERIFY(bullion->UnitLabels[PurityModePurity]->isVisible());
        QCOMPARE(bullion->PurityValueLabels[1]->text(), QStringLiteral("2350.00"));

        // A new silver price, typed as a collector would; the field grows
        // while it has the focus and shrinks back when it loses it.
        const int base = bullion->SpotEdits[0]->height();
        bullion->activateWindow();
        bullion->SpotEdits[0]->setFocus();
        QTRY_COMPARE(bullion->SpotEdits[0]->height(), qRound(base * 1.3));
        bullion->SpotEdits[0]->selectAll();
        QTest::keyClicks(bullion->SpotEdits[0], QStringLiteral("31.75"));
        QCOMPARE(bullion->LocalMetalValues()[0], MoneyFromDouble(31.75));
        bullion->SpotEdits[1]->setFocus();
        QCOMPARE(bullion->SpotEdits[0]->text(), QStringLiteral("31.75"));
        QTRY_COMPARE(bullion->SpotEdits[0]->height(), base);
        QTest::mouseClick(bullion->ViewSizeBtn, Qt::LeftButton);
        QTRY_VERIFY(!bullion);

        QCOMPARE(s.MetalValues[0], MoneyFromDouble(31.75));
        QVERIFY2(form.MetalStrip->text().contains(QStringLiteral("Silver 31.75")), qPrintable(form.MetalStrip->text()));
        QCOMPARE(ReadRegCurrency(RegName::SilverPrice), MoneyFromDouble(31.75));
        QCOMPARE(ReadRegInteger(RegName::MetalDate, 0), TodayDay());

        // The strip opens the window again.
        QTest::mouseClick(form.MetalStrip, Qt::LeftButton);
        bullion = form.findChild<TBullionForm *>();
        QVERIFY(bullion && bullion->isVisible());
        QCOMPARE(bullion->SpotEdits[0]->text(), QStringLiteral("31.75"));
    }

    // Prices of another currency carry four decimals and the fields show
    // two: opening and closing the window, or only passing through its
    // fields, leaves them and their date alone, however it is closed.
    void closingWithNothingTypedKeepsTheSpotPrices_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("visit");
        for (const char *how : {"OK", "Esc", "close box"}) {
            QTest::addRow("%s", how) << how << false;
            QTest::addRow("%s, focus through the fields", how) << how << true;
        }
    }
    void closingWithNothingTypedKeepsTheSpotPrices()
    {
        QFETCH(QString, how);
        QFETCH(bool, visit);
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        const std::array<Money, 4> stored{MoneyFromDouble(27.1234), MoneyFromDouble(2161.5678),
                                          MoneyFromDouble(920.0001), MoneyFromDouble(874.9999)};
        s.MetalValues = stored;
        s.MetalValuesDate = 45000;
        s.AutoSpotPrices = false;
        program.Trigger(QStringLiteral("Bullionvalues1"));
        QPointer<TBullionForm> bullion = form.findChild<TBullionForm *>();
        QVERIFY(bullion && bullion->isVisible());
        QCOMPARE(bullion->SpotEdits[1]->text(), QStringLiteral("2161.57"));
        if (visit) {
            bullion->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(bullion));
            for (QLineEdit *edit : bullion->SpotEdits)
                edit->setFocus();
            bullion->CheckBox1->setFocus();
            QCOMPARE(bullion->SpotEdits[3]->text(), QStringLiteral("875.00"));
        }
        if (how == QLatin1String("OK"))
            QTest::mouseClick(bullion->ViewSizeBtn, Qt::LeftButton);
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(bullion->SpotEdits[0], Qt::Key_Escape);
        else
            bullion->close();
        QTRY_VERIFY(!bullion);
        QCOMPARE(s.MetalValues, stored);
        QCOMPARE(s.MetalValuesDate, 45000);
        QVERIFY(!program.Settings.names().contains(QString(RegName::MetalDate)));
        QVERIFY(!program.Settings.names().contains(QString(RegName::SilverPrice)));
    }

    // Esc closes the window as OK does: the price typed is stored, in the
    // collector's notation, and only that price.
    void escKeepsTheTypedPrice_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::newRow("C.UTF-8") << "C" << "2412.5";
        QTest::newRow("de_DE") << "de_DE" << "2412,5";
    }
    void escKeepsTheTypedPrice()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); });
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        s.SpotPricesCurrencyIndex = UsdForexIndex;
        const std::array<Money, 4> stored{MoneyFromDouble(27.1234), MoneyFromDouble(2161.5678),
                                          MoneyFromDouble(920.0001), MoneyFromDouble(874.9999)};
        s.MetalValues = stored;
        s.MetalValuesDate = 45000;
        program.Trigger(QStringLiteral("Bullionvalues1"));
        QPointer<TBullionForm> bullion = form.findChild<TBullionForm *>();
        QVERIFY(bullion);
        bullion->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bullion));
        bullion->SpotEdits[1]->setFocus();
        bullion->SpotEdits[1]->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!bullion);
        QCOMPARE(s.MetalValues[1], MoneyFromDouble(2412.5));
        QCOMPARE(s.MetalValues[0], stored[0]);
        QCOMPARE(s.MetalValues[3], stored[3]);
        QCOMPARE(s.MetalValuesDate, TodayDay());
        QCOMPARE(ReadRegCurrency(RegName::GoldPrice), MoneyFromDouble(2412.5));
        QVERIFY(!program.Settings.names().contains(QString(RegName::SilverPrice)));
    }

    // The calculator shows a result past the money range in full, and a
    // content of 0 as "0".
    void purityResultsAtTheEdges()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("Bullionvalues1"));
        QPointer<TBullionForm> bullion = form.findChild<TBullionForm *>();
        QVERIFY(bullion);
        bullion->Radios[PurityModeWeight]->click();
        QTest::keyClicks(bullion->ContentEdit, QStringLiteral("9999999"));
        QTest::keyClicks(bullion->PurityCombo->lineEdit(), QStringLiteral("0.00001"));
        const double expected = 9999999.0 * (100 / 0.001) * GramsPerTroyOunce;
        const QString shown = bullion->PurityLabel->text();
        QVERIFY2(qAbs(shown.toDouble() - expected) <= expected * 1e-15, qPrintable(shown));
        QVERIFY(bullion->UnitLabels[PurityModeWeight]->isVisible());

        bullion->Radios[PurityModePurity]->click();
        QTest::keyClicks(bullion->WeightEdit, QStringLiteral("40"));
        bullion->ContentEdit->clear();
        QTest::keyClicks(bullion->ContentEdit, QStringLiteral("0"));
        QCOMPARE(bullion->PurityLabel->text(), QStringLiteral("0"));
        QCOMPARE(bullion->PurityValueLabels[0]->text(), QString());
        bullion->close();
    }

    void pasteToolWritesTheSelectedPriceEntry()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        form.resize(1200, 900);
        program.Start();
        tMainState &s = program.State();
        const tValuedCoin v = AddValuedCoin(program);
        QVERIFY(v.Price);
        s.MaintainerMode = true;
        form.PageTabs->setCurrentIndex(PageSeries);
        form.PageTabs->setCurrentIndex(PagePricing);
        QCoreApplication::processEvents();
        auto *grid = form.findChild<TPriceGridView *>();
        QVERIFY(grid);
        // The title column is selected: no price entry to paste into.
        grid->PriceSelectedCol = 0;
        grid->RenderPrices();

        QTest::mouseClick(form.SelectedLabel, Qt::LeftButton);
        QPointer<TPastePriceForm> paste = form.findChild<TPastePriceForm *>();
        QVERIFY(paste && paste->isVisible());
        QVERIFY(form.PricePaisterInUse);
        QCOMPARE(paste->CheckBoxList[19]->text(), QStringLiteral("MS-60"));
        QTest::mouseClick(paste->Button5, Qt::LeftButton);
        QVERIFY(!paste->PasteBtn->isEnabled());

        // Selecting a price column in the grid enables Paste.
        const int column = 1;
        QTest::mouseClick(grid->PriceLayout, Qt::LeftButton, {}, grid->CellRect(column, 0).center());
        tPriceInfo *selected = grid->SelectedEntry();
        QVERIFY(selected);
        QVERIFY(paste->PasteBtn->isEnabled());
        // Both kinds checked: no paste.
        paste->CheckBoxList[30]->setChecked(true);
        QVERIFY(!paste->PasteBtn->isEnabled());
        QTest::mouseClick(paste->Button6, Qt::LeftButton);  // proof grades only
        QVERIFY(paste->PasteBtn->isEnabled());

        paste->Memo1->setPlainText(QStringLiteral("Proof\n$45.00\n\n50.00\n1,250.00\n60"));
        QTest::mouseClick(paste->Button2, Qt::LeftButton);
        QCOMPARE(paste->Memo1->toPlainText(), QStringLiteral("60"));
        paste->Memo1->setPlainText(QStringLiteral("Proof\n$45.00\n50.00\n60"));
        QTest::mouseClick(paste->Button2, Qt::LeftButton);
        QCOMPARE(paste->Memo1->toPlainText(), QStringLiteral("45.00\n50.00\n60"));

        paste->RadioButtonList[30]->setChecked(true);
        paste->ComboEdit2->setCurrentIndex(17);  // "n/a" above
        const std::array<Money, GradeSlots> before = selected->Value;
        s.PricesModified = false;
        QTest::mouseClick(paste->PasteBtn, Qt::LeftButton);
        QCOMPARE(selected->Value[19], before[19]);
        QCOMPARE(selected->Value[30], MoneyFromDouble(45));
        QCOMPARE(selected->Value[32], MoneyFromDouble(60));
        QCOMPARE(selected->Value[33], ValueCodeToMoneyFor(18));
        QVERIFY(s.PricesModified);
        QVERIFY(s.PricesModifiedArray[static_cast<size_t>(CoinTypeToCountry(selected->CoinType))]);
        // The grid shows the pasted price (scrolled to the proof rows).
        const auto shownAt = [grid, column](int slot) {
            for (int v = 0; v <= grid->PriceVScrollBar->maximum(); ++v) {
                grid->PriceVScrollBar->setValue(v);
                for (int r = 0; r < grid->Geometry().RowsNeeded; ++r)
                    if (grid->RowKindAt(r) == PriceKindGrade0 + slot)
                        return grid->CellText(column, r);
            }
            return QStringLiteral("(not shown)");
        };
        QCOMPARE(shownAt(30), QStringLiteral("45.00"));
        // The grid's Undo takes the paste back.
        auto *undo = form.findChild<QPushButton *>(QStringLiteral("UndoPriceBtn"));
        QVERIFY(undo->isEnabled());
        QTest::mouseClick(undo, Qt::LeftButton);
        QCOMPARE(grid->SelectedEntry()->Value, before);

        QTest::mouseClick(paste->Button3, Qt::LeftButton);
        const tPastePriceChoice saved = ReadPastePriceSettings(s.OtherRedirect + QString::fromLatin1(PastePriceIniName));
        QVERIFY(saved.Checked[30]);
        QVERIFY(!saved.Checked[19]);
        QCOMPARE(saved.StartIndex, 30);
        QCOMPARE(saved.Postrun, 17);

        paste->close();
        QTRY_VERIFY(!paste);
        QVERIFY(!form.PricePaisterInUse);
    }

private:
    static Money ValueCodeToMoneyFor(int code) { return -static_cast<Money>(code) * MoneyScale; }
};

QTEST_MAIN(tst_PriceTools)
#include "tst_pricetools.moc"
