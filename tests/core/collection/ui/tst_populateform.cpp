#include <QtTest>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "core/collection/ui/populateform.h"
#include "support/coinentryfixture.h"

class tst_PopulateForm : public QObject {
    Q_OBJECT

    std::unique_ptr<tCoinFixture> f;

    QListWidget *List(TPopulateForm *w) const { return w->findChild<QListWidget *>("ListBox1"); }

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<tCoinFixture>();
        f->s.CurrGradeList = {{QStringLiteral("VF-20"), 12}, {QStringLiteral("MS-65"), 25}};
        f->AddPrice(1990, QStringLiteral("P"));
        f->AddPrice(1990, QStringLiteral("D"));
        f->AddPrice(1991, QStringLiteral("P"));
        f->AddCoin(1990, QStringLiteral("D"));
    }
    void cleanup()
    {
        for (auto *w : QApplication::topLevelWidgets())
            if (qobject_cast<TPopulateForm *>(w))
                delete w;
        f.reset();
    }

    // The varieties without entries are checked; OK makes their entries
    // with the chosen grade and closes the one window.
    void checkedVarietiesBecomeEntries()
    {
        TPopulateForm *w = TPopulateForm::Open(f->s);
        QVERIFY(TPopulateForm::InUse());
        QCOMPARE(TPopulateForm::Open(f->s), w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Orvanta: Populate a series"));
        QListWidget *list = List(w);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->checkState(), Qt::Checked);
        QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);  // 1990 D has an entry
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        list->item(2)->setCheckState(Qt::Unchecked);
        w->findChild<QComboBox *>("ComboBox1")->setCurrentIndex(1);

        QPointer<TPopulateForm> guard(w);
        QTest::mouseClick(w->findChild<QPushButton *>("OKButton"), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(!TPopulateForm::InUse());
        QCOMPARE(f->s.CoinList.size(), size_t(2));
        const tCoinInfo &made = *f->s.CoinList.back();
        QCOMPARE(made.Year, 1990);
        QCOMPARE(made.Mint, QStringLiteral("P"));
        QCOMPARE(made.Grade, 25);
        QCOMPARE(made.Have, 0);
    }

    void okFollowsTheChecksAndCancelMakesNothing()
    {
        TPopulateForm *w = TPopulateForm::Open(f->s);
        auto *ok = w->findChild<QPushButton *>("OKButton");
        QVERIFY(ok->isEnabled());
        for (int i = 0; i < List(w)->count(); ++i)
            List(w)->item(i)->setCheckState(Qt::Unchecked);
        QVERIFY(!ok->isEnabled());
        QPointer<TPopulateForm> guard(w);
        QTest::mouseClick(w->findChild<QPushButton *>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(f->s.CoinList.size(), size_t(1));
        QVERIFY(!f->s.DataModified);
    }

    void seriesWithoutPricesListsNothing()
    {
        f->Select(f->Dimes);
        TPopulateForm *w = TPopulateForm::Open(f->s);
        QCOMPARE(List(w)->count(), 0);
        QVERIFY(!w->findChild<QPushButton *>("OKButton")->isEnabled());
    }
};

QTEST_MAIN(tst_PopulateForm)
#include "tst_populateform.moc"
