#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>

#include "tools/charters/ui/nbnform.h"
#include "tools/polygon/ui/polygonform.h"
#include "tools/romannumerals/ui/romanform.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"
#include "tools/serials/ui/snform.h"
#include "support/programfixture.h"

// The numismatic tools as a collector reaches them: each opens from the
// Tools menu of the running program, answers what is typed or clicked in it,
// exists once and goes when closed.
class tst_numismatictools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void romanConverter();
    void polygonCalculator_data();
    void polygonCalculator();
    void serialNumberExplorer();
    void chartersList();
};

void tst_numismatictools::romanConverter()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    // The selected series' price list names these years; the converter lists
    // each once, in price-list order, within 1401..2499.
    std::vector<std::unique_ptr<tPriceInfo>> rows;
    for (int year : {1999, 1400, 2004, 1999, 1776}) {
        rows.push_back(std::make_unique<tPriceInfo>());
        rows.back()->Year = year;
        program.State().CurrPriceList.push_back(rows.back().get());
    }
    program.Trigger(QStringLiteral("Romannumberconverter1"));
    QPointer<TRomanForm> roman = form.findChild<TRomanForm *>();
    QVERIFY(roman);
    QVERIFY(roman->isVisible());
    QCOMPARE(roman->windowTitle(), QStringLiteral("Orvanta: Roman number converter"));

    QTest::keyClicks(roman->Edit1, QStringLiteral("mcmxcix"));
    QCOMPARE(roman->Edit1->text(), QStringLiteral("MCMXCIX"));
    QCOMPARE(roman->Edit2->text(), QStringLiteral("1999"));
    QCOMPARE(roman->DescLabel->text(), QString());
    roman->Edit1->clear();
    QTest::keyClicks(roman->Edit1, QStringLiteral("iix"));
    QCOMPARE(roman->Edit2->text(), QStringLiteral("8"));
    QCOMPARE(roman->DescLabel->text(),
             QStringLiteral("The roman numeral you've entered would properly be written as\nVIII"));

    roman->Edit2->clear();
    QTest::keyClicks(roman->Edit2, QStringLiteral("4000"));
    QCOMPARE(roman->Edit1->text(), QString());
    QVERIFY(roman->DescLabel->text().startsWith(QStringLiteral("Numbers above 3999 are not accepted.")));
    QTest::keyClick(roman->Edit2, Qt::Key_Backspace);
    QCOMPARE(roman->Edit1->text(), QStringLiteral("CD"));

    QVERIFY(roman->TabControl1->isTabVisible(1));
    QCOMPARE(roman->Grid1->rowCount(), 3);
    QCOMPARE(roman->Grid1->item(0, 0)->text(), QStringLiteral("MCMXCIX"));
    QCOMPARE(roman->Grid1->item(2, 0)->text(), QStringLiteral("MDCCLXXVI"));
    QCOMPARE(roman->Grid1->item(1, 1)->text(), QStringLiteral("2004"));

    // A series without dates hides the tab when the window is opened again.
    program.State().CurrPriceList.clear();
    program.Trigger(QStringLiteral("Romannumberconverter1"));
    QCOMPARE(form.findChildren<TRomanForm *>().size(), 1);
    roman->FillSeriesDates();
    QVERIFY(!roman->TabControl1->isTabVisible(1));

    QTest::mouseClick(roman->OKbutton, Qt::LeftButton);
    QTRY_VERIFY(!roman);
}

void tst_numismatictools::polygonCalculator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("holder");
    QTest::newRow("en_US") << "en_US" << "The outer diameter (the coin's circular holder size) is 28.28mm";
    QTest::newRow("de_DE") << "de_DE" << "The outer diameter (the coin's circular holder size) is 28,28mm";
    QTest::newRow("C") << "C" << "The outer diameter (the coin's circular holder size) is 28.28mm";
}

void tst_numismatictools::polygonCalculator()
{
    QFETCH(QString, locale);
    QFETCH(QString, holder);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    tProgramFixture program;
    TMainForm &form = program.Open();
    program.Trigger(QStringLiteral("Polygoncoinstool1"));
    QPointer<TPolygonForm> polygon = form.findChild<TPolygonForm *>();
    QVERIFY(polygon);
    QCOMPARE(polygon->Memo1->toPlainText(), QStringLiteral("Enter a measurement to proceed."));
    QCOMPARE(polygon->RadioButtons[0]->text(), QStringLiteral("Point-to-side"));
    QVERIFY(polygon->RadioButtons[2]->isHidden());

    polygon->ComboBox1->setCurrentIndex(1);  // 4 sides
    QVERIFY(polygon->RadioButtons[0]->isChecked());
    QVERIFY(!polygon->RadioButtons[2]->isHidden());
    polygon->RadioButtons[1]->click();  // Side-to-side
    QTest::keyClicks(polygon->Edit1, QStringLiteral("20"));
    QStringList lines = polygon->Memo1->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines[1], holder);
    QVERIFY(lines[0].endsWith(QStringLiteral("mm side to side:")));
    // Straight from Point-to-Point to By diameter rewrites the first line.
    polygon->RadioButtons[0]->click();
    polygon->RadioButtons[2]->click();
    lines = polygon->Memo1->toPlainText().split(QLatin1Char('\n'));
    QVERIFY(lines[0].endsWith(QStringLiteral("mm in diameter:")));
    // Another shape selects its first mode again.
    polygon->ComboBox1->setCurrentIndex(2);
    QVERIFY(polygon->RadioButtons[0]->isChecked());
    QVERIFY(polygon->Memo1->toPlainText().startsWith(QStringLiteral("A 5 sided polygon")));

    QTest::mouseClick(polygon->DoneBtn, Qt::LeftButton);
    QTRY_VERIFY(!polygon);
    QLocale::setDefault(before);
}

void tst_numismatictools::serialNumberExplorer()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    program.Trigger(QStringLiteral("SerialNumberexplorer1"));
    QPointer<TSNform> sn = form.findChild<TSNform *>();
    QVERIFY(sn);
    QCOMPARE(sn->windowTitle(), QStringLiteral("Orvanta: Serial Number Explorer"));
    QCOMPARE(sn->PrintedLabel->text(), SerialPrompt());
    QCOMPARE(sn->ComboBox3->count(), 12);

    sn->ComboBox1->setCurrentIndex(static_cast<int>(DenominationNames().indexOf(QStringLiteral("20 Dollars"))));
    sn->ComboBox2->setCurrentIndex(static_cast<int>(SeriesNames().indexOf(QStringLiteral("2013"))));
    QCOMPARE(sn->Label9->text(), QStringLiteral("Rosie Rios"));
    QCOMPARE(sn->Label10->text(), QStringLiteral("Jacob J. Lew"));
    QVERIFY(!sn->Image1->pixmap().isNull());
    QCOMPARE(sn->ComboBox3->itemText(1), QStringLiteral("MB"));

    QTest::keyClicks(sn->Edit1, QStringLiteral("1234567"));
    QCOMPARE(sn->PrintedLabel->text(), SerialPrompt());
    QTest::keyClicks(sn->Edit1, QStringLiteral("8"));
    QCOMPARE(sn->PatternLabel->text(), PatternMessage(3));
    // Letters are not taken.
    QTest::keyClicks(sn->Edit1, QStringLiteral("x"));
    QCOMPARE(sn->Edit1->text(), QStringLiteral("12345678"));

    program.Trigger(QStringLiteral("SerialNumberexplorer1"));
    QCOMPARE(form.findChildren<TSNform *>().size(), 1);
    QTest::mouseClick(sn->DoneBtn, Qt::LeftButton);
    QTRY_VERIFY(!sn);
}

void tst_numismatictools::chartersList()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    program.Trigger(QStringLiteral("NationalBanklist1"));
    QPointer<TNBNForm> nbn = form.findChild<TNBNForm *>();
    QVERIFY(nbn);
    QVERIFY(nbn->BanksLoaded());
    QVERIFY(nbn->LoadErrorLabel->isHidden());
    QVERIFY(nbn->Layout3->isHidden());
    const int all = nbn->Grid1->model()->rowCount();
    QCOMPARE(all, static_cast<int>(nbn->NBNlist().size()));
    QVERIFY(all > 0);

    // Sorting by charter puts the lowest charter first; clearing the filter
    // returns to name order.
    QTest::mouseClick(nbn->SortButtons[0], Qt::LeftButton);
    QCOMPARE(nbn->Grid1->model()->index(0, 0).data().toString(), QStringLiteral("1"));
    QTest::mouseClick(nbn->SeriesLabels[0], Qt::LeftButton);
    QVERIFY(!nbn->Layout3->isHidden());
    QCOMPARE(nbn->FilterLabel->text(), QStringLiteral("Only banks which issued Original series notes are shown"));
    QTest::mouseClick(nbn->Button6, Qt::LeftButton);
    QVERIFY(nbn->Layout3->isHidden());
    QCOMPARE(nbn->Grid1->model()->rowCount(), all);
    QCOMPARE(nbn->Grid1->model()->index(0, 1).data().toString(), nbn->NBNlist()[0].BankName);

    // A dimmed symbol ignores clicks.
    QTest::mouseClick(nbn->LabelArray[0 * 10 + 2], Qt::LeftButton);
    QVERIFY(nbn->Layout3->isHidden());

    QTest::mouseClick(nbn->OkBtn, Qt::LeftButton);
    QTRY_VERIFY(!nbn);
}

QTEST_MAIN(tst_numismatictools)
#include "tst_numismatictools.moc"
