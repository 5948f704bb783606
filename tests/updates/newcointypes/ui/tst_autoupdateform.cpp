#include <QtTest>

#include <QCheckBox>
#include <QPushButton>

#include "core/program/settings.h"
#include "support/recordingstores.h"
#include "updates/newcointypes/ui/autoupdateform.h"

namespace {

struct Fixture {
    tMainState s;
    RecordingSettings settings;  // "PLU", the lists the last download fetched
    // What an earlier download stored.
    void SetPlu(const QString &v) { settings.Seed(QStringLiteral("PLU"), v); }
    QString Plu() const { return ReadRegString(QStringLiteral("PLU"), QString()); }
    qsizetype PluWrites() const { return settings.Writes.count(QStringLiteral("PLU")); }
    int captions = 0;

    Fixture()
    {
        Add(40, QStringLiteral("Belgium"), 4, false);
        Add(41, QStringLiteral("Chile"), 3, false);
        Add(340, QStringLiteral("Belgium Paper"), 4, true);
        Add(1200, QStringLiteral("Your own"), 8, false);
        QObject::connect(s.Events.get(), &tStateEvents::SetMainCaption, [this] { ++captions; });
    }
    void Add(int id, const QString &name, int continent, bool paper)
    {
        auto c = std::make_unique<tCountryInfo>();
        c->CountryID = id;
        c->Name = name;
        c->Description = name;
        c->Continent = continent;
        c->IsPaper = paper;
        s.CountryList.push_back(std::move(c));
    }
};

QCheckBox *Row(QWidget *form, int country)
{
    return form->findChild<QCheckBox *>(QStringLiteral("AutoAddCheckBox%1").arg(country));
}

void Click(QWidget *form, const char *name)
{
    form->findChild<QPushButton *>(QString::fromLatin1(name))->click();
}

} // namespace

class tst_AutoUpdateForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newCollectionStoresOnlyTheUnchecked()
    {
        Fixture f;
        auto *form = OpenAutoUpdateForm(f.s, nullptr);
        QVERIFY(AutoUpdateInUse);
        QCOMPARE(form->windowTitle(), QStringLiteral("Adding new coin types"));
        for (int id : {40, 41, 340, 1200})
            QVERIFY(Row(form, id)->isChecked());
        // Rows are walked in caption order: coins before paper.
        QCOMPARE(form->CheckBoxList().front().Country->CountryID, 40);
        QCOMPARE(form->CheckBoxList().back().Country->CountryID, 340);
        QCOMPARE(Row(form, 340)->text(), QStringLiteral("Paper: Belgium Paper"));
        Row(form, 41)->setChecked(false);
        Row(form, 1200)->setChecked(false);
        Click(form, "OKbutton");
        QTRY_VERIFY(!AutoUpdateForm);
        QVERIFY(!AutoUpdateInUse);
        QCOMPARE(f.s.AutoAddStr.size(), 1000);
        QCOMPARE(f.s.AutoAddStr.count(QLatin1Char('N')), 1);
        QCOMPARE(f.s.AutoAddStr[41], QLatin1Char('N'));
        // It is stored in the collection file: the change marks it.
        QVERIFY(f.s.DataModified);
        QCOMPARE(f.captions, 1);
    }

    void lastUpdateWinsAndOkWithoutChangeMarksNothing()
    {
        Fixture f;
        f.s.AutoAddStr = QString(1000, QLatin1Char('Y'));
        f.s.AutoAddStr[40] = QLatin1Char('N');
        f.s.AutoAddStr[41] = QLatin1Char('N');
        f.SetPlu(QStringLiteral("40,7"));
        auto *form = OpenAutoUpdateForm(f.s, nullptr);
        QVERIFY(Row(form, 40)->isChecked());
        QVERIFY(!Row(form, 41)->isChecked());
        Row(form, 40)->setChecked(false);
        Click(form, "OKbutton");
        QTRY_VERIFY(!AutoUpdateForm);
        QCOMPARE(f.s.AutoAddStr[40], QLatin1Char('N'));
        QVERIFY(!f.s.DataModified);

        // OK with the same choice changes nothing.
        const QString before = f.s.AutoAddStr;
        f.SetPlu(QString());
        OpenAutoUpdateForm(f.s, nullptr);
        Click(AutoUpdateForm, "OKbutton");
        QTRY_VERIFY(!AutoUpdateForm);
        QCOMPARE(f.s.AutoAddStr, before);
        QVERIFY(!f.s.DataModified);
        QCOMPARE(f.captions, 0);
    }

    void selectionButtonsAndCancel()
    {
        Fixture f;
        f.s.AutoAddStr = QStringLiteral("abc");
        auto *form = OpenAutoUpdateForm(f.s, nullptr);
        // A second opening brings the same window.
        QCOMPARE(OpenAutoUpdateForm(f.s, nullptr), form);
        Click(form, "SelectPaperBtn");
        QVERIFY(Row(form, 340)->isChecked());
        QVERIFY(!Row(form, 40)->isChecked());
        Click(form, "SelectCoinsBtn");
        QVERIFY(!Row(form, 340)->isChecked());
        QVERIFY(Row(form, 1200)->isChecked());
        Click(form, "SelectNoneBtn");
        QVERIFY(!Row(form, 41)->isChecked());
        Click(form, "SelectAllBtn");
        QVERIFY(Row(form, 41)->isChecked());
        Click(form, "SelectNoneBtn");
        Click(form, "CancelButton");
        QTRY_VERIFY(!AutoUpdateForm);
        QCOMPARE(f.s.AutoAddStr, QStringLiteral("abc"));
        QVERIFY(!f.s.DataModified);
    }
};

QTEST_MAIN(tst_AutoUpdateForm)
#include "tst_autoupdateform.moc"
