#include <QtTest>

#include "core/model/commatext.h"
#include "core/model/mainstate.h"
#include "core/collection/coinentries.h"
#include "core/collection/udffields.h"

namespace {

// Fields A, B, C (IDs 1, 2, 3) and one entry per given value list.
void Fill(tMainState &s, const QList<QStringList> &entries)
{
    int id = 1;
    for (const char *label : {"A", "B", "C"}) {
        auto f = std::make_unique<tUDFfield>();
        f->ID = id++;
        f->FieldLabel = QString::fromLatin1(label);
        s.UDFlist.push_back(std::move(f));
    }
    for (const QStringList &values : entries) {
        auto c = std::make_unique<tCoinInfo>();
        c->UDFstring = CommaTextJoin(values);
        s.CoinList.push_back(std::move(c));
    }
}

QStringList Labels(const tMainState &s)
{
    QStringList out;
    for (const auto &f : s.UDFlist)
        out << f->FieldLabel;
    return out;
}

} // namespace

class tst_UDFFields : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okReslotsEveryEntryByFieldID_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("delete B, add D") << "-1 +D" << QStringList{"a", "b", "c"} << QStringList{"A", "C", "D"}
                                         << QStringList{"a", "c", ""};
        QTest::newRow("fewer slots than fields") << "" << QStringList{"a"} << QStringList{"A", "B", "C"}
                                                 << QStringList{"a", "", ""};
        QTest::newRow("all deleted") << "-0 -0 -0" << QStringList{"a", "b", "c"} << QStringList{}
                                     << QStringList{};
        QTest::newRow("unchanged") << "" << QStringList{"a", "b,c", "\"d\""} << QStringList{"A", "B", "C"}
                                   << QStringList{"a", "b,c", "\"d\""};
        QTest::newRow("delete first, values move up") << "-0" << QStringList{"a", "b", "c"} << QStringList{"B", "C"}
                                                      << QStringList{"b", "c"};
    }
    void okReslotsEveryEntryByFieldID()
    {
        QFETCH(QString, edit);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, values);
        tMainState s;
        // The entry, an edit record holding its old values and a deleted
        // entry waiting for Undo: every copy follows the fields.
        Fill(s, {stored, stored});
        PushCoinUndo(s, *s.CoinList[0], tCoinField::CommentEdit);
        RemoveCoinToUndo(s, s.CoinList[1].get());
        tUDFWorkList work(s);
        for (const QString &step : edit.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step.startsWith(QLatin1Char('-'))) {
                work.Delete(step.mid(1).toInt());
            } else {
                const int at = work.Add(UDFTextBox);
                work.Fields[static_cast<size_t>(at)].FieldLabel = step.mid(1);
            }
        }
        ApplyUDFWorkList(s, work);
        QCOMPARE(Labels(s), labels);
        QCOMPARE(CommaTextSplit(s.CoinList[0]->UDFstring), values);
        QCOMPARE(s.UndoCoinList.size(), size_t(2));
        for (const auto &u : s.UndoCoinList)
            QCOMPARE(CommaTextSplit(u->Owned->UDFstring), values);
        QVERIFY(s.DataModified);
        if (values.isEmpty())
            QCOMPARE(s.CoinList[0]->UDFstring, QString());
    }

    void idsSurviveDeletionAndNewFieldsTakeTheNext()
    {
        tMainState s;
        Fill(s, {{"a", "b", "c"}});
        tUDFWorkList first(s);
        first.Delete(0);
        ApplyUDFWorkList(s, first);
        QCOMPARE(s.UDFlist[0]->ID, 2);
        QCOMPARE(s.UDFlist[1]->ID, 3);
        // The next opening numbers a new field after the highest ID, not
        // after the count, so it cannot take a surviving field's values.
        tUDFWorkList second(s);
        QCOMPARE(second.NextID, 4);
        second.Add(UDFNumber);
        ApplyUDFWorkList(s, second);
        QCOMPARE(CommaTextSplit(s.CoinList[0]->UDFstring), (QStringList{"b", "c", ""}));
    }

    void deleteSelectsTheFieldThatTakesItsPlace_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("selected");
        QTest::newRow("middle") << 1 << 1;
        QTest::newRow("last") << 2 << 1;
    }
    void deleteSelectsTheFieldThatTakesItsPlace()
    {
        QFETCH(int, deleted);
        QFETCH(int, selected);
        tMainState s;
        Fill(s, {});
        tUDFWorkList work(s);
        QCOMPARE(work.Delete(deleted), selected);
        QCOMPARE(work.Delete(0), 0);
        QCOMPARE(work.Delete(0), -1);
    }

    void newFieldsAndStoredLengths_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("newLength");
        QTest::addColumn<int>("storedLength");
        QTest::newRow("history drop-down") << int(UDFHistoryDropDown) << 10 << 10;
        QTest::newRow("text box") << int(UDFTextBox) << 10 << 10;
        QTest::newRow("certification") << int(UDFCertification) << 19 << 19;
        QTest::newRow("real number") << int(UDFReal) << 4 << 4;
        QTest::newRow("pick list stored with 50") << int(UDFPickList) << 10 << 50;
    }
    void newFieldsAndStoredLengths()
    {
        QFETCH(int, type);
        QFETCH(int, newLength);
        QFETCH(int, storedLength);
        tMainState s;
        tUDFWorkList work(s);
        const int at = work.Add(type);
        const tUDFWorkField &f = work.Fields[static_cast<size_t>(at)];
        QCOMPARE(f.Length, newLength);
        QCOMPARE(f.FieldLabel, QStringLiteral("(Blank)"));
        QCOMPARE(f.ID, 1);
        ApplyUDFWorkList(s, work);
        QCOMPARE(s.UDFlist[0]->Length, storedLength);
    }

    void optionLinesBecomeTrimmedChoices()
    {
        QStringList kept;
        const QString options = UDFOptionsFromLines({QStringLiteral("  red "), QString(), QStringLiteral("blue")}, &kept);
        QCOMPARE(kept, (QStringList{"red", "blue"}));
        QCOMPARE(UDFOptionLines(options), kept);
        QCOMPARE(UDFOptionsFromLines({QStringLiteral("  ")}), QString());
        QCOMPARE(UDFOptionLines(QString()), QStringList());
    }

    void blankLabel()
    {
        QCOMPARE(BlankLabel(QStringLiteral("  ")), QStringLiteral("(Blank)"));
        QCOMPARE(BlankLabel(QStringLiteral("Owner")), QStringLiteral("Owner"));
    }
};

QTEST_GUILESS_MAIN(tst_UDFFields)
#include "tst_udffields.moc"
