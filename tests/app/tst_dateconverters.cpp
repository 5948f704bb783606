#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "core/model/model.h"
#include "tools/digitdates/ui/digitdateform.h"
#include "tools/ethiopian/ui/ethiopianform.h"
#include "tools/hebrew/ui/hebrewform.h"
#include "tools/japanese/ui/japaneseform.h"
#include "tools/seriesdates/ui/seriesdatesgrid.h"
#include "tools/taiwan/ui/chinaform.h"
#include "support/programfixture.h"

// The date converters as a collector reaches them: each opens from Tools >
// Date Converters in the running program, converts what is typed or
// clicked, and lists the years of the selected series.
class tst_dateconverters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitConverters_data();
    void digitConverters();
    void thaiBoxesAndButtons();
    void arabCalendars();
    void hebrewConverter();
    void taiwanConverter();
    void japaneseConverter();
    void ethiopianConverter();

private:
    // Gives the selected series price rows of these years.
    void SetSeriesYears(tProgramFixture &program, const QList<int> &years);
    std::vector<std::unique_ptr<tPriceInfo>> rows_;
};

void tst_dateconverters::SetSeriesYears(tProgramFixture &program, const QList<int> &years)
{
    program.State().CurrPriceList.clear();
    rows_.clear();
    for (int year : years) {
        rows_.push_back(std::make_unique<tPriceInfo>());
        rows_.back()->Year = year;
        program.State().CurrPriceList.push_back(rows_.back().get());
    }
}

void tst_dateconverters::digitConverters_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("eraText");
    QTest::addColumn<QString>("nativeOf1900");
    QTest::newRow("Bengali") << "BengaliDateConverter1" << "Bengali date converter" << "1971" << "1971"
                             << QString::fromUtf8("১৯০০");
    QTest::newRow("Thai") << "ThaiDateConverter1" << "Thai date converter" << "1887" << "1249"
                          << QString::fromUtf8("๑๑๙");  // 1900 is R.S. 119
    QTest::newRow("Burmese") << "BurmeseDateConverter1" << "Burmese date converter" << "2024" << "1386"
                             << QString::fromUtf8("၁၂၆၂");
    QTest::newRow("Nepal") << "NapaleseDateConverter1" << "Nepal date converter" << "2024" << "2081"
                           << QString::fromUtf8("੧੯੫੭");
    QTest::newRow("Arab") << "Arabdateconverter1" << "Arab date converter" << "2024" << "1445"
                          << QString::fromUtf8("١٣١٨");
}

void tst_dateconverters::digitConverters()
{
    QFETCH(QString, action);
    QFETCH(QString, caption);
    QFETCH(QString, typed);
    QFETCH(QString, eraText);
    QFETCH(QString, nativeOf1900);
    tProgramFixture program;
    TMainForm &form = program.Open();
    SetSeriesYears(program, {1900, 1901, 1900, 1400, 2500, 0});
    program.Trigger(action);
    QPointer<TDigitDateForm> window = form.findChild<TDigitDateForm *>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), caption);
    // Opened on the current year.
    QCOMPARE(window->ADedit->text(), QString::number(QDate::currentDate().year()));

    window->ADedit->clear();
    QTest::keyClicks(window->ADedit, typed);
    QCOMPARE(window->EraBox()->text(), eraText);
    QCOMPARE(window->Picture.size(), QSize(500, 170));

    // The dates of the series: 1900 and 1901 once each, in price-list order.
    QVERIFY(window->TabControl1->isTabVisible(1));
    QCOMPARE(window->Grid1->rowCount(), 2);
    QCOMPARE(window->Grid1->item(0, window->Grid1->columnCount() - 1)->text(), QStringLiteral("1900"));
    QCOMPARE(window->Grid1->item(0, 0)->text(), nativeOf1900);
    if (action == QLatin1String("ThaiDateConverter1"))
        QCOMPARE(window->Grid1->item(0, 1)->text(), QStringLiteral("119 R.S."));

    // A series without dates hides the tab when the window comes back.
    SetSeriesYears(program, {});
    window->FillSeriesDates();
    QVERIFY(!window->TabControl1->isTabVisible(1));

    // The command brings the open window back rather than a second one.
    program.Trigger(action);
    QCOMPARE(form.findChildren<TDigitDateForm *>().size(), 1);
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("OKbutton")), Qt::LeftButton);
    QTRY_VERIFY(!window);
}

void tst_dateconverters::thaiBoxesAndButtons()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    program.Trigger(QStringLiteral("ThaiDateConverter1"));
    auto *thai = form.findChild<TDigitDateForm *>();
    QVERIFY(thai);
    auto *beLabel = thai->findChild<QLabel *>(QStringLiteral("BElabel"));
    QVERIFY(beLabel);

    thai->EraEdit->clear();
    QTest::keyClicks(thai->EraEdit, QStringLiteral("120"));
    QCOMPARE(thai->ADedit->text(), QStringLiteral("1901"));
    QCOMPARE(beLabel->text(), QStringLiteral("R.S."));
    QCOMPARE(thai->Label1->text(), QStringLiteral("Ratanakosindsok Era (RS)"));

    // The digit buttons roll a digit into the Thai box.
    thai->EraEdit->clear();
    QTest::keyClicks(thai->EraEdit, QStringLiteral("245"));
    QTest::mouseClick(thai->ButtonList[6], Qt::LeftButton);
    QCOMPARE(thai->EraEdit->text(), QStringLiteral("2456"));
    QCOMPARE(thai->ADedit->text(), QStringLiteral("1913"));
    QCOMPARE(beLabel->text(), QStringLiteral("B.E."));
    QTest::mouseClick(thai->ButtonList[5], Qt::LeftButton);
    QCOMPARE(thai->EraEdit->text(), QStringLiteral("4565"));

    // 0 on a box reading 2000: the Thai box reads 0, the A.D. box empties and
    // the picture turns white.
    thai->EraEdit->clear();
    QTest::keyClicks(thai->EraEdit, QStringLiteral("2000"));
    QTest::mouseClick(thai->ButtonList[0], Qt::LeftButton);
    QCOMPARE(thai->EraEdit->text(), QStringLiteral("0"));
    QCOMPARE(thai->ADedit->text(), QString());
    QCOMPARE(thai->Picture.pixel(250, 85), 0xFFFFFFFFu);

    // A year of five digits is shown whole and drawn with five places.
    thai->ADedit->clear();
    QTest::keyClicks(thai->ADedit, QStringLiteral("9999"));
    QCOMPARE(thai->EraEdit->text(), QStringLiteral("10542"));
    QCOMPARE(thai->Picture.width(), 625);
}

void tst_dateconverters::arabCalendars()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    SetSeriesYears(program, {1900});
    program.Trigger(QStringLiteral("Arabdateconverter1"));
    auto *arab = form.findChild<TDigitDateForm *>();
    QVERIFY(arab);
    QCOMPARE(arab->ComboBox1->currentText(), QStringLiteral("A.H."));
    QVERIFY(arab->Label1->text().startsWith(QStringLiteral("A.H. (Anno Hegirae)")));

    arab->ADedit->clear();
    QTest::keyClicks(arab->ADedit, QStringLiteral("622"));
    QCOMPARE(arab->EraEdit->text(), QString());
    QVERIFY(arab->Label2->isHidden());
    arab->ADedit->clear();
    QTest::keyClicks(arab->ADedit, QStringLiteral("2024"));
    QCOMPARE(arab->EraEdit->text(), QStringLiteral("1445"));
    QCOMPARE(arab->Label2->text(), QStringLiteral("1445"));

    // Another calendar changes only the A.D. year.
    arab->ComboBox1->setCurrentIndex(ArabSH);
    arab->EraEdit->clear();
    QTest::keyClicks(arab->EraEdit, QStringLiteral("1403"));
    QCOMPARE(arab->ADedit->text(), QStringLiteral("2024"));
    arab->ComboBox1->setCurrentIndex(ArabMD);
    QCOMPARE(arab->ADedit->text(), QStringLiteral("2035"));
    QCOMPARE(arab->EraEdit->text(), QStringLiteral("1403"));
    QVERIFY(arab->Label1->text().startsWith(QStringLiteral("M.D. (Libyan Miladi)")));

    // The Persian script keeps the picture's size and the grid.
    arab->RadioButton2->click();
    QCOMPARE(arab->Picture.size(), QSize(500, 170));

    // The grid's own calendar.
    QCOMPARE(arab->Grid1->horizontalHeaderItem(2)->text(), QStringLiteral("A.H."));
    QCOMPARE(arab->Grid1->item(0, 2)->text(), QStringLiteral("1318"));
    arab->ComboBox2->setCurrentIndex(1);
    QCOMPARE(arab->Grid1->horizontalHeaderItem(2)->text(), QStringLiteral("M.S."));
    QCOMPARE(arab->Grid1->item(0, 2)->text(), QStringLiteral("2459"));
    QCOMPARE(arab->Grid1->item(0, 0)->text(), QString::fromUtf8("٢٤٥٩"));
    QCOMPARE(arab->Grid1->item(0, 1)->text(), QString::fromUtf8("۲۴۵۹"));
}

void tst_dateconverters::hebrewConverter()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    SetSeriesYears(program, {2024, 2240});
    program.Trigger(QStringLiteral("Hebrewdateconverter1"));
    QPointer<THebrewForm> hebrew = form.findChild<THebrewForm *>();
    QVERIFY(hebrew);
    QCOMPARE(hebrew->windowTitle(), QStringLiteral("Hebrew date converter"));

    hebrew->Edit2->clear();
    QTest::keyClicks(hebrew->Edit2, QStringLiteral("2024"));
    QCOMPARE(hebrew->Edit1->text(), QStringLiteral("784"));
    QCOMPARE(hebrew->Label2->text(), QStringLiteral("Hebrew name: tav-shin-pay-dalet"));
    QCOMPARE(hebrew->Picture.width(), 812);
    for (int tag = 1; tag <= 22; ++tag)
        QCOMPARE(hebrew->ButtonList[static_cast<size_t>(tag)]->isChecked(),
                 tag == 22 || tag == 21 || tag == 17 || tag == 4);

    // Composing with the letter buttons.
    hebrew->Edit2->clear();
    QTest::keyClicks(hebrew->Edit2, QStringLiteral("1255"));
    QCOMPARE(hebrew->Label2->text(), QStringLiteral("Hebrew name: tet-vav"));
    QTest::mouseClick(hebrew->ButtonList[11], Qt::LeftButton);
    QCOMPARE(hebrew->Edit1->text(), QStringLiteral("35"));
    QCOMPARE(hebrew->Edit2->text(), QStringLiteral("1275"));
    QCOMPARE(hebrew->Label2->text(), QStringLiteral("Hebrew name: lamed-hay (wrong syntax)"));
    QVERIFY(hebrew->ButtonList[11]->isChecked());
    QVERIFY(hebrew->ButtonList[9]->isChecked());

    // A Jewish year past the millennium empties its box and releases all.
    hebrew->Edit1->clear();
    QTest::keyClicks(hebrew->Edit1, QStringLiteral("1000"));
    QCOMPARE(hebrew->Edit1->text(), QString());
    QCOMPARE(hebrew->Edit2->text(), QStringLiteral("2240"));
    for (int tag = 1; tag <= 22; ++tag)
        QVERIFY(!hebrew->ButtonList[static_cast<size_t>(tag)]->isChecked());

    QCOMPARE(hebrew->Grid1->rowCount(), 2);
    QCOMPARE(hebrew->Grid1->item(0, 0)->text(), QString::fromUtf8("תשפד"));
    QCOMPARE(hebrew->Grid1->item(0, 1)->text(), QStringLiteral("5784"));
    QCOMPARE(hebrew->Grid1->item(1, 0)->text(), QString());
    QTest::mouseClick(hebrew->OKbutton, Qt::LeftButton);
    QTRY_VERIFY(!hebrew);
}

void tst_dateconverters::taiwanConverter()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    program.Trigger(QStringLiteral("ChinaDateConverter1"));
    auto *china = form.findChild<TChinaForm *>();
    QVERIFY(china);
    QCOMPARE(china->windowTitle(), QStringLiteral("Orvanta: Taiwan date converter"));
    QCOMPARE(china->Grid1->rowCount(), QDate::currentDate().year() - 1911);
    QCOMPARE(china->Grid1->item(13, 1)->text(), QString::fromUtf8("shí si"));
    QCOMPARE(china->Grid1->item(0, 3)->text(), QStringLiteral("1912"));
    // At opening the Metal Tiger shows.
    QVERIFY(china->YearsLabel->text().startsWith(QStringLiteral("1710\n1770\n")));

    china->TabControl1->setCurrentIndex(1);
    // The branch bar before the element bar: that branch with Metal.
    china->TrackBar1->setValue(1);
    QVERIFY(china->YearsLabel->text().startsWith(QStringLiteral("1711\n1771\n")));
    QTest::keyClicks(china->Edit1, QStringLiteral("1984"));
    QCOMPARE(china->TrackBar2->value(), 2);
    QCOMPARE(china->TrackBar1->value(), 10);
    QCOMPARE(china->Coverflow->Front(), 10);
    QCOMPARE(china->Coverflow2->Front(), 2);
    QCOMPARE(china->YearsLabel->text(), QStringLiteral("1744\n1804\n1864\n1924\n1984\n2044\n2104\n"));

    // The branch bar keeps the element chosen: the Wood Rabbit.
    china->TrackBar1->setValue(1);
    QVERIFY(china->YearsLabel->text().startsWith(QStringLiteral("1735\n1795\n")));
}

void tst_dateconverters::japaneseConverter()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    SetSeriesYears(program, {1868, 1945, 2020, 1700});
    program.Trigger(QStringLiteral("JapaneseDateConverter1"));
    auto *japanese = form.findChild<TJapaneseForm *>();
    QVERIFY(japanese);
    QCOMPARE(japanese->Label3->text(), QStringLiteral("令和"));
    QCOMPARE(japanese->Grid1->rowCount(), std::min(32, QDate::currentDate().year() - 2018));
    QCOMPARE(japanese->Grid1->item(0, 0)->text(), QStringLiteral("元"));
    QCOMPARE(japanese->Grid1->item(0, 1)->text(), QStringLiteral("1 (2019)"));

    QTest::mouseClick(japanese->NextButton, Qt::LeftButton);
    QCOMPARE(japanese->EmperorIndex, 7);
    QTest::mouseClick(japanese->PrevButton, Qt::LeftButton);
    QTest::mouseClick(japanese->PrevButton, Qt::LeftButton);
    QTest::mouseClick(japanese->PrevButton, Qt::LeftButton);
    QCOMPARE(japanese->Label3->text(), QStringLiteral("昭和"));
    QCOMPARE(japanese->Grid1->rowCount(), 64);
    japanese->Grid1->setCurrentCell(19, 0);
    QCOMPARE(japanese->Grid1->item(19, 0)->text(), QStringLiteral("十二"));
    QCOMPARE(japanese->FullDateLabel->text(), QStringLiteral("年十二和昭"));
    QCOMPARE(japanese->DirectionLabel->text(), QStringLiteral("Read right to left"));
    japanese->Grid1->setCurrentCell(22, 0);
    QCOMPARE(japanese->FullDateLabel->text(), QStringLiteral("昭和二十三年"));
    QCOMPARE(japanese->DirectionLabel->text(), QStringLiteral("Read left to right"));

    QCOMPARE(japanese->Grid2->rowCount(), 3);
    QCOMPARE(japanese->Grid2->item(0, 0)->text(), QStringLiteral("年三十二化弘"));
    QCOMPARE(japanese->Grid2->item(0, 1)->text(), QStringLiteral("23"));
    QCOMPARE(japanese->Grid2->item(1, 0)->text(), QStringLiteral("年十二和昭"));
    QCOMPARE(japanese->Grid2->item(2, 0)->text(), QStringLiteral("令和二年"));
}

void tst_dateconverters::ethiopianConverter()
{
    tProgramFixture program;
    TMainForm &form = program.Open();
    SetSeriesYears(program, {2008, 1990, 1500});
    program.Trigger(QStringLiteral("EthiopianDateConverter1"));
    auto *ethiopian = form.findChild<TEthiopianForm *>();
    QVERIFY(ethiopian);
    const int year = QDate::currentDate().year();
    QCOMPARE(ethiopian->Edit1->text(), QString::number(year));
    QCOMPARE(ethiopian->Edit2->text(), QString::number(year - 8));

    ethiopian->Edit1->clear();
    QTest::keyClicks(ethiopian->Edit1, QStringLiteral("1990"));
    QCOMPARE(ethiopian->Edit2->text(), QStringLiteral("1982"));
    QCOMPARE(ethiopian->LabelCentury->text(), QStringLiteral("1900"));
    QCOMPARE(ethiopian->LabelDecade->text(), QStringLiteral("80"));
    QCOMPARE(ethiopian->LabelYear->text(), QStringLiteral("2"));

    // A wheel rewrites both boxes.
    QTest::mouseClick(ethiopian->UpButtons[TEthiopianForm::Century], Qt::LeftButton);
    QCOMPARE(ethiopian->LabelCentury->text(), QStringLiteral("2000"));
    QCOMPARE(ethiopian->Edit2->text(), QStringLiteral("2082"));
    QCOMPARE(ethiopian->Edit1->text(), QStringLiteral("2090"));

    // A year off the wheels leaves them.
    ethiopian->Edit2->clear();
    QTest::keyClicks(ethiopian->Edit2, QStringLiteral("1599"));
    QCOMPARE(ethiopian->Edit1->text(), QStringLiteral("1607"));
    QCOMPARE(ethiopian->LabelCentury->text(), QStringLiteral("2000"));
    ethiopian->Edit2->clear();
    QTest::keyClicks(ethiopian->Edit2, QStringLiteral("8"));
    QCOMPARE(ethiopian->Edit1->text(), QString());

    QCOMPARE(ethiopian->Grid1->rowCount(), 3);
    QCOMPARE(ethiopian->Grid1->item(0, 0)->text(), QString::fromUtf8("፪ ሺ ሻ"));
    QCOMPARE(ethiopian->Grid1->item(1, 0)->text(), QString::fromUtf8("፲ ፱ ፻ ፹ ፪"));
    QCOMPARE(ethiopian->Grid1->item(2, 0)->text(), QString());
    QCOMPARE(ethiopian->Grid1->item(2, 1)->text(), QStringLiteral("1492"));
}

QTEST_MAIN(tst_dateconverters)
#include "tst_dateconverters.moc"
