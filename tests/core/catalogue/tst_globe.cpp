#include <QtTest>

#include "core/catalogue/globe.h"

class tst_Globe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mapKnowsLandFromSea_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<bool>("land");
        QTest::newRow("central Africa") << 5.0 << 20.0 << true;
        QTest::newRow("Kansas") << 38.0 << -97.0 << true;
        QTest::newRow("central Australia") << -25.0 << 134.0 << true;
        QTest::newRow("Japan") << 36.0 << 138.0 << true;
        QTest::newRow("England") << 52.5 << -1.5 << true;
        QTest::newRow("mid Pacific") << 0.0 << -150.0 << false;
        QTest::newRow("south Atlantic") << -30.0 << -15.0 << false;
        QTest::newRow("Indian Ocean") << -20.0 << 80.0 << false;
    }
    void mapKnowsLandFromSea()
    {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(bool, land);
        static const QImage map = WorldTexture();
        QCOMPARE(map.size(), QSize(720, 360));
        QCOMPARE(WorldTextureIsLand(map, lat, lon), land);
    }

    void turnedGlobeFacesItsLocation_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::newRow("equator and meridian") << 0.0 << 0.0;
        QTest::newRow("Tokyo") << 36.0 << 138.0;
        QTest::newRow("south of the date line") << -41.0 << -179.0;
    }
    void turnedGlobeFacesItsLocation()
    {
        QFETCH(double, lat);
        QFETCH(double, lon);
        double outLat = 0, outLon = 0;
        QVERIFY(GlobePointAt(200, lat, lon, 100, 100, outLat, outLon));
        QVERIFY(std::abs(outLat - lat) < 1e-9);
        QVERIFY(std::abs(outLon - lon) < 1e-9);
        // Up on the screen is north.
        QVERIFY(GlobePointAt(200, lat, lon, 100, 60, outLat, outLon));
        QVERIFY(outLat > lat);
        // Corners lie off the globe.
        QVERIFY(!GlobePointAt(200, lat, lon, 2, 2, outLat, outLon));
    }

    void renderedGlobeShowsTheMapAtItsCentre()
    {
        const QImage map = WorldTexture();
        const QImage overAfrica = RenderGlobe(map, 120, 5, 20);
        const QColor land = overAfrica.pixelColor(60, 60);
        QVERIFY(land.green() > land.blue());
        const QImage overPacific = RenderGlobe(map, 120, 0, -150);
        const QColor sea = overPacific.pixelColor(60, 60);
        QVERIFY(sea.blue() > sea.green());
        QCOMPARE(overPacific.pixelColor(1, 1).alpha(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Globe)
#include "tst_globe.moc"
