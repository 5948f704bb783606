#include <QtTest>

#include <QLabel>
#include <QListWidget>
#include <QTabWidget>

#include "core/log.h"
#include "mainwindow/pageswitch.h"
#include "mainwindow/ui/mainform.h"

// Pictures of each page of the main window for the documentation. Runs only
// when ORVANTA_SCREENSHOT_DIR names the folder to write them to (see
// scripts/screenshots.sh); otherwise it is skipped.
namespace {
void Settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}
} // namespace

class tst_Screenshots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pages()
    {
        const QString out = qEnvironmentVariable("ORVANTA_SCREENSHOT_DIR");
        if (out.isEmpty())
            QSKIP("ORVANTA_SCREENSHOT_DIR is not set");
        QTemporaryDir home;
        qputenv("ORVANTA_HOME", home.path().toUtf8());
        QVERIFY(QDir().mkpath(out));

        tMainFormSeams seams;
        seams.LogModeKeysHeld = [] { return false; };
        TMainForm form(seams, tMainFormTimings{3600 * 1000, 3600 * 1000});
        tMainState &s = form.State;
        tnodeinfo *us = AddChildNode(s.EntireCollection.get(), 352);
        us->NodeName = QStringLiteral("United States");
        tnodeinfo *notes = AddChildNode(s.EntireCollection.get(), 353);
        notes->NodeName = QStringLiteral("United States paper money");
        notes->CoinShape = PaperMoneyShape;
        s.SelectedTreeNode = us;
        form.TabControl1->setEnabled(true);
        form.SelectedLabel->setText(us->NodeName);
        for (const char *name : {"Inventory", "Insurance list", "Want list", "Price guide"})
            form.ReportListBox->addItem(QString::fromLatin1(name));
        form.ReportListBox->setCurrentRow(0);

        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const char *const names[] = {"series", "ebooks", "pricing", "coins", "images", "graphs", "reports"};
        for (int tag = 0; tag < MainPageCount; ++tag) {
            form.TabControl1->setCurrentIndex(tag);
            Settle();
            QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("page-%1.png").arg(names[tag]))));
        }
        // The Series page laid out for paper money.
        form.TabControl1->setCurrentIndex(PageSeries);
        s.SelectedTreeNode = notes;
        form.SelectedLabel->setText(notes->NodeName);
        form.LayoutMainForm(true);
        Settle();
        QVERIFY(form.grab().save(QDir(out).filePath(QStringLiteral("page-series-paper.png"))));
    }
};

QTEST_MAIN(tst_Screenshots)
#include "tst_screenshots.moc"
