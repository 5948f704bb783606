#include <QtTest>

#include "core/model/commatext.h"
#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/model/mainstate.h"
#include "core/model/money.h"
#include "platform/regex.h"
#include "support/testsupport.h"

class tst_Helpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void moneyRounding_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<double>("factor");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("half rounds to even, down") << qint64(5) << 0.5 << qint64(2);
        QTest::newRow("half rounds to even, up") << qint64(7) << 0.5 << qint64(4);
        QTest::newRow("negative half to even") << qint64(-5) << 0.5 << qint64(-2);
        QTest::newRow("negative half to even, away") << qint64(-7) << 0.5 << qint64(-4);
        QTest::newRow("ordinary") << qint64(10000) << 1.23456 << qint64(12346);
        QTest::newRow("negative ordinary") << qint64(-10000) << 1.23456 << qint64(-12346);
    }
    void moneyRounding()
    {
        QFETCH(qint64, amount);
        QFETCH(double, factor);
        QFETCH(qint64, expected);
        QCOMPARE(MoneyMul(amount, factor), expected);
    }

    void moneyEdges()
    {
        QCOMPARE(MoneyDiv(10000, 0.0), Money(0));
        QCOMPARE(MoneyFromDouble(std::nan("")), Money(0));
        QCOMPARE(MoneyFromDouble(1e300), std::numeric_limits<Money>::max());
        QCOMPARE(MoneyFromDouble(2.5), Money(25000));
        QCOMPARE(MoneyFromScaled(2.5), Money(2));
        QCOMPARE(MoneyFromScaled(3.5), Money(4));
    }

    void formatPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.00") << QStringLiteral("0.00") << 3.14159 << QStringLiteral("3.14");
        QTest::newRow("0.00 small") << QStringLiteral("0.00") << 0.5 << QStringLiteral("0.50");
        QTest::newRow("grouped") << QStringLiteral("#,##0.00") << 1234567.891 << QStringLiteral("1,234,567.89");
        QTest::newRow("grouped negative") << QStringLiteral("#,##0.00") << -1234.5 << QStringLiteral("-1,234.50");
        QTest::newRow("optional decimals") << QStringLiteral("#.##") << 2.5 << QStringLiteral("2.5");
        QTest::newRow("optional decimals whole") << QStringLiteral("#.##") << 12.0 << QStringLiteral("12");
    }
    void formatPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFloatPattern(pattern, value), text);
    }

    // Every amount ending in exactly half a cent, 0.0050 to 9,999.9950,
    // rounds up to the next cent (away from zero), positive and negative;
    // the whole and three-quarter cents around it round to the nearer cent.
    void moneyHalfCentsRoundAwayFromZero()
    {
        int wrong = 0;
        for (Money cents = 0; cents < 1000000; ++cents) {
            const Money half = cents * 100 + 50;
            const Money up = cents + 1;
            const QString expected = QStringLiteral("%1.%2").arg(up / 100).arg(up % 100, 2, 10, QLatin1Char('0'));
            const QString shown = FormatMoneyPattern(QStringLiteral("0.00"), half);
            const QString negative = FormatMoneyPattern(QStringLiteral("0.00"), -half);
            const QString below = FormatMoneyPattern(QStringLiteral("0.00"), half - 1);
            if (shown != expected || negative != QLatin1Char('-') + expected ||
                below != QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'))) {
                if (++wrong <= 5)
                    qWarning() << half << shown << negative << below << "expected" << expected;
            }
        }
        QCOMPARE(wrong, 0);
    }

    void moneyPatterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("8.575") << QStringLiteral("0.00") << qint64(85750) << QStringLiteral("8.58");
        QTest::newRow("1.005") << QStringLiteral("0.00") << qint64(10050) << QStringLiteral("1.01");
        QTest::newRow("just below half") << QStringLiteral("0.00") << qint64(10049) << QStringLiteral("1.00");
        QTest::newRow("zero") << QStringLiteral("0.00") << qint64(0) << QStringLiteral("0.00");
        QTest::newRow("tiny negative is zero") << QStringLiteral("0.00") << qint64(-49) << QStringLiteral("0.00");
        QTest::newRow("negative half") << QStringLiteral("0.00") << qint64(-50) << QStringLiteral("-0.01");
        QTest::newRow("cents beyond a double") << QStringLiteral("0.00") << qint64(2000000000000050LL * 100)
                                               << QStringLiteral("20000000000000.50");
        QTest::newRow("odd cents at 2e13") << QStringLiteral("0.00") << qint64(200000000000012345LL)
                                           << QStringLiteral("20000000000001.23");
        QTest::newRow("largest") << QStringLiteral("0.00") << max << QStringLiteral("922337203685477.58");
        QTest::newRow("largest four places") << QStringLiteral("0.0000") << max
                                             << QStringLiteral("922337203685477.5807");
        QTest::newRow("smallest") << QStringLiteral("0.00") << min << QStringLiteral("-922337203685477.58");
        QTest::newRow("smallest grouped") << QStringLiteral("#,##0.00") << min
                                          << QStringLiteral("-922,337,203,685,477.58");
        QTest::newRow("grouped") << QStringLiteral("#,##0.00") << qint64(12345678915) << QStringLiteral("1,234,567.89");
        QTest::newRow("group at front") << QStringLiteral(",0.00") << qint64(12345000) << QStringLiteral("1,234.50");
        QTest::newRow("optional decimals") << QStringLiteral("#.##") << qint64(25000) << QStringLiteral("2.5");
        QTest::newRow("optional decimals whole") << QStringLiteral("#.##") << qint64(120000) << QStringLiteral("12");
        QTest::newRow("optional zero") << QStringLiteral("#.##") << qint64(0) << QStringLiteral("0");
        QTest::newRow("four optional") << QStringLiteral("#.####") << qint64(12345) << QStringLiteral("1.2345");
        QTest::newRow("wider than stored") << QStringLiteral("0.000000") << qint64(12345)
                                           << QStringLiteral("1.234500");
        QTest::newRow("whole units") << QStringLiteral("0") << qint64(25000) << QStringLiteral("3");
        QTest::newRow("whole units negative") << QStringLiteral("0") << qint64(-15000) << QStringLiteral("-2");
    }
    void moneyPatterns()
    {
        QFETCH(QString, pattern);
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QCOMPARE(FormatMoneyPattern(pattern, amount), text);
        // Other separators land in the same places.
        QString swapped = text;
        swapped.replace(QLatin1Char('.'), QLatin1Char('#')).replace(QLatin1Char(','), QLatin1Char('.'));
        swapped.replace(QLatin1Char('#'), QLatin1Char(','));
        QCOMPARE(FormatMoneyPattern(pattern, amount, QLatin1Char(','), QLatin1Char('.')), swapped);
    }

    void commaText_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << QStringLiteral("a,b");
        QTest::newRow("blank quoted") << QStringList{QStringLiteral("a b"), QStringLiteral("c")}
                                      << QStringLiteral("\"a b\",c");
        QTest::newRow("quote doubled") << QStringList{QStringLiteral("say \"hi\"")}
                                       << QStringLiteral("\"say \"\"hi\"\"\"");
        QTest::newRow("comma quoted") << QStringList{QStringLiteral("1,5")} << QStringLiteral("\"1,5\"");
        QTest::newRow("one empty item") << QStringList{QString()} << QStringLiteral("\"\"");
        QTest::newRow("empty list") << QStringList{} << QString();
        QTest::newRow("empty items kept") << QStringList{QString(), QStringLiteral("x"), QString()}
                                          << QStringLiteral(",x,");
        QTest::newRow("two empties") << QStringList{QString(), QString()} << QStringLiteral(",");
        QTest::newRow("control character") << QStringList{QStringLiteral("a\tb")} << QStringLiteral("\"a\tb\"");
        QTest::newRow("non-latin") << QStringList{QStringLiteral("\u65e5\u672c"), QStringLiteral("\u00e9")}
                                   << QStringLiteral("\u65e5\u672c,\u00e9");
    }
    void commaText()
    {
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        QCOMPARE(CommaTextJoin(items), text);
        QCOMPARE(CommaTextSplit(text), items);
    }

    void commaTextReading()
    {
        // Blanks before an item are skipped; an unquoted blank splits.
        QCOMPARE(CommaTextSplit(QStringLiteral("  a b,c")),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(CommaTextSetItem(QStringLiteral("a"), 2, QStringLiteral("z z")), QStringLiteral("a,,\"z z\""));
        QCOMPARE(CommaTextItem(QStringLiteral("a,b"), 5), QString());
    }

    void textHelpers()
    {
        QCOMPARE(DigitsOnly(QStringLiteral("1,234.50 $"), false), QStringLiteral("123450"));
        QCOMPARE(DigitsOnly(QStringLiteral("1,234.50 $"), true), QStringLiteral("1234.50"));
        QCOMPARE(PluralS(1), QString());
        QCOMPARE(PluralS(0), QStringLiteral("s"));
        QCOMPARE(PluralS(2), QStringLiteral("s"));
        QCOMPARE(PluralS(-1), QStringLiteral("s"));
        QCOMPARE(DateOrBlank(0), QString());
        QCOMPARE(DateOrBlank(-3), QString());
        QCOMPARE(DateOrBlank(45292), QStringLiteral("1/1/2024"));
        QCOMPARE(ParseShortDate(QStringLiteral("1/1/2024")), 45292);
        QCOMPARE(TakeOutAnds(QStringLiteral("Shape & size")), QStringLiteral("Shape && size"));
        QCOMPARE(TrimFileName(QStringLiteral("C:\\Pics\\ coin  .jpg")), QStringLiteral("C:\\Pics\\coin.jpg"));
        QCOMPARE(TrimFileName(QStringLiteral("/home/a/ b c ")), QStringLiteral("/home/a/b c"));
        QVERIFY(!MouseButtonDown(QLatin1Char('X')));
    }

    // The short date of every locale can be typed back into a date box:
    // where the locale writes month names (the C locale of a fresh system)
    // the date is year, month and day in digits.
    void shortDateRoundTripsInEveryLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("separators");
        QTest::newRow("C") << QLocale::c() << QStringLiteral("2021-03-15") << 10 << QStringLiteral("-");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QStringLiteral("3/15/2021") << 10
                               << QStringLiteral("/");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("15.03.2021") << 10
                               << QStringLiteral(".");
        QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << QStringLiteral("2021/03/15") << 10
                               << QStringLiteral("/");
    }
    void shortDateRoundTripsInEveryLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, shown);
        QFETCH(int, maxLength);
        QFETCH(QString, separators);
        const QLocale old;
        QLocale::setDefault(locale);
        const int day = DateToDay(QDate(2021, 3, 15));
        QCOMPARE(DateOrBlank(day), shown);
        QCOMPARE(ParseShortDate(shown), day);
        QCOMPARE(ShortDateMaxLength(), maxLength);
        QCOMPARE(DateTypingCharacters(), separators);
        // A year-first date in digits is read in any locale.
        QCOMPARE(ParseShortDate(QStringLiteral("2021-03-15")), day);
        QCOMPARE(ParseShortDate(QStringLiteral("2021-3-5")), DateToDay(QDate(2021, 3, 5)));
        QLocale::setDefault(old);
    }

    void numericDateFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("month first") << QStringLiteral("M/d/yyyy") << true;
        QTest::newRow("day first, dots") << QStringLiteral("dd.MM.yyyy") << true;
        QTest::newRow("separators of two characters") << QStringLiteral("yyyy. MM. dd.") << true;
        QTest::newRow("month name") << QStringLiteral("d MMM yyyy") << false;
        QTest::newRow("weekday name") << QStringLiteral("ddd d/M/yyyy") << false;
        QTest::newRow("two-digit year") << QStringLiteral("d/M/yy") << false;
        QTest::newRow("fields back to back") << QStringLiteral("yyyyMMdd") << false;
        QTest::newRow("quoted text") << QStringLiteral("d 'de' M 'de' yyyy") << false;
        QTest::newRow("no year") << QStringLiteral("d/M") << false;
        QTest::newRow("month twice") << QStringLiteral("M/M/yyyy") << false;
    }
    void numericDateFormats()
    {
        QFETCH(QString, format);
        QFETCH(bool, numeric);
        QCOMPARE(NumericDateFormat(format), numeric);
    }

    void fileSizeIgnoresCase()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("Coins.OVD")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("12345");
        f.close();
        QCOMPARE(GetFileSize(dir.filePath(QStringLiteral("coins.ovd"))), qint64(5));
        QCOMPARE(GetFileSize(dir.filePath(QStringLiteral("missing.ovd"))), qint64(-1));
        QCOMPARE(GetFileSize(dir.filePath(QStringLiteral("nofolder/x.ovd"))), qint64(-1));
    }

    void shortCaption_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("chars");
        QTest::addColumn<QString>("text");
        const QString win = QStringLiteral("D:\\Coins\\Photos\\Europe\\France\\franc.jpg");
        QTest::newRow("fits") << win << 100 << QStringLiteral(" ") + win;
        QTest::newRow("windows, folders dropped") << win << 26 << QStringLiteral(" D:\\...\\France\\franc.jpg");
        QTest::newRow("windows, nothing fits") << win << 5 << QStringLiteral(" D:\\...\\franc.jpg\\...");
        const QString lin = QStringLiteral("/home/ann/Pictures/Europe/France/franc.jpg");
        QTest::newRow("linux, folders dropped") << lin << 24 << QStringLiteral(" /.../France/franc.jpg");
        QTest::newRow("linux, nothing fits") << lin << 3 << QStringLiteral(" /.../franc.jpg/...");
        QTest::newRow("no separator") << QStringLiteral("averyveryverylongname") << 3
                                      << QStringLiteral(" averyveryverylongname");
    }
    void shortCaption()
    {
        QFETCH(QString, path);
        QFETCH(int, chars);
        QFETCH(QString, text);
        QCOMPARE(ShortCaption(path, 7.0 * chars, FixedWidth), text);
    }

    void shortPathSequence()
    {
        const QString mark = QStringLiteral("\u25CF\u25CF\u25CF");
        const QString p = QStringLiteral("C:\\A\\B\\C\\file");
        const QStringList steps = {QStringLiteral("C:\\") + mark + QStringLiteral("\\B\\C\\file"),
                                   QStringLiteral("C:\\") + mark + QStringLiteral("\\C\\file"),
                                   mark + QStringLiteral("\\C\\file"), mark + QStringLiteral("\\file")};
        // The mark takes no width here, so each step is narrower than the last.
        auto narrowMark = [&](const QString &t) { return FixedWidth(QString(t).remove(mark)); };
        for (const QString &expected : steps)
            QCOMPARE(ShortPath(p, narrowMark(expected), narrowMark), expected);
        QCOMPARE(ShortPath(p, 1, FixedWidth), mark + QStringLiteral("\\file"));
        QCOMPARE(ShortPath(QStringLiteral("/home/a/b/c/file"), FixedWidth(QStringLiteral("/home/x/c/file")), FixedWidth),
                 QStringLiteral("/") + mark + QStringLiteral("/b/c/file"));
    }

    void packPath()
    {
        tMainState s;
        s.FolderImagesRedirect = QStringLiteral("/data/Orvanta/Folder Images/");
        QCOMPARE(PackPath(s, QStringLiteral("/data/orvanta/folder images/France/franc.jpg"), QStringLiteral("France/"),
                          QStringLiteral("~")),
                 QStringLiteral("~franc.jpg"));
        QCOMPARE(PackPath(s, QStringLiteral("/elsewhere/franc.jpg"), QStringLiteral("France/"), QStringLiteral("~")),
                 QStringLiteral("/elsewhere/franc.jpg"));
        QCOMPARE(PackPath(s, QStringLiteral("/data/Orvanta/Folder Images/Euro/x.jpg"), QString(), QStringLiteral("~")),
                 QStringLiteral("~Euro/x.jpg"));
    }

    void wildcards_data()
    {
        QTest::addColumn<QString>("wildcard");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<bool>("match");
        QTest::newRow("star") << QStringLiteral("19*D") << QStringLiteral("the 1921-D dollar") << true;
        QTest::newRow("star needs one char") << QStringLiteral("19*D") << QStringLiteral("19D") << false;
        QTest::newRow("question") << QStringLiteral("K?-5") << QStringLiteral("KM-5") << true;
        QTest::newRow("specials escaped") << QStringLiteral("1.5 (a)") << QStringLiteral("1x5 (a)") << false;
        QTest::newRow("specials literal") << QStringLiteral("1.5 (a)") << QStringLiteral("1.5 (a)") << true;
        QTest::newRow("ignores case") << QStringLiteral("morgan") << QStringLiteral("MORGAN") << true;
        QTest::newRow("dot matches newline") << QStringLiteral("a?b") << QStringLiteral("a\nb") << true;
    }
    void wildcards()
    {
        QFETCH(QString, wildcard);
        QFETCH(QString, subject);
        QFETCH(bool, match);
        platform::Regex re(WildcardToRegex(wildcard), true);
        QCOMPARE(re.isMatch(subject), match);
    }

    void currProcRestoresOnNormalReturnOnly()
    {
        CurrProc = 5;
        {
            CurrProcGuard g(100);
            QCOMPARE(CurrProc, 100);
        }
        QCOMPARE(CurrProc, 5);
        try {
            CurrProcGuard g(200);
            throw std::runtime_error("x");
        } catch (const std::exception &) {
        }
        QCOMPARE(CurrProc, 200);
    }
};

QTEST_MAIN(tst_Helpers)
#include "tst_helpers.moc"
