#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/zip.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "support/programfixture.h"
#include "updates/bluetooth/ui/bluetoothform.h"
#include "updates/imagepacks/imagepack.h"
#include "updates/imagepacks/ui/imageupdateform.h"
#include "updates/newcointypes/ui/autoupdateform.h"
#include "updates/programupdate/ui/programupdateform.h"

namespace {

const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

template <class T>
T *Child(QWidget *form, const QString &name)
{
    return form ? form->findChild<T *>(name) : nullptr;
}

// A radio with an adapter that accepts the service; nothing connects.
class tQuietRadio final : public tBtTransport {
public:
    bool AdapterConnected() const override { return true; }
    QString AdapterName() const override { return QStringLiteral("test-adapter"); }
    void Listen(const QString &, const QString &) override {}
    void Close() override {}
    void DropClient(int) override {}
};

LoopbackFtpServer::Options Account()
{
    LoopbackFtpServer::Options o;
    o.user = ServerUser;
    o.password = ServerPassword;
    return o;
}

} // namespace

// The download windows and the Bluetooth window in the assembled program,
// each opened from its menu item.
class tst_UpdateWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        for (QWidget *w : std::initializer_list<QWidget *>{ImageUpdateForm, ProgramUpdateForm, AutoUpdateForm, BlueToothForm})
            if (w)
                w->close();
        QTRY_VERIFY(!ImageUpdateForm && !ProgramUpdateForm && !AutoUpdateForm && !BlueToothForm);
        BtTransportFactory = nullptr;
    }

    void downloadImagesUnpacksACountry()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        QVERIFY(!s.CountryList.empty());
        const tCountryInfo &country = *s.CountryList.front();

        LoopbackFtpServer server(Account());
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        QTemporaryDir work;
        const QString zip = work.path() + QStringLiteral("/pack.zip");
        platform::zipEntries({{QStringLiteral("Front.jpg"), QByteArray(5000, 'f'), {}},
                              {QStringLiteral("Sub/Back.jpg"), QByteArray("back"), {}}},
                             zip);
        server.putFile(QStringLiteral("Images/") + ImagePackName(country), ReadFixtureFile(zip));
        s.UpdateServerHost = server.host();

        QVERIFY(program.Action(QStringLiteral("Checkforimageupdates1"))->isVisible());
        program.Trigger(QStringLiteral("Checkforimageupdates1"));
        QVERIFY(ImageUpdateForm);
        QCOMPARE(ImageUpdateForm->windowTitle(), QStringLiteral("Download images"));
        auto *row = Child<QCheckBox>(ImageUpdateForm, QStringLiteral("ImageCheckBox%1").arg(country.CountryID));
        QVERIFY(row);
        auto *status = Child<QLabel>(ImageUpdateForm, QStringLiteral("Label1"));
        QCOMPARE(status->text(), QStringLiteral("0 items selected"));
        row->setChecked(true);
        QCOMPARE(status->text(), QStringLiteral("1 item selected"));
        auto *begin = Child<QPushButton>(ImageUpdateForm, QStringLiteral("UpdateButton"));
        begin->click();
        QVERIFY(!begin->isEnabled());
        QVERIFY(!Child<QPushButton>(ImageUpdateForm, QStringLiteral("StopButton"))->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Update complete."), 60000);
        QTRY_VERIFY(begin->isEnabled());
        QVERIFY2(row->text().endsWith(QStringLiteral(" (Done)")), qPrintable(row->text()));
        QVERIFY(!row->text().startsWith(QLatin1Char(' ')));
        const QString folder = s.FolderImagesRedirect + country.Name;
        QCOMPARE(ReadFixtureFile(folder + QStringLiteral("/Front.jpg")), QByteArray(5000, 'f'));
        QCOMPARE(ReadFixtureFile(folder + QStringLiteral("/Sub/Back.jpg")), QByteArray("back"));
        QVERIFY(!QFileInfo::exists(s.FolderImagesRedirect + ImagePackName(country)));
        QCOMPARE(CountJpgFiles(folder), 2);

        // The command again brings the same window; Done closes it.
        QWidget *open = ImageUpdateForm;
        program.Trigger(QStringLiteral("Checkforimageupdates1"));
        QCOMPARE(ImageUpdateForm, open);
        Child<QPushButton>(ImageUpdateForm, QStringLiteral("OKbutton"))->click();
        QTRY_VERIFY(!ImageUpdateForm);
    }

    void programUpdateOffersTheNewVersion()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        // Without a server the window says so and fetches nothing.
        s.UpdateServerHost.clear();
        program.Trigger(QStringLiteral("Checkforprogramupdates1"));
        QVERIFY(ProgramUpdateForm);
        auto *heading = Child<QLabel>(ProgramUpdateForm, QStringLiteral("Label2"));
        QTRY_COMPARE(heading->text(), QStringLiteral("No update server"));
        QCOMPARE(Child<QPushButton>(ProgramUpdateForm, QStringLiteral("OKbutton"))->text(), QStringLiteral("OK"));
        QVERIFY(Child<QPushButton>(ProgramUpdateForm, QStringLiteral("DownloadButton"))->isHidden());
        ProgramUpdateForm->close();
        QTRY_VERIFY(!ProgramUpdateForm);

        LoopbackFtpServer server(Account());
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        server.putFile(QStringLiteral("Program/Update Notes.txt"), "99.0.0\r\nEverything is new\r\n");
        s.UpdateServerHost = server.host();
        program.Trigger(QStringLiteral("Checkforprogramupdates1"));
        QVERIFY(ProgramUpdateForm);
        QCOMPARE(ProgramUpdateForm->windowTitle(), QStringLiteral("Orvanta: Check for program updates"));
        heading = Child<QLabel>(ProgramUpdateForm, QStringLiteral("Label2"));
        QTRY_COMPARE_WITH_TIMEOUT(heading->text(),
                                  QStringLiteral("Current version: ") + s.OVversionString +
                                      QStringLiteral("\nAvailable version: 99.0.0"),
                                  30000);
        QCOMPARE(Child<QLabel>(ProgramUpdateForm, QStringLiteral("Label3"))->text(), QStringLiteral("Everything is new\n"));
        QVERIFY(!Child<QLabel>(ProgramUpdateForm, QStringLiteral("Image1"))->isHidden());
        auto *download = Child<QPushButton>(ProgramUpdateForm, QStringLiteral("DownloadButton"));
        QVERIFY(!download->isHidden());
        QCOMPARE(Child<QPushButton>(ProgramUpdateForm, QStringLiteral("OKbutton"))->text(), QStringLiteral("Cancel"));

        // The installer is not on the server: said, the program goes on.
        download->click();
        QTRY_COMPARE_WITH_TIMEOUT(heading->text(), QStringLiteral("Download issue"), 30000);
        QVERIFY(download->isHidden());
        QVERIFY(program.Form().isVisible());
    }

    void newCoinTypesAndBluetooth()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        program.Trigger(QStringLiteral("AutoAdd1"));
        QVERIFY(AutoUpdateForm);
        const tCountryInfo &country = *s.CountryList.front();
        auto *row = Child<QCheckBox>(AutoUpdateForm, QStringLiteral("AutoAddCheckBox%1").arg(country.CountryID));
        QVERIFY(row && row->isChecked());
        row->setChecked(false);
        s.DataModified = false;
        Child<QPushButton>(AutoUpdateForm, QStringLiteral("OKbutton"))->click();
        QTRY_VERIFY(!AutoUpdateForm);
        QCOMPARE(s.AutoAddStr.size(), 1000);
        QCOMPARE(s.AutoAddStr[country.CountryID], QLatin1Char('N'));
        QVERIFY(s.DataModified);

        // The Bluetooth item is hidden and nothing shows it; its command
        // still opens the window.
        QAction *bt = program.Action(QStringLiteral("BlueToothMenuItem"));
        QVERIFY(!bt->isVisible());
        BtTransportFactory = [] { return std::make_unique<tQuietRadio>(); };
        program.Trigger(QStringLiteral("BlueToothMenuItem"));
        QVERIFY(BlueToothForm);
        QTRY_COMPARE(Child<QLabel>(BlueToothForm, QStringLiteral("Labeldiscoverable"))->text(),
                     QStringLiteral("Device discoverable as \"test-adapter\""));
        QCOMPARE(Child<QLabel>(BlueToothForm, QStringLiteral("LabelServer"))->text(), QStringLiteral("Orvanta"));
        auto *button = Child<QPushButton>(BlueToothForm, QStringLiteral("StartServiceButton"));
        button->click();
        QVERIFY(button->isChecked());
        QCOMPARE(button->text(), QStringLiteral("Stop Text Service"));
        QCOMPARE(Child<QPlainTextEdit>(BlueToothForm, QStringLiteral("Memo1"))->toPlainText(),
                 QStringLiteral(" - Service created: \"Orvanta\""));
        QWidget *open = BlueToothForm;
        program.Trigger(QStringLiteral("BlueToothMenuItem"));
        QCOMPARE(BlueToothForm, open);
        BlueToothForm->close();
        QTRY_VERIFY(!BlueToothForm);
        QVERIFY(!BlueToothFormInUse);
    }
};

QTEST_MAIN(tst_UpdateWindows)
#include "tst_updatewindows.moc"
