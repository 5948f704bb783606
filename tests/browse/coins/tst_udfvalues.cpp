#include <QtTest>

#include "core/model/dates.h"
#include "core/model/model.h"
#include "browse/coins/udfvalues.h"

class tst_UDFValues : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void storedText_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("text box trimmed") << int(UDFTextBox) << " gold " << false << "gold";
        QTest::newRow("history trimmed") << int(UDFHistoryDropDown) << " Gold" << false << "Gold";
        QTest::newRow("pick list as chosen") << int(UDFPickList) << "red" << false << "red";
        QTest::newRow("check box checked") << int(UDFCheckBox) << "" << true << "T";
        QTest::newRow("check box clear") << int(UDFCheckBox) << "" << false << "F";
        QTest::newRow("money 7 gets cents") << int(UDFMoney) << "7" << false << "7,00";
        QTest::newRow("money rounded to cents") << int(UDFMoney) << "7,005" << false << "7,01";
        QTest::newRow("date empty stores 0") << int(UDFDate) << "" << false << "0";
        QTest::newRow("date not a date stores 0") << int(UDFDate) << "soon" << false << "0";
        QTest::newRow("date as day number") << int(UDFDate) << "01.01.2024" << false << "45292";
        QTest::newRow("number as typed") << int(UDFNumber) << "12a" << false << "12a";
        QTest::newRow("phone trimmed") << int(UDFPhone) << "(212)555-1234 " << false << "(212)555-1234";
        QTest::newRow("attachment as typed") << int(UDFAttachment) << " a.pdf" << false << " a.pdf";
        QTest::newRow("empty space stores nothing") << int(UDFEmptySpace) << "x" << false << "";
        QTest::newRow("real as typed") << int(UDFReal) << "1,5" << false << "1,5";
    }
    void storedText()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(bool, checked);
        QFETCH(QString, stored);
        QCOMPARE(UDFStoredText(type, text, checked), stored);
    }

    void shownText_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("shown");
        QTest::newRow("text") << int(UDFTextBox) << 10 << "gold" << true << "gold";
        QTest::newRow("missing text") << int(UDFTextBox) << 10 << "" << false << "";
        QTest::newRow("date 0 is empty") << int(UDFDate) << 0 << "0" << true << "";
        QTest::newRow("date") << int(UDFDate) << 0 << "45292" << true << "01.01.2024";
        QTest::newRow("date unreadable") << int(UDFDate) << 0 << "x" << true << "";
        QTest::newRow("number leading digits") << int(UDFNumber) << 10 << "41abc" << true << "41";
        QTest::newRow("number unreadable") << int(UDFNumber) << 10 << "abc" << true << "0";
        QTest::newRow("missing number") << int(UDFNumber) << 10 << "" << false << "0";
        QTest::newRow("real in the locale") << int(UDFReal) << 4 << "1,5" << true << "1,5";
        QTest::newRow("real unreadable") << int(UDFReal) << 4 << "x" << true << "0";
        QTest::newRow("real exponent padded") << int(UDFReal) << 4 << "1,5E20" << true << "1,5E0020";
        QTest::newRow("real small exponent") << int(UDFReal) << 2 << "1,25E-7" << true << "1,25E-07";
        QTest::newRow("missing real") << int(UDFReal) << 4 << "" << false << "0";
    }
    void shownText()
    {
        QFETCH(int, type);
        QFETCH(int, length);
        QFETCH(QString, slot);
        QFETCH(bool, present);
        QFETCH(QString, shown);
        QCOMPARE(UDFShownText(type, length, slot, present), shown);
    }

    void checkBoxShowsTrimmedT()
    {
        QVERIFY(UDFShownChecked(QStringLiteral(" T ")));
        QVERIFY(!UDFShownChecked(QStringLiteral("F")));
        QVERIFY(!UDFShownChecked(QStringLiteral("True")));
    }

    void phoneMask_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");  // -1: at the end
        QTest::addColumn<QString>("keys");  // digits, or "<" for Backspace, ">" for Delete
        QTest::addColumn<QString>("after");
        QTest::newRow("typing a number") << "" << -1 << "2125551234" << "(212)555-1234";
        QTest::newRow("no more than 13") << "(212)555-1234" << -1 << "5" << "(212)555-1234";
        QTest::newRow("backspace at the end") << "(212)555-1234" << -1 << "<" << "(212)555-123";
        QTest::newRow("backspace after the closing bracket") << "(212)555-1234" << 5 << "<" << "(21";
        QTest::newRow("backspace after the dash") << "(212)555-1234" << 9 << "<" << "(212)55";
        QTest::newRow("backspace takes the mark along") << "(212)5" << -1 << "<" << "(212";
        QTest::newRow("backspace after the opening bracket") << "(2" << 1 << "<" << "";
        QTest::newRow("backspace at the start keeps the text") << "(212)555-1234" << 0 << "<" << "(212)555-1234";
        QTest::newRow("delete at the start keeps the text") << "(212)" << 0 << ">" << "(212)";
        QTest::newRow("digits go at the end") << "(212)555-12" << 2 << "3" << "(212)555-123";
    }
    void phoneMask()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QString text = before;
        for (QChar k : keys) {
            const int at = caret < 0 ? static_cast<int>(text.size()) : caret;
            if (k == QLatin1Char('<'))
                QVERIFY(PhoneMaskKey(text, at, Qt::Key_Backspace, QString()));
            else if (k == QLatin1Char('>'))
                QVERIFY(PhoneMaskKey(text, at, Qt::Key_Delete, QString()));
            else
                QVERIFY(PhoneMaskKey(text, at, Qt::Key_0 + k.digitValue(), QString(k)));
            caret = -1;
        }
        QCOMPARE(text, after);
        QVERIFY(!PhoneMaskKey(text, 0, Qt::Key_A, QStringLiteral("a")));
    }

    void certificateLookup_data()
    {
        QTest::addColumn<QString>("gradedBy");
        QTest::addColumn<int>("grade");
        QTest::addColumn<QString>("certificate");
        QTest::addColumn<QString>("address");
        QTest::newRow("NGC with MS-65") << "NGC" << 24 << "123-001" << "https://www.ngccoin.com/certlookup/123-001/65";
        QTest::newRow("NGC without a grade") << " ngc " << -1 << "123-001"
                                             << "https://www.ngccoin.com/certlookup/123-001";
        QTest::newRow("NGC grade slot 0 keeps its grade") << "NGC" << 0 << "77" << "https://www.ngccoin.com/certlookup/77/1";
        QTest::newRow("NGC certificate encoded") << "NGC" << -1 << "12/3?x=1 #"
                                                 << "https://www.ngccoin.com/certlookup/12%2F3%3Fx%3D1%20%23";
        QTest::newRow("PCGS leading digits") << "PCGS" << 24 << "123.45" << "https://www.pcgs.com/cert/123";
        QTest::newRow("PCGS no digits") << "pcgs" << 24 << "x1" << "https://www.pcgs.com/cert/";
        QTest::newRow("another service") << "ANACS" << 24 << "123" << "";
        QTest::newRow("no certificate") << "NGC" << 24 << "" << "";
    }
    void certificateLookup()
    {
        QFETCH(QString, gradedBy);
        QFETCH(int, grade);
        QFETCH(QString, certificate);
        QFETCH(QString, address);
        QCOMPARE(CertificateLookupAddress(gradedBy, grade, certificate), address);
    }

    void editorGrid_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("fields");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("no fields") << 2000 << 0 << 4 << 4;
        QTest::newRow("one field") << 2000 << 1 << 5 << 4;
        QTest::newRow("two fields") << 2000 << 2 << 6 << 4;
        QTest::newRow("four fields") << 2000 << 4 << 6 << 4;
        QTest::newRow("narrow window still 4 columns") << 650 << 2 << 4 << 5;
        QTest::newRow("capped by the width") << 1250 << 12 << 6 << 5;
    }
    void editorGrid()
    {
        QFETCH(int, width);
        QFETCH(int, fields);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const tUDFGridSize g = UDFGridSize(width, fields);
        QCOMPARE(g.Columns, columns);
        QCOMPARE(g.Rows, rows);
        QVERIFY(g.Columns * g.Rows >= fields + 16);
    }

    void cellsFillBesideTheFixedBlockFirst()
    {
        const tUDFGridSize g{6, 5};
        QCOMPARE(UDFCellOf(g, 0).Column, 4);
        QCOMPARE(UDFCellOf(g, 1).Column, 5);
        QCOMPARE(UDFCellOf(g, 2).Row, 1);
        QCOMPARE(UDFCellOf(g, 8).Column, 0);
        QCOMPARE(UDFCellOf(g, 8).Row, 4);
        const tUDFGridSize narrow{4, 5};
        QCOMPARE(UDFCellOf(narrow, 0).Row, 4);
        QCOMPARE(UDFCellOf(narrow, 3).Column, 3);
    }
};

QTEST_GUILESS_MAIN(tst_UDFValues)
#include "tst_udfvalues.moc"
