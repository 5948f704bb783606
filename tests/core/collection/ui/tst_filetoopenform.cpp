#include <QtTest>

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <unistd.h>

#include "core/files/collectionfile.h"
#include "core/collection/collectionlifecycle.h"
#include "core/model/mainstate.h"
#include "core/model/model.h"
#include "core/collection/ui/filetoopenform.h"
#include "support/recordingstores.h"
#include "support/scriptedui.h"

namespace {

void AddCoin(tMainState &s, const QString &notes)
{
    auto c = std::make_unique<tCoinInfo>();
    c->CoinType = RootCoinType;
    c->Folder = s.EntireCollection.get();
    c->Notes = notes;
    s.CoinList.push_back(std::move(c));
}

// A collection file holding one entry with the given notes.
void WriteCollection(const QString &path, const QString &notes)
{
    tMainState other;
    AddCoin(other, notes);
    QDir().mkpath(QFileInfo(path).path());
    SaveCollectionFile(other, path);
}

void Touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class tst_FileToOpenForm : public QObject {
    Q_OBJECT

    QTemporaryDir tmp_;
    std::unique_ptr<RecordingSettings> settings_;
    std::unique_ptr<tScriptedUi> ui_;
    std::unique_ptr<tMainState> s_;

    QString Path(const QString &name) const { return tmp_.filePath(name); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(tmp_.isValid());
        QDir(tmp_.path()).removeRecursively();
        QDir().mkpath(Path(QStringLiteral("home")));
        qputenv("ORVANTA_HOME", QFile::encodeName(Path(QStringLiteral("home"))));
        settings_ = std::make_unique<RecordingSettings>();
        ui_ = std::make_unique<tScriptedUi>();
        s_ = std::make_unique<tMainState>();
        s_->BackupsRedirect = Path(QStringLiteral("Backups/"));
        s_->BaseRedirect = Path(QStringLiteral("Documents/"));
        InstallLifecycleHooks(*s_);
    }

    void cleanup()
    {
        s_.reset();
        ui_.reset();
        settings_.reset();
    }

    // At start-up with no recent files: "Create a new collection file" is
    // chosen, the recent choice stays off (also after a cancelled browse),
    // there is no "Cancel", the browse dialog starts in the collections
    // folder, and Esc ends the window as a refusal (the program then ends).
    void startUpWithoutRecentFiles()
    {
        UpdateRecentFiles(Path(QStringLiteral("gone/Vanished.OVD")));
        TFileToOpenForm form(*s_, {});
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Welcome to Orvanta"));
        QVERIFY(s_->FileToOpenInUse);
        QVERIFY(form.RadioNewFile->isChecked());
        QVERIFY(!form.RadioRecentFile->isEnabled());
        QCOMPARE(form.ComboBox1->count(), 0);
        QVERIFY(form.CancelBtn->isHidden());

        form.RadioBrowseExisting->setChecked(true);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);  // the dialog is cancelled
        QCOMPARE(ui_->FileRequests.back().Title, QStringLiteral("Open an Orvanta database"));
        QCOMPARE(ui_->FileRequests.back().Folder, s_->BaseRedirect);
        QVERIFY(form.isVisible());
        QVERIFY(!form.RadioRecentFile->isEnabled());
        QVERIFY(form.OKBtn->isEnabled());

        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    // Recent files that exist are listed by name, most recent first; the
    // layouts place the recent choice in the import choice's place or below
    // the merge choice.
    void recentFilesAndBothLayouts()
    {
        WriteCollection(Path(QStringLiteral("a/Older.OVD")), QStringLiteral("older"));
        WriteCollection(Path(QStringLiteral("b/Newer.OVD")), QStringLiteral("newer"));
        UpdateRecentFiles(Path(QStringLiteral("a/Older.OVD")));
        UpdateRecentFiles(Path(QStringLiteral("missing/Gone.OVD")));
        UpdateRecentFiles(Path(QStringLiteral("b/Newer.OVD")));
        TFileToOpenForm form(*s_, {});
        form.show();
        QCOMPARE(form.ComboBox1->count(), 2);
        QCOMPARE(form.ComboBox1->itemText(0), QStringLiteral("Newer.OVD"));
        QCOMPARE(form.ComboBox1->itemText(1), QStringLiteral("Older.OVD"));
        QVERIFY(form.RadioRecentFile->isChecked());

        const int compactHeight = form.height();
        QCOMPARE(form.RadioRecentFile->y(), form.RadioImportFile->y());
        for (QWidget *w : {static_cast<QWidget *>(form.RadioImportFile), static_cast<QWidget *>(form.RadioAppendFile),
                           static_cast<QWidget *>(form.RadioSearchFile), static_cast<QWidget *>(form.ComboBox2)})
            QVERIFY(w->isHidden());
        form.Switch1->setChecked(true);
        QVERIFY(form.RadioRecentFile->y() > form.RadioAppendFile->y());
        QVERIFY(form.RadioSearchFile->y() > form.ComboBox1->y());
        QVERIFY(form.height() > compactHeight);
        QVERIFY(form.RadioAppendFile->isVisible());

        // The second item opens; a successful read puts it first again.
        form.ComboBox1->setCurrentIndex(1);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(s_->LastFileName, Path(QStringLiteral("a/Older.OVD")));
        QCOMPARE(s_->CoinList.front()->Notes, QStringLiteral("older"));
        QCOMPARE(RecentFiles().first(), Path(QStringLiteral("a/Older.OVD")));
    }

    // A recent file that cannot be read: the message, the window stays, and
    // the collection does not take the failed file's name.
    void failedRecentFileBringsTheWindowBack()
    {
        const QString bad = Path(QStringLiteral("Bad.OVD"));
        Touch(bad);
        UpdateRecentFiles(bad);
        TFileToOpenForm form(*s_, {});
        form.show();
        ui_->answer(QStringLiteral("OK"));
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(ui_->Messages.back().Text,
                 QStringLiteral("Orvanta was unable to load the file\r\"Bad.OVD\".\rThe file is empty."));
        QVERIFY(form.isVisible());
        QCOMPARE(form.result(), 0);
        QVERIFY(s_->LastFileName.isEmpty());
        QVERIFY(form.OKBtn->isEnabled());
    }

    // Merging at start-up replaces what was loaded by the default collection
    // and merges the chosen file into it.
    void mergeAtStartUpBuildsTheDefaultCollectionFirst()
    {
        AddCoin(*s_, QStringLiteral("left over"));
        s_->LastFileName = Path(QStringLiteral("Earlier.OVD"));
        const QString other = Path(QStringLiteral("Other.OVD"));
        WriteCollection(other, QStringLiteral("merged"));
        TFileToOpenForm form(*s_, {});
        form.show();
        form.Switch1->setChecked(true);
        form.RadioAppendFile->setChecked(true);
        ui_->pick({other});
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(ui_->FileRequests.back().Title, QStringLiteral("Merge an Orvanta database"));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(s_->CoinList.size(), size_t(1));
        QCOMPARE(s_->CoinList.front()->Notes, QStringLiteral("merged"));
        QVERIFY(s_->LastFileName.isEmpty());
        QVERIFY(s_->DataModified);
    }

    // From the menu: the other caption, "Cancel" offered, and Esc cancels.
    void menuOpenCanBeCancelled()
    {
        TFileToOpenForm form(*s_, {});
        form.setWindowTitle(OpenCollectionCaption);
        form.SetCancelability(true);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Open an Orvanta collection"));
        QVERIFY(form.CancelBtn->isVisible());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void newFileBuildsTheDefaultCollection()
    {
        AddCoin(*s_, QStringLiteral("old"));
        s_->LastFileName = Path(QStringLiteral("Old.OVD"));
        TFileToOpenForm form(*s_, {});
        form.show();
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(s_->CoinList.empty());
        QVERIFY(s_->LastFileName.isEmpty());
    }

    // The search walks the home folder's tree without following a link
    // loop, finds ".OVD" in any case, passes over an unreadable folder, and
    // opens what it found.
    void diskSearchFindsNestedFilesAndSurvivesALinkLoop()
    {
        const QString home = Path(QStringLiteral("home"));
        WriteCollection(home + QStringLiteral("/Top.OVD"), QStringLiteral("top"));
        Touch(home + QStringLiteral("/deep/er/still/lower.ovd"));
        Touch(home + QStringLiteral("/deep/notes.txt"));
        Touch(home + QStringLiteral("/locked/hidden.OVD"));
        QVERIFY(QFile::link(home + QStringLiteral("/deep"), home + QStringLiteral("/deep/er/loop")));
        const bool root = geteuid() == 0;
        QVERIFY(QFile::setPermissions(home + QStringLiteral("/locked"), QFileDevice::WriteOwner));

        TFileToOpenForm form(*s_, {});
        form.show();
        form.Switch1->setChecked(true);
        QVERIFY(form.SearchTriggered);
        QVERIFY(form.RadioSearchFile->text().startsWith(QStringLiteral("Open an existing file (Searching")));
        QTRY_VERIFY_WITH_TIMEOUT(!form.Searching(), 60000);
        QFile::setPermissions(home + QStringLiteral("/locked"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QStringList expected{home + QStringLiteral("/deep/er/still/lower.ovd")};
        if (root)
            expected << home + QStringLiteral("/locked/hidden.OVD");
        expected << home + QStringLiteral("/Top.OVD");
        QCOMPARE(form.FindList, expected);
        QCOMPARE(form.RadioSearchFile->text(), QStringLiteral("Open an existing file (%1 found)").arg(expected.size()));
        QVERIFY(form.RadioSearchFile->isEnabled());
        QCOMPARE(form.ComboBox2->currentData().toString(), expected.first());

        // Switching back to the compact form moves the choice to "Browse".
        form.RadioSearchFile->setChecked(true);
        form.Switch1->setChecked(false);
        QVERIFY(form.RadioBrowseExisting->isChecked());
        form.Switch1->setChecked(true);

        form.ComboBox2->setCurrentIndex(static_cast<int>(expected.size()) - 1);
        form.RadioSearchFile->setChecked(true);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(s_->LastFileName, home + QStringLiteral("/Top.OVD"));
        QCOMPARE(s_->CoinList.front()->Notes, QStringLiteral("top"));
    }

    void searchThatFindsNothing()
    {
        TFileToOpenForm form(*s_, {});
        form.show();
        form.Switch1->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(!form.Searching(), 60000);
        QCOMPARE(form.RadioSearchFile->text(), QStringLiteral("Open an existing file (0 found)"));
        QVERIFY(!form.RadioSearchFile->isEnabled());
        QVERIFY(!form.ComboBox2->isEnabled());
    }

    // The window can go while its search is under way; nothing of the
    // search outlives it.
    void closingDuringTheSearch()
    {
        const QString home = Path(QStringLiteral("home"));
        for (int i = 0; i < 40; ++i)
            Touch(home + QStringLiteral("/d%1/e/f.OVD").arg(i));
        auto form = std::make_unique<TFileToOpenForm>(*s_, tFileToOpenHooks{});
        form->SetCancelability(true);
        form->show();
        form->Switch1->setChecked(true);
        QVERIFY(form->Searching());
        QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
        QVERIFY(!form->Searching());
        form.reset();
        QVERIFY(!s_->FileToOpenInUse);
        QTest::qWait(1);  // a pending search tick must not reach the freed window
    }
};

QTEST_MAIN(tst_FileToOpenForm)
#include "tst_filetoopenform.moc"
