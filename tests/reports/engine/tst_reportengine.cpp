#include <QtTest>

#include <QImage>
#include <QTemporaryDir>

#include "platform/gif.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportexport.h"

namespace {

// A data set over a list of rows, each row a list of (field, value).
struct tRowsDataSet {
    explicit tRowsDataSet(const QString &name) { ds.UserName = name; Bind(); }
    tReportDataSet ds;
    std::vector<std::map<QString, tReportValue>> rows;
    int cursor = 0;
    QStringList asked;

    void Bind()
    {
        ds.First = [this] { cursor = 0; };
        ds.Next = [this] { ++cursor; };
        ds.Prior = [this] { --cursor; };
        ds.Eof = [this] { return cursor >= static_cast<int>(rows.size()); };
        ds.Value = [this](const QString &f) {
            asked.append(f);
            if (rows.empty())
                return tReportValue();
            const auto &row = rows[static_cast<size_t>(std::min<int>(cursor, static_cast<int>(rows.size()) - 1))];
            auto it = row.find(f);
            return it == row.end() ? tReportValue() : it->second;
        };
    }
};

tReportTemplate Parse(const QString &xml)
{
    return ParseReportTemplate(xml.toUtf8(), QStringLiteral("test.FR3"));
}

// A 100 mm high page: 80 mm between the margins, 10 mm of it footer.
const char *const ListTemplate = R"(<?xml version="1.0"?>
<OrvantaReport version="1" title="Coins">
  <Page width="100" height="100" left="10" top="10" right="10" bottom="10"/>
  <Band kind="PageHeader" height="5"><Text x="0" y="0" w="80" h="5">Header</Text></Band>
  <Band kind="ReportTitle" height="10"><Text x="0" y="0" w="80" h="10">Title</Text></Band>
  <Band kind="GroupHeader" height="5" condition='[Coins."Series"]'><Text x="0" y="0" w="80" h="5">Series [Coins."Series"]</Text></Band>
  <Band kind="MasterData" dataset="coins" height="10">
    <Text x="0" y="0" w="20" h="10">[Coins."Year"]</Text>
    <Text x="20" y="0" w="30" h="10" format="money:#,##0.00">[Coins."Value ($£€¥)/EUR"]</Text>
  </Band>
  <Band kind="Summary" height="5"><Text x="0" y="0" w="80" h="5">End</Text></Band>
  <Band kind="PageFooter" height="10"><Text x="0" y="0" w="80" h="10">Page [Page] of [Pages]</Text></Band>
</OrvantaReport>)";

} // namespace

Q_DECLARE_METATYPE(tReportValue)

class tst_ReportEngine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rejectsTemplatesItCannotUse_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("another XML format") << "<html><body/></html>" << "is not an Orvanta report template";
        QTest::newRow("not XML") << "PK\x03\x04 binary" << "cannot be read";
        QTest::newRow("newer format") << R"(<OrvantaReport version="9"/>)" << "newer version";
        QTest::newRow("unknown band") << R"(<OrvantaReport><Band kind="Detail" height="5"/></OrvantaReport>)"
                                      << "unknown band kind";
        QTest::newRow("band twice") << R"(<OrvantaReport><Band kind="Summary" height="5"/><Band kind="summary" height="5"/></OrvantaReport>)"
                                    << "appears twice";
        QTest::newRow("master without data set") << R"(<OrvantaReport><Band kind="MasterData" height="5"/></OrvantaReport>)"
                                                 << "names no data set";
        QTest::newRow("open field") << "<OrvantaReport><Band kind='Summary' height='5'><Text>[Coins.&quot;Year]</Text></Band></OrvantaReport>"
                                    << "not closed";
        QTest::newRow("unknown word") << R"(<OrvantaReport><Band kind="Summary" height="5"><Text>[Today]</Text></Band></OrvantaReport>)"
                                      << "neither a field";
        QTest::newRow("bad format") << R"(<OrvantaReport><Band kind="Summary" height="5"><Text format="roman">x</Text></Band></OrvantaReport>)"
                                    << "unknown display format";
        QTest::newRow("unclosed element") << R"(<OrvantaReport><Band kind="Summary" height="5">)" << "cannot be read";
        // Numbers that read as numbers but no page can be laid out with.
        QTest::newRow("page of kilometres") << R"(<OrvantaReport><Page width="1e9" height="297"/></OrvantaReport>)"
                                            << "width=\"1e9\" lies outside -2000 to 2000";
        QTest::newRow("page height nan") << R"(<OrvantaReport><Page height="nan"/></OrvantaReport>)"
                                         << "height=\"nan\" is not a number";
        QTest::newRow("margin inf") << R"(<OrvantaReport><Page left="inf"/></OrvantaReport>)"
                                    << "left=\"inf\" is not a number";
        QTest::newRow("band height inf") << R"(<OrvantaReport><Band kind="Summary" height="inf"/></OrvantaReport>)"
                                         << "height=\"inf\" is not a number";
        QTest::newRow("band height of kilometres")
            << R"(<OrvantaReport><Band kind="Summary" height="5000000"/></OrvantaReport>)" << "lies outside";
        QTest::newRow("object position nan")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text x="NaN" w="5" h="5">x</Text></Band></OrvantaReport>)"
            << "x=\"NaN\" is not a number";
        QTest::newRow("object far away")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text y="-1e300" w="5" h="5">x</Text></Band></OrvantaReport>)"
            << "lies outside";
        QTest::newRow("huge object")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Picture w="1e12" h="5"/></Band></OrvantaReport>)"
            << "lies outside";
        QTest::newRow("line to infinity")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Line x2="-inf"/></Band></OrvantaReport>)"
            << "is not a number";
        QTest::newRow("font size beyond reason")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text size="1e7">x</Text></Band></OrvantaReport>)"
            << "lies outside";
        QTest::newRow("group footer without its header")
            << R"(<OrvantaReport><Band kind="GroupHeader" height="5" condition="x"/><Band kind="GroupFooter" level="2" height="5"/></OrvantaReport>)"
            << "group footer of level 2 has no group header";
        QTest::newRow("group footer twice")
            << R"(<OrvantaReport><Band kind="GroupHeader" height="5" condition="x"/><Band kind="GroupFooter" height="5"/><Band kind="GroupFooter" level="1" height="5"/></OrvantaReport>)"
            << "appears twice";
        QTest::newRow("sum without a field")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text>[SUM(Coins)]</Text></Band></OrvantaReport>)"
            << "[SUM(DataSet.";
        QTest::newRow("count of a field")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text>[COUNT(Coins."Year")]</Text></Band></OrvantaReport>)"
            << "[COUNT(DataSet)]";
        QTest::newRow("frame width inf")
            << R"(<OrvantaReport><Band kind="Summary" height="5"><Text frameWidth="inf">x</Text></Band></OrvantaReport>)"
            << "is not a number";
    }

    void rejectsTemplatesItCannotUse()
    {
        QFETCH(QString, xml);
        QFETCH(QString, message);
        try {
            Parse(xml);
            QFAIL("no error");
        } catch (const tReportError &e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
            QVERIFY(QString::fromUtf8(e.what()).contains(QLatin1String("test.FR3")));
        }
    }

    void missingTemplateIsAClearError()
    {
        QTemporaryDir dir;
        tReportEngine engine;
        try {
            engine.LoadFromFile(dir.filePath(QStringLiteral("Gone.FR3")));
            QFAIL("no error");
        } catch (const tReportError &e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(QLatin1String("was not found")));
        }
        QVERIFY(!engine.HasTemplate());
    }

    void parsesFieldReferencesVerbatim()
    {
        const auto parts = ParseReportText(QStringLiteral("[[x] [Coins.\"Value ($£€¥)/EUR\"] [page]/[Pages]"));
        QCOMPARE(parts.size(), size_t(6));
        QCOMPARE(parts[0].Text, QStringLiteral("[x] "));
        QCOMPARE(parts[1].Kind, tTextPart::FieldPart);
        QCOMPARE(parts[1].DataSet, QStringLiteral("Coins"));
        QCOMPARE(parts[1].Field, QStringLiteral("Value ($£€¥)/EUR"));
        QCOMPARE(parts[3].Kind, tTextPart::PageNumberPart);
        QCOMPARE(parts[4].Text, QStringLiteral("/"));
        QCOMPARE(parts[5].Kind, tTextPart::PageCountPart);
    }

    void listsDataSetsOnceIgnoringCase()
    {
        const tReportTemplate t = Parse(QStringLiteral(R"(<OrvantaReport>
            <Band kind="ReportTitle" height="5"><Text>[Collection."Coins on file"] [collection."Current series"]</Text>
              <Picture dataset="Series" field="Series obverse image"/></Band>
            <Band kind="MasterData" dataset="Coins" height="5"><Text>[COINS."Year"]</Text></Band>
        </OrvantaReport>)"));
        QCOMPARE(t.DataSetNames(), (QStringList{QStringLiteral("Collection"), QStringLiteral("Series"),
                                                QStringLiteral("Coins")}));
        tReportEngine engine;
        engine.SetTemplate(t);
        QVERIFY(engine.UsesDataSet(QStringLiteral("coins")));
        QVERIFY(!engine.UsesDataSet(QStringLiteral("Prices")));
    }

    void laysBandsOutOnPages()
    {
        tRowsDataSet coins(QStringLiteral("Coins"));
        for (int i = 0; i < 11; ++i)
            coins.rows.push_back({{QStringLiteral("Year"), tReportValue::FromInteger(1900 + i)},
                                  {QStringLiteral("Series"), tReportValue::FromText(i < 4 ? "Cents" : "Dimes")},
                                  {QStringLiteral("Value ($£€¥)/EUR"), tReportValue::FromMoney(12345678)}});
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromUtf8(ListTemplate)));
        QList<int> progress;
        engine.OnProgress = [&](int page) { progress.append(page); };
        QVERIFY(engine.Prepare());

        // The body ends at 80 mm (100 less the bottom margin and footer).
        // Page 1: header to 15, title to 25, group to 30, four rows to 70;
        // the next group and its first row would end at 85. Page 2: header,
        // group to 20, six rows, the last ending exactly at 80.
        const auto r = engine.Prepared();
        QCOMPARE(r->PageCount(), 3);
        QCOMPARE(progress, (QList<int>{1, 2, 3}));
        QCOMPARE(r->PageTexts(0),
                 (QStringList{"Header", "Title", "Series Cents", "1900", "1,234.57", "1901", "1,234.57", "1902",
                              "1,234.57", "1903", "1,234.57", "Page 1 of 3"}));
        // The group header does not stay behind alone at the foot of page 1.
        const QStringList second = r->PageTexts(1);
        QCOMPARE(second.mid(0, 4), (QStringList{"Header", "Series Dimes", "1904", "1,234.57"}));
        QCOMPARE(second.mid(second.size() - 3), (QStringList{"1909", "1,234.57", "Page 2 of 3"}));
        QCOMPARE(r->PageTexts(2), (QStringList{"Header", "1910", "1,234.57", "End", "Page 3 of 3"}));
        QVERIFY(coins.asked.contains(QStringLiteral("Value ($£€¥)/EUR")));

        // The footer sits at the bottom margin whatever the body holds.
        for (const tPreparedItem &i : r->Pages[2].Items)
            if (i.Band == tBandKind::PageFooter)
                QCOMPARE(i.Rect.top(), 80.0);
    }

    void noRowsGivesNoPages()
    {
        tRowsDataSet coins(QStringLiteral("Coins"));
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromUtf8(ListTemplate)));
        QVERIFY(!engine.Prepare());
        QCOMPARE(engine.PageCount(), 0);
        QVERIFY(!engine.Prepared());

        // A data set the program does not supply has no rows either.
        tReportEngine bare;
        bare.SetTemplate(Parse(QString::fromUtf8(ListTemplate)));
        QVERIFY(!bare.Prepare());
    }

    void aReportWithoutMasterDataHasOnePage()
    {
        tRowsDataSet coll(QStringLiteral("Collection"));
        coll.rows.push_back({{QStringLiteral("Coins on file"), tReportValue::FromInteger(42)}});
        tReportEngine engine;
        engine.AddDataSet(&coll.ds);
        engine.SetTemplate(Parse(QStringLiteral(R"(<OrvantaReport>
            <Band kind="ReportTitle" height="5"><Text>Coins: [Collection."Coins on file"]</Text></Band>
        </OrvantaReport>)")));
        QVERIFY(engine.Prepare());
        QCOMPARE(engine.Prepared()->PageTexts(0), QStringList{QStringLiteral("Coins: 42")});
    }

    void stopEndsThePreparation()
    {
        tRowsDataSet coins(QStringLiteral("Coins"));
        for (int i = 0; i < 50; ++i)
            coins.rows.push_back({{QStringLiteral("Year"), tReportValue::FromInteger(i)}});
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromUtf8(ListTemplate)));
        engine.OnProgress = [&](int page) {
            QVERIFY(engine.Preparing());
            if (page == 2)
                engine.Stop();
        };
        QVERIFY(!engine.Prepare());
        QVERIFY(engine.Stopped());
        QVERIFY(!engine.Preparing());
        QCOMPARE(engine.PageCount(), 0);
        // The next preparation starts afresh.
        engine.OnProgress = nullptr;
        QVERIFY(engine.Prepare());
        QVERIFY(!engine.Stopped());
    }

    void formatsValues_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<tReportValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("money default") << "" << tReportValue::FromMoney(-12345000) << "-1,234.50";
        QTest::newRow("money pattern") << "money:0.0000" << tReportValue::FromMoney(5) << "0.0005";
        QTest::newRow("number on real") << "number:0.0#" << tReportValue::FromReal(0.7734) << "0.77";
        QTest::newRow("number on integer") << "number:#,##0" << tReportValue::FromInteger(1234567) << "1,234,567";
        QTest::newRow("real default") << "" << tReportValue::FromReal(0.7734f) << "0.7734";
        QTest::newRow("date pattern") << "date:yyyy-MM-dd" << tReportValue::FromInteger(45292) << "2024-01-01";
        QTest::newRow("no date") << "date" << tReportValue::FromInteger(0) << "";
        QTest::newRow("bool texts") << "bool:Yes;No" << tReportValue::FromBoolean(false) << "No";
        QTest::newRow("bool default") << "" << tReportValue::FromBoolean(true) << "True";
        QTest::newRow("format ignores text") << "money" << tReportValue::FromText("n/a") << "n/a";
        QTest::newRow("empty") << "number" << tReportValue() << "";
    }

    void formatsValues()
    {
        QFETCH(QString, format);
        QFETCH(tReportValue, value);
        QFETCH(QString, text);
        QCOMPARE(FormatReportValue(value, tDisplayFormat::Parse(format)), text);
    }

    void picturesPassThroughTheHook()
    {
        tRowsDataSet coins(QStringLiteral("Coins"));
        coins.rows.resize(2);
        QImage designed(4, 4, QImage::Format_RGB32);
        designed.fill(Qt::blue);
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        designed.save(&buf, "PNG");
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QStringLiteral(R"(<OrvantaReport>
            <Band kind="MasterData" dataset="Coins" height="20">
              <Picture x="0" y="0" w="20" h="20" dataset="Coins" field="Obverse image">%1</Picture>
              <Picture x="30" y="0" w="20" h="20">%1</Picture>
            </Band></OrvantaReport>)").arg(QString::fromLatin1(png.toBase64()))));
        int calls = 0;
        engine.OnBeforePrint = [&](tPictureEvent &ev) {
            ++calls;
            QCOMPARE(ev.Picture.pixelColor(0, 0), QColor(Qt::blue));
            if (ev.DataSet == &coins.ds && ev.Object.Field == QLatin1String("Obverse image") && coins.cursor == 1) {
                QImage red(2, 2, QImage::Format_RGB32);
                red.fill(Qt::red);
                ev.Picture = red;
            }
        };
        QVERIFY(engine.Prepare());
        QCOMPARE(calls, 4);
        const auto &items = engine.Prepared()->Pages[0].Items;
        QCOMPARE(items[0].Picture.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(items[2].Picture.pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(items[3].Picture.pixelColor(0, 0), QColor(Qt::blue));
    }

    void groupsNestWithTheirFootersAndTotals()
    {
        const char *xml = R"(<OrvantaReport>
  <Band kind="GroupHeader" height="5" condition='[Coins."Country"]'><Text w="80" h="5">[Coins."Country"]</Text></Band>
  <Band kind="GroupHeader" height="5" condition='[Coins."Series"]'><Text w="80" h="5">- [Coins."Series"]</Text></Band>
  <Band kind="MasterData" dataset="Coins" height="5"><Text w="80" h="5">[Coins."Value"]</Text></Band>
  <Band kind="GroupFooter" level="2" height="5"><Text w="80" h="5">[Coins."Series"]: [SUM(Coins."Value")] in [COUNT(Coins)]</Text></Band>
  <Band kind="GroupFooter" level="1" height="5"><Text w="80" h="5" format="money:0.0">[Coins."Country"] [SUM(coins."Value")]</Text></Band>
  <Band kind="Summary" height="5"><Text w="80" h="5">Total [SUM(Coins."Value")] of [COUNT(Coins)]; years [SUM(Coins."Year")]</Text></Band>
</OrvantaReport>)";
        tRowsDataSet coins(QStringLiteral("Coins"));
        auto row = [&](const char *country, const char *series, tReportValue value, int year) {
            coins.rows.push_back({{QStringLiteral("Country"), tReportValue::FromText(QString::fromLatin1(country))},
                                  {QStringLiteral("Series"), tReportValue::FromText(QString::fromLatin1(series))},
                                  {QStringLiteral("Value"), value},
                                  {QStringLiteral("Year"), tReportValue::FromInteger(year)}});
        };
        row("US", "Cents", tReportValue::FromMoney(10000), 1909);
        row("US", "Cents", tReportValue::FromText(QStringLiteral("n/a")), 1910);  // counted, adds nothing
        row("US", "Dimes", tReportValue::FromMoney(2500), 1916);
        row("France", "Dimes", tReportValue::FromMoney(50000), 1920);  // same series name, new country
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromLatin1(xml)));
        QVERIFY(engine.Prepare());
        QCOMPARE(engine.Prepared()->PageTexts(0),
                 (QStringList{"US", "- Cents", "1.00", "n/a", "Cents: 1.00 in 2", "- Dimes", "0.25", "Dimes: 0.25 in 1",
                              "US 1.3", "France", "- Dimes", "5.00", "Dimes: 5.00 in 1", "France 5.0",
                              "Total 6.25 of 4; years 7655"}));
        // The footers step back to their group's last row and forward again:
        // the walk still ends just past the last row.
        QCOMPARE(coins.cursor, 4);
    }

    void growingTextMakesItsBandTaller()
    {
        const char *xml = R"(<OrvantaReport>
  <Page width="100" height="100" left="10" top="10" right="10" bottom="10"/>
  <Band kind="MasterData" dataset="Coins" height="6">
    <Text x="0" y="1" w="30" h="5" grow="true">[Coins."Notes"]</Text>
    <Text x="30" y="1" w="30" h="5">[Coins."Notes"]</Text>
  </Band>
  <Band kind="Summary" height="5"><Text w="80" h="5">End</Text></Band>
</OrvantaReport>)";
        tRowsDataSet coins(QStringLiteral("Coins"));
        const QString longText = QStringLiteral("Bought from the estate of a collector who kept it in a paper envelope "
                                                "for fifty years, with the original ticket.");
        coins.rows.push_back({{QStringLiteral("Notes"), tReportValue::FromText(longText)}});
        coins.rows.push_back({{QStringLiteral("Notes"), tReportValue::FromText(QStringLiteral("Short"))}});
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromLatin1(xml)));
        QVERIFY(engine.Prepare());
        const auto &items = engine.Prepared()->Pages[0].Items;
        QCOMPARE(items.size(), size_t(5));
        const QRectF grown = items[0].Rect;
        QVERIFY2(grown.height() > 12, qPrintable(QString::number(grown.height())));
        QCOMPARE(items[1].Rect.height(), 5.0);  // a text that does not grow is cut
        // The next row starts below the grown text (its text 1 mm into its band).
        QCOMPARE(items[2].Rect.top(), grown.bottom() + 1);
        QCOMPARE(items[2].Rect.height(), 5.0);  // short text keeps its height
        QCOMPARE(items[4].Rect.top(), items[2].Rect.top() + 6 - 1);
        // A grown band that no longer fits goes to the next page whole.
        for (int i = 0; i < 5; ++i)
            coins.rows.push_back({{QStringLiteral("Notes"), tReportValue::FromText(longText)}});
        QVERIFY(engine.Prepare());
        QVERIFY(engine.PageCount() > 1);
        for (const tPreparedPage &page : engine.Prepared()->Pages)
            for (const tPreparedItem &item : page.Items)
                QVERIFY(item.Rect.bottom() <= 90 + 1e-6);
    }

    void exportsTheSamePages()
    {
        tRowsDataSet coins(QStringLiteral("Coins"));
        for (int i = 0; i < 9; ++i)
            coins.rows.push_back({{QStringLiteral("Year"), tReportValue::FromInteger(1900 + i)},
                                  {QStringLiteral("Series"), tReportValue::FromText("Cents, small")},
                                  {QStringLiteral("Value ($£€¥)/EUR"), tReportValue::FromMoney(10000)}});
        tReportEngine engine;
        engine.AddDataSet(&coins.ds);
        engine.SetTemplate(Parse(QString::fromUtf8(ListTemplate)));
        QVERIFY(engine.Prepare());
        const tPreparedReport &r = *engine.Prepared();

        const QStringList csv = ReportCsvText(r).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(csv.size(), 1 + 1 + 9 + 1);  // title, one group, nine rows, summary
        QCOMPARE(csv[0], QStringLiteral("Title"));
        QCOMPARE(csv[1], QStringLiteral("\"Series Cents, small\""));
        QCOMPARE(csv[2], QStringLiteral("1900,1.00"));
        QCOMPARE(csv.last(), QStringLiteral("End"));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
        ExportReportPdf(r, pdf);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(r.PageCount(), 2);
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), qsizetype(2));

        const QStringList gifs = ExportReportGif(r, dir.filePath(QStringLiteral("r.gif")), 72);
        QCOMPARE(gifs, (QStringList{dir.filePath("r_1.gif"), dir.filePath("r_2.gif")}));
        QImage page1(gifs[0]);
        QCOMPARE(page1.size(), QSize(283, 283));  // 100 mm at 72 dpi
        // The GIF shows what the page painter paints.
        QCOMPARE(page1.convertToFormat(QImage::Format_RGB32), RenderReportPage(r, 0, 72));
    }

    void gifKeepsFewColoursExactlyAndReducesMany()
    {
        QImage few(3, 2, QImage::Format_RGB32);
        const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 10, 10)};
        for (int x = 0; x < 3; ++x)
            for (int y = 0; y < 2; ++y)
                few.setPixel(x, y, colours[(x + y) % 3]);
        QImage back = QImage::fromData(platform::encodeGif(few), "GIF").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back, few);

        QImage many(64, 64, QImage::Format_RGB32);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 64; ++y)
                many.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) * 2));
        back = QImage::fromData(platform::encodeGif(many), "GIF").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back.size(), many.size());
        const QRgb a = many.pixel(40, 20), b = back.pixel(40, 20);
        QVERIFY(qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24);

        QVERIFY_THROWS_EXCEPTION(std::runtime_error, platform::encodeGif(QImage()));
    }
};


QTEST_MAIN(tst_ReportEngine)
#include "tst_reportengine.moc"
