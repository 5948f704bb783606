#include <QtTest>

#include <QDir>
#include <QTemporaryDir>

#include "core/files/valuestream.h"
#include "platform/uiservices.h"
#include "reports/run/paraminfo.h"
#include "reports/run/reportlist.h"
#include "support/scriptedui.h"

namespace {

void Touch(const QString &path, const QByteArray &bytes = "<OrvantaReport/>")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Writes a parameter list as a file of the given version would hold it.
QByteArray VersionedFile(int version)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(version);
    for (int k = 1; k <= 6; ++k)
        w.WriteInteger(k + 10);
    if (version >= 4)
        w.WriteInteger(2);          // PricePurgeMask
    w.WriteInteger(3);              // PriceMergeMask
    w.WriteInteger(12);             // SeriesPurgeMask
    w.WriteInteger(4);              // CoinSourceFilter
    w.WriteInteger(1);              // CoinErrorFilter
    w.WriteInteger(2);              // CoinPaperFilter
    if (version >= 2)
        w.WriteInteger(0x10A);      // QuantityFilter, only the low 8 bits count
    if (version >= 5)
        w.WriteString(QStringLiteral(" Box 3 "));
    if (version >= 6)
        w.WriteInteger(4);          // ForexSort
    w.WriteString(QStringLiteral("About \u00e9cus"));
    if (version >= 3)
        w.WriteBoolean(true);
    w.WriteListEnd();
    return w.TakeData();
}

std::array<QString, ThemeCount> Themes(std::initializer_list<std::pair<int, const char *>> named)
{
    std::array<QString, ThemeCount> t{};
    for (auto [i, n] : named)
        t[static_cast<size_t>(i)] = QString::fromUtf8(n);
    return t;
}

QStringList Texts(const tReportList &l)
{
    QStringList out;
    for (const auto &i : l.Items)
        out.append(i.Text);
    return out;
}

} // namespace

class tst_ReportList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::setUserInterface(&ui); ui.reset(); }
    void cleanup() { platform::setUserInterface(nullptr); }

    void parameterFileRoundTrip()
    {
        QTemporaryDir dir;
        tParamInfo p;
        p.CoinSort = {16, 1, 2, 17, 15, 23};
        p.QuantityFilter = 10;
        p.PricePurgeMask = PurgeKeepHave;
        p.PriceMergeMask = MergeYearMint;
        p.SeriesPurgeMask = 11;
        p.CoinSourceFilter = SourceBin;
        p.CoinErrorFilter = 2;
        p.CoinPaperFilter = 1;
        p.ThemeMultiplex = true;
        p.StoredIn = QStringLiteral("Safe \u20ac");
        p.ForexSort = 3;
        p.description = QString(300, QLatin1Char('x'));
        p.SelectedTheme = 7;   // not stored
        p.Databases = 63;      // not stored
        SaveParamInfo(dir.path(), QStringLiteral("U.S. coins"), p);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("U.S. coins.FrF"))));

        tParamInfo back;
        back.Databases = 5;
        LoadParamInfo(dir.path(), QStringLiteral("U.S. coins"), back);
        QCOMPARE(back.StreamVersion, 6);
        QCOMPARE(back.StreamName, QStringLiteral("U.S. coins.FrF"));
        QCOMPARE(back.CoinSort, p.CoinSort);
        QCOMPARE(back.QuantityFilter, p.QuantityFilter);
        QCOMPARE(back.PricePurgeMask, p.PricePurgeMask);
        QCOMPARE(back.PriceMergeMask, p.PriceMergeMask);
        QCOMPARE(back.SeriesPurgeMask, p.SeriesPurgeMask);
        QCOMPARE(back.CoinSourceFilter, p.CoinSourceFilter);
        QCOMPARE(back.CoinErrorFilter, p.CoinErrorFilter);
        QCOMPARE(back.CoinPaperFilter, p.CoinPaperFilter);
        QCOMPARE(back.ThemeMultiplex, true);
        QCOMPARE(back.StoredIn, p.StoredIn);
        QCOMPARE(back.ForexSort, 3);
        QCOMPARE(back.description, p.description);
        QCOMPARE(back.SelectedTheme, uint8_t(0));
        QCOMPARE(back.Databases, uint16_t(0));  // a load starts from a fresh record

        // The bytes are the list of values with no end marker read back.
        const QByteArray bytes = WriteParamInfo(p);
        QCOMPARE(uint8_t(bytes[0]), uint8_t(vaList));
        QCOMPARE(uint8_t(bytes[1]), uint8_t(vaInt8));
        QCOMPARE(int(bytes[2]), 6);
        QCOMPARE(uint8_t(bytes.back()), uint8_t(vaNull));
    }

    void olderVersionsGetDefaults_data()
    {
        QTest::addColumn<int>("version");
        for (int v = 1; v <= 6; ++v)
            QTest::addRow("version %d", v) << v;
    }

    void olderVersionsGetDefaults()
    {
        QFETCH(int, version);
        tParamInfo p;
        ReadParamInfo(VersionedFile(version), p);
        QCOMPARE(p.StreamVersion, version);
        QCOMPARE(p.CoinSort, (std::array<int32_t, 6>{11, 12, 13, 14, 15, 16}));
        QCOMPARE(p.PriceMergeMask, 3);
        QCOMPARE(p.SeriesPurgeMask, 12);
        QCOMPARE(p.CoinSourceFilter, 4);
        QCOMPARE(p.CoinErrorFilter, 1);
        QCOMPARE(p.CoinPaperFilter, 2);
        QCOMPARE(p.description, QStringLiteral("About \u00e9cus"));
        QCOMPARE(p.QuantityFilter, uint8_t(version >= 2 ? 0x0A : 15));
        QCOMPARE(p.ThemeMultiplex, version >= 3);
        QCOMPARE(p.PricePurgeMask, version >= 4 ? 2 : 0);
        QCOMPARE(p.StoredIn, version >= 5 ? QStringLiteral(" Box 3 ") : QString());
        QCOMPARE(p.ForexSort, version >= 6 ? 4 : 0);
    }

    void damagedParameterFilesRaise_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = VersionedFile(6);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a list") << good.mid(1);
        QTest::newRow("ends early") << good.left(good.size() / 2);
        ValueWriter w;
        w.WriteListBegin();
        w.WriteInteger(6);
        w.WriteString(QStringLiteral("a text where a sort key belongs"));
        QTest::newRow("wrong type") << w.TakeData();
    }

    void damagedParameterFilesRaise()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        Touch(dir.filePath(QStringLiteral("R.FrF")), bytes);
        tParamInfo p;
        QVERIFY_THROWS_EXCEPTION(StreamReadError, LoadParamInfo(dir.path(), QStringLiteral("R"), p));
    }

    void missingFileGivesDefaultsAndCaseIsIgnored()
    {
        QTemporaryDir dir;
        tParamInfo p;
        p.ForexSort = 4;
        LoadParamInfo(dir.path(), QStringLiteral("none.FR3"), p);
        QCOMPARE(p.StreamName, QStringLiteral("none.FrF"));
        QCOMPARE(p.StreamVersion, 0);
        QCOMPARE(p.QuantityFilter, uint8_t(15));
        QCOMPARE(p.ForexSort, 0);

        // A parameter file spelt in another case is read, and saving
        // replaces it rather than adding a second file.
        Touch(dir.filePath(QStringLiteral("coins.frf")), VersionedFile(6));
        LoadParamInfo(dir.path(), QStringLiteral("Coins"), p);
        QCOMPARE(p.ForexSort, 4);
        p.ForexSort = 2;
        SaveParamInfo(dir.path(), p.StreamName, p);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("coins.frf")});
        LoadParamInfo(dir.path(), QStringLiteral("Coins"), p);
        QCOMPARE(p.ForexSort, 2);
    }

    void saveFailureIsAnError()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 SaveParamInfo(dir.filePath(QStringLiteral("no/such/folder")), "R", tParamInfo()));
    }

    void listsTemplatesOfTheFolder()
    {
        QTemporaryDir dir;
        for (const char *n : {"Coins.FR3", "prices.fr3", "notes.FR3.bak", "FR3", "Zeta.Fr3"})
            Touch(dir.filePath(QString::fromLatin1(n)));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.FR3")));
        tParamInfo themed;
        themed.ThemeMultiplex = true;
        themed.CoinSort = {2, 0, 0, 0, 0, 0};
        themed.description = QStringLiteral(" Own.");
        SaveParamInfo(dir.path(), QStringLiteral("Birds"), themed);
        Touch(dir.filePath(QStringLiteral("Birds.FR3")));

        tReportList list;
        QString def;
        LoadReportList(list, dir.path(), Themes({{0, " Birds "}, {4, "Turtles"}, {9, "   "}}), def);
        QCOMPARE(Texts(list), (QStringList{"Birds: Birds", "Birds: Turtles", "Coins", "prices", "Zeta"}));
        QCOMPARE(list.Selected, 0);
        const tParamInfo &copy = *list.Items[1].Params;
        QCOMPARE(copy.SelectedTheme, uint8_t(4));
        QCOMPARE(copy.CoinSort[0], 2);
        QCOMPARE(copy.StreamName, QStringLiteral("Birds.FrF"));
        QVERIFY(copy.ThemeMultiplex);
        QCOMPARE(copy.description,
                 QStringLiteral("This report is based on the collecting theme named \"Turtles\" and includes only "
                                "series that are part of that theme. Own."));
        QCOMPARE(list.Items[0].Params->SelectedTheme, uint8_t(0));
        QCOMPARE(ReportDescription(list, 2), QString());
        QCOMPARE(ReportDescription(list, 1), copy.description);
        QCOMPARE(ReportDescription(list, 5), QString());
        QCOMPARE(ReportDescription(list, -1), QString());

        // With no named theme a themed template has no entry at all.
        LoadReportList(list, dir.path(), Themes({}), def);
        QCOMPARE(Texts(list), (QStringList{"Coins", "prices", "Zeta"}));
        QVERIFY(ui.Messages.empty());
    }

    void keepsTheSelectionByText()
    {
        QTemporaryDir dir;
        for (const char *n : {"A.FR3", "B.FR3", "Birds.FR3"})
            Touch(dir.filePath(QString::fromLatin1(n)));
        tParamInfo themed;
        themed.ThemeMultiplex = true;
        SaveParamInfo(dir.path(), QStringLiteral("Birds"), themed);
        const auto themes = Themes({{0, "Owls"}, {1, "Ducks"}});

        tReportList list;
        QString def = QStringLiteral("Birds: Owls");
        LoadReportList(list, dir.path(), themes, def);
        QCOMPARE(list.SelectedText(), QStringLiteral("Birds: Owls"));
        QVERIFY(def.isEmpty());
        QCOMPARE(list.SelectedParams()->SelectedTheme, uint8_t(0));

        list.Selected = 1;  // "B"
        LoadReportList(list, dir.path(), themes, def);
        LoadReportList(list, dir.path(), themes, def);
        QCOMPARE(list.SelectedText(), QStringLiteral("B"));

        def = QStringLiteral("b");  // exact text only
        LoadReportList(list, dir.path(), themes, def);
        QCOMPARE(list.Selected, 0);

        def = QStringLiteral("   ");  // a blank default keeps the selection
        list.Selected = 2;
        LoadReportList(list, dir.path(), themes, def);
        QCOMPARE(list.SelectedText(), QStringLiteral("Birds: Ducks"));

        QTemporaryDir empty;
        LoadReportList(list, empty.path(), themes, def);
        QVERIFY(list.Items.empty());
        QCOMPARE(list.Selected, -1);
        QVERIFY(!list.SelectedParams());
    }

    void damagedParameterFileIsReportedOnce()
    {
        QTemporaryDir dir;
        for (const char *n : {"A.FR3", "B.FR3", "C.FR3"})
            Touch(dir.filePath(QString::fromLatin1(n)));
        Touch(dir.filePath(QStringLiteral("B.FrF")), VersionedFile(6).left(9));
        tParamInfo c;
        c.CoinSourceFilter = SourceBin;
        SaveParamInfo(dir.path(), QStringLiteral("C"), c);

        tReportList list;
        QString def;
        LoadReportList(list, dir.path(), Themes({}), def);
        QCOMPARE(Texts(list), (QStringList{"A", "B", "C"}));
        QCOMPARE(list.Items[1].Params->CoinSourceFilter, 0);
        QCOMPARE(list.Items[1].Params->QuantityFilter, uint8_t(15));
        QCOMPARE(list.Items[1].Params->StreamName, QStringLiteral("B.FrF"));
        QCOMPARE(list.Items[2].Params->CoinSourceFilter, int(SourceBin));
        QCOMPARE(ui.Texts().size(), 1);
        QVERIFY(ui.Texts()[0].contains(QLatin1String("\"B.FrF\" is damaged")));

        LoadReportList(list, dir.path(), Themes({}), def);
        QCOMPARE(ui.Texts().size(), 1);
    }

private:
    tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
};

QTEST_APPLESS_MAIN(tst_ReportList)
#include "tst_reportlist.moc"
