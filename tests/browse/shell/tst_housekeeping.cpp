#include <QSet>
#include <QtTest>

#include <stdexcept>

#include "core/collection/collectionlifecycle.h"
#include "core/program/errorreport.h"
#include "browse/shell/housekeeping.h"

using Calls = QStringList;

namespace {

// A state whose window-side steps record what a tick asked of them.
struct tTickFixture {
    tMainState s;
    tHousekeeping h{s};
    Calls calls;
    QTemporaryDir dir;

    tTickFixture()
    {
        s.BackupsRedirect = dir.filePath("Backups") + QLatin1Char('/');
        QObject::connect(s.Events.get(), &tStateEvents::SetMainCaption,
                         [this] { calls << QStringLiteral("caption: ") + MainCaption(s); });
        QObject::connect(s.Events.get(), &tStateEvents::SaveEbookIndexes,
                         [this] { calls << QStringLiteral("save eBook indexes"); });
        QObject::connect(s.Events.get(), &tStateEvents::SavePricesToFile, [this] {
            calls << QStringLiteral("save prices");
            s.PricesModified = false;
        });
        h.Steps.SetTimerEnabled = [this](bool on) { calls << (on ? QStringLiteral("timer on") : QStringLiteral("timer off")); };
        h.Steps.ShowStatistics = [this] { calls << QStringLiteral("show statistics"); };
        h.Steps.UpdateSizeGrip = [this] { calls << QStringLiteral("size grip"); };
        h.Steps.ErrorWindowOpen = [] { return false; };
        h.Steps.HomingWalk = [this] {
            calls << QStringLiteral("homing walk");
            return false;
        };
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            h.tick();
    }
    // The calls of the auto-save, without the steps every tick makes; a
    // caption refreshed unchanged right away once.
    Calls SaveCalls() const
    {
        Calls out;
        for (const QString &c : calls)
            if (c != QLatin1String("size grip") && c != QLatin1String("homing walk") && (out.isEmpty() || out.last() != c))
                out << c;
        return out;
    }
};

} // namespace

class tst_Housekeeping : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tickRunsItsStepsInOrder()
    {
        tTickFixture f;
        f.h.RepaintCalc = true;
        f.s.NextCoinSort = 2;
        f.s.NextCoinSortCounter = 1;
        f.h.tick();
        QCOMPARE(f.calls, (Calls{"show statistics", "size grip", "homing walk"}));
        QVERIFY(!f.h.RepaintCalc);
        QCOMPARE(f.s.NextCoinSortCounter, 0);
        f.calls.clear();
        f.h.tick();  // the statistics are answered once
        QCOMPARE(f.calls, (Calls{"size grip", "homing walk"}));
        QCOMPARE(f.s.NextCoinSort, 0);
    }

    void autoSaveOffDoesNotCount()
    {
        tTickFixture f;
        f.s.AutoSave = false;
        f.s.AutoSaveTicks = 100;
        f.s.DataModified = true;
        f.s.LastFileName = f.dir.filePath("Auto.OVD");
        f.Ticks(300);
        QCOMPARE(f.s.AutoSaveTicks, 100);
        QVERIFY(f.SaveCalls().isEmpty());
        // Switched on, it counts on from where it stood.
        f.s.AutoSave = true;
        f.Ticks(19);
        QVERIFY(!QFile::exists(f.s.LastFileName));
        f.Ticks(1);
        QVERIFY(QFile::exists(f.s.LastFileName));
        QVERIFY(!f.s.DataModified);
        QCOMPARE(f.s.AutoSaveTicks, 0);
    }

    // The 120th tick: caption, timer off, the saves, timer on, caption back.
    void autoSaveEvery120thTick_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("pricesModified");
        QTest::addColumn<Calls>("expected");
        QTest::newRow("named collection, prices changed")
            << true << true
            << Calls{"caption: Auto save in progress", "timer off", "caption: Auto save in progress", "save prices",
                     "save eBook indexes", "timer on", "caption: Orvanta [Auto.OVD]"};
        QTest::newRow("never saved: not written, the rest is")
            << false << false
            << Calls{"caption: Auto save in progress", "timer off", "save eBook indexes", "timer on",
                     "caption: Orvanta [New File] (Modified)"};
    }
    void autoSaveEvery120thTick()
    {
        QFETCH(bool, named);
        QFETCH(bool, pricesModified);
        QFETCH(Calls, expected);
        tTickFixture f;
        f.s.DataModified = true;
        f.s.PricesModified = pricesModified;
        if (named)
            f.s.LastFileName = f.dir.filePath("Auto.OVD");
        f.Ticks(119);
        QVERIFY(f.SaveCalls().isEmpty());
        f.Ticks(1);
        QCOMPARE(f.SaveCalls(), expected);
        QCOMPARE(f.s.DataModified, !named);
        QCOMPARE(QFile::exists(f.dir.filePath("Auto.OVD")), named);
    }

    void failedAutoSaveTurnsTheTimerBackOn()
    {
        tTickFixture f;
        f.s.PricesModified = true;
        // The write fails instead of the fixture's recording one.
        QObject::disconnect(f.s.Events.get(), &tStateEvents::SavePricesToFile, nullptr, nullptr);
        tStateEvents *events = f.s.Events.get();
        QObject::connect(events, &tStateEvents::SavePricesToFile, [events] {
            events->RunCommand([] { throw std::runtime_error("disk full"); });
        });
        f.Ticks(119);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.h.tick());
        const Calls calls = f.SaveCalls();
        QCOMPARE(calls.value(calls.size() - 2), QStringLiteral("timer on"));
        QCOMPARE(calls.last(), QStringLiteral("caption: Orvanta [New File]"));
        QCOMPARE(f.s.AutoSaveTicks, 0);
        QVERIFY(!f.s.AutoSaveInProgress);
        // The next attempt follows a full interval later.
        f.calls.clear();
        f.Ticks(119);
        QVERIFY(f.SaveCalls().isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.h.tick());
    }

    void homingWaitsForErrorWindowAndGlides_data()
    {
        QTest::addColumn<bool>("errorOpen");
        QTest::addColumn<bool>("gliding");
        QTest::addColumn<bool>("walks");
        QTest::newRow("nothing in the way") << false << false << true;
        QTest::newRow("error window open") << true << false << false;
        QTest::newRow("a glide runs") << false << true << false;
    }
    void homingWaitsForErrorWindowAndGlides()
    {
        QFETCH(bool, errorOpen);
        QFETCH(bool, gliding);
        QFETCH(bool, walks);
        tTickFixture f;
        f.h.Steps.ErrorWindowOpen = [errorOpen] { return errorOpen; };
        f.h.Steps.GlideRunning = [gliding] { return gliding; };
        f.h.tick();
        QCOMPARE(f.calls.contains("homing walk"), walks);
        // Unset, the process-wide flag of the error window decides.
        f.h.Steps.ErrorWindowOpen = nullptr;
        f.h.Steps.GlideRunning = nullptr;
        f.calls.clear();
        ErrorInUse = errorOpen;
        f.h.tick();
        ErrorInUse = false;
        QCOMPARE(f.calls.contains("homing walk"), !errorOpen);
    }

    void homeGlide_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QList<double>>("glide");  // from x, to x, from y, to y; empty: none
        QTest::addColumn<bool>("raise");
        const QList<double> none;
        const auto edge = int(tHomeVariant::Edge);
        const auto centring = int(tHomeVariant::Centring);
        QTest::newRow("on the screen") << edge << QRect(100, 100, 300, 200) << none << false;
        QTest::newRow("50 beyond the right edge")
            << edge << QRect(1670, 100, 300, 200) << QList<double>{1670, 1620, 100, 100} << true;
        QTest::newRow("above and left")
            << edge << QRect(-20, -5, 300, 200) << QList<double>{-20, 0, -5, 0} << true;
        QTest::newRow("below the bottom") << edge << QRect(10, 1000, 300, 200) << QList<double>{10, 10, 1000, 880} << true;
        QTest::newRow("edge without raising")
            << int(tHomeVariant::EdgeNoRaise) << QRect(-1, 0, 300, 200) << QList<double>{-1, 0, 0, 0} << false;
        QTest::newRow("centring, one off the top")
            << centring << QRect(100, -1, 301, 200) << QList<double>{100, 809.5, -1, 440} << true;
        QTest::newRow("centring on the screen") << centring << QRect(0, 0, 1920, 1080) << none << false;
    }
    void homeGlide()
    {
        QFETCH(int, variant);
        QFETCH(QRect, window);
        QFETCH(QList<double>, glide);
        QFETCH(bool, raise);
        const tHomeGlide g = HomeGlide(tHomeVariant(variant), window, QSize(1920, 1080));
        QCOMPARE(g.Started(), !glide.isEmpty());
        QCOMPARE(g.Raise, raise);
        if (glide.isEmpty())
            return;
        // An axis that needs no glide stays where it is.
        const QList<double> x = g.GlideX ? QList<double>{g.FromX, g.ToX} : QList<double>{1.0 * window.x(), 1.0 * window.x()};
        const QList<double> y = g.GlideY ? QList<double>{g.FromY, g.ToY} : QList<double>{1.0 * window.y(), 1.0 * window.y()};
        QCOMPARE(x, glide.mid(0, 2));
        QCOMPARE(y, glide.mid(2, 2));
    }

    // At most one window starts to glide per walk: the first open one that
    // lies off the screen, in the table's order.
    void tableKeepsTheWalkOrderWithOnePlaceEach()
    {
        // Two windows at one place would make the walk's order depend on
        // which was added first.
        const std::vector<tHomingRow> &rows = HomingTable();
        QVERIFY(!rows.empty());
        QSet<QString> names;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (i > 0)
                QVERIFY2(rows[i - 1].Order < rows[i].Order, qPrintable(rows[i].Window));
            QVERIFY2(!names.contains(rows[i].Window), qPrintable(rows[i].Window));
            names.insert(rows[i].Window);
        }
    }

    void walkStopsAtTheFirstGlide_data()
    {
        QTest::addColumn<QStringList>("open");
        QTest::addColumn<QStringList>("offScreen");
        QTest::addColumn<QStringList>("visited");
        QTest::addColumn<bool>("glided");
        QTest::newRow("two off screen: the first in order")
            << QStringList{"TPopulateForm", "TPriceUpdateForm"} << QStringList{"TPopulateForm", "TPriceUpdateForm"}
            << QStringList{"TPriceUpdateForm"} << true;
        QTest::newRow("one on screen earlier does not block")
            << QStringList{"TPriceUpdateForm", "TPopulateForm"} << QStringList{"TPopulateForm"}
            << QStringList{"TPriceUpdateForm", "TPopulateForm"} << true;
        QTest::newRow("closed windows are passed over")
            << QStringList{"TFileToOpenForm"} << QStringList{"TPopulateForm"} << QStringList{"TFileToOpenForm"}
            << false;
    }
    void walkStopsAtTheFirstGlide()
    {
        QFETCH(QStringList, open);
        QFETCH(QStringList, offScreen);
        QFETCH(QStringList, visited);
        QFETCH(bool, glided);
        QStringList seen;
        const bool started = HomingWalk(
            HomingTable(), [&](const tHomingRow &r) { return open.contains(r.Window); },
            [&](const tHomingRow &r) {
                seen << r.Window;
                return offScreen.contains(r.Window);
            });
        QCOMPARE(seen, visited);
        QCOMPARE(started, glided);
    }

    void longHint_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("shown");
        QTest::newRow("short and long") << "Save|Saves the collection" << "Saves the collection";
        QTest::newRow("no bar") << "Saves the collection" << "Saves the collection";
        QTest::newRow("second bar kept") << "a|b|c" << "b|c";
        QTest::newRow("empty") << "" << "";
    }
    void longHint()
    {
        QFETCH(QString, hint);
        QFETCH(QString, shown);
        QCOMPARE(LongHint(hint), shown);
    }
};

QTEST_GUILESS_MAIN(tst_Housekeeping)
#include "tst_housekeeping.moc"
