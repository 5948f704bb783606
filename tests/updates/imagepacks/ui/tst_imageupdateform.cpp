#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/model/model.h"
#include "core/model/seriestree.h"
#include "core/program/log.h"
#include "platform/zip.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "support/scriptedui.h"
#include "updates/imagepacks/ui/imageupdateform.h"

namespace {

const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

// Three countries: two coin countries, one of them in the collection, and
// a paper-money one in the collection.
struct Fixture {
    QTemporaryDir dir;
    tMainState s;
    std::unique_ptr<LoopbackFtpServer> server;
    tScriptedUi messages{tScriptedUi::tUnscripted::FirstButton};
    FakeRetryClock clock;
    int inCollection = 0, notInCollection = 0, paper = 0;

    explicit Fixture(LoopbackFtpServer::Options options = {})
    {
        s.FolderImagesRedirect = dir.path() + QStringLiteral("/Images/");
        s.OtherRedirect = dir.path() + QStringLiteral("/Other/");
        inCollection = CoinTypeToCountry(40 * 1000);
        notInCollection = CoinTypeToCountry(41 * 1000);
        paper = CoinTypeToCountry(340 * 1000);
        Add(inCollection, QStringLiteral("Belgium"), false);
        Add(notInCollection, QStringLiteral("Chile"), false);
        Add(paper, QStringLiteral("Belgium Paper"), true);
        s.EntireCollection = std::make_unique<tnodeinfo>();
        s.EntireCollection->CoinType = RootCoinType;
        for (int type : {40 * 1000 + 1, 340 * 1000 + 1}) {
            auto n = std::make_unique<tnodeinfo>();
            n->CoinType = type;
            n->ParentNode = s.EntireCollection.get();
            s.EntireCollection->ChildNodes.push_back(std::move(n));
        }
        options.user = ServerUser;
        options.password = ServerPassword;
        server = std::make_unique<LoopbackFtpServer>(options);
        s.UpdateServerHost = server->host();
    }
    void Add(int id, const QString &name, bool isPaper)
    {
        auto c = std::make_unique<tCountryInfo>();
        c->CountryID = id;
        c->Name = name;
        c->Description = name;
        c->Continent = 4;
        c->IsPaper = isPaper;
        c->Path = dir.path() + QStringLiteral("/Countries/") + name + QStringLiteral(".OVCD");
        s.CountryList.push_back(std::move(c));
    }
    void Pictures(const QString &country, int count, const QString &extension)
    {
        for (int i = 0; i < count; ++i)
            WriteFixtureFile(s.FolderImagesRedirect + country + QStringLiteral("/p%1").arg(i) + extension, "x");
    }
};

QCheckBox *Row(QWidget *form, int country)
{
    return form->findChild<QCheckBox *>(QStringLiteral("ImageCheckBox%1").arg(country));
}

QPushButton *Button(QWidget *form, const char *name)
{
    return form->findChild<QPushButton *>(QString::fromLatin1(name));
}

QString Status(QWidget *form)
{
    return form->findChild<QLabel *>(QStringLiteral("Label1"))->text();
}

} // namespace

class tst_ImageUpdateForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LogMode = false; }
    void cleanup()
    {
        if (ImageUpdateForm)
            ImageUpdateForm->close();
        QTRY_VERIFY(!ImageUpdateForm);
    }

    void suggestions()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        f.server->putFile(QStringLiteral("Images/ImageDirectory.ini"),
                          "[Countries]\nBelgium=120\nChile=500\nBelgiumPaper=4\n");
        f.Pictures(QStringLiteral("Belgium"), 60, QStringLiteral(".jpg"));
        f.Pictures(QStringLiteral("Belgium/Sub"), 40, QStringLiteral(".JPG"));
        f.Pictures(QStringLiteral("Belgium/More"), 30, QStringLiteral(".jpeg"));
        f.Pictures(QStringLiteral("Belgium Paper"), 4, QStringLiteral(".jpg"));
        auto *form = OpenImageUpdateForm(f.s, nullptr, f.clock.clock());
        QCOMPARE(Status(form), QStringLiteral("0 items selected"));
        // Nothing is pre-checked; rows carry two leading blanks.
        QCOMPARE(Row(form, f.inCollection)->text(), QStringLiteral("  Coins: Belgium"));
        Row(form, f.paper)->setChecked(true);

        Button(form, "SuggestCoinsBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Status(form), QStringLiteral("Coins for 1 country suggested."), 30000);
        QVERIFY(form->SuggestPulled());
        // 120 on the server against 100 pictures: suggested. Chile has more
        // on the server, but the collection holds none of it.
        QVERIFY(Row(form, f.inCollection)->isChecked());
        QVERIFY(!Row(form, f.notInCollection)->isChecked());
        QVERIFY(Row(form, f.paper)->isChecked());  // a paper row, left alone

        // Paper: 4 against 4, none suggested; coin rows keep their state.
        Button(form, "SuggestPaperBtn")->click();
        QCOMPARE(Status(form), QStringLiteral("Paper money for 0 countries suggested."));
        QVERIFY(!Row(form, f.paper)->isChecked());
        QVERIFY(Row(form, f.inCollection)->isChecked());
        // The directory was fetched once in this opening.
        QCOMPARE(f.server->commands().count(QStringLiteral("RETR ImageDirectory.ini")), 1);

        Button(form, "SelectPaperBtn")->click();
        QVERIFY(Row(form, f.paper)->isChecked());
        QVERIFY(!Row(form, f.inCollection)->isChecked());
        QCOMPARE(Status(form), QStringLiteral("1 item selected"));
        Button(form, "SelectNoneBtn")->click();
        QCOMPARE(Status(form), QStringLiteral("0 items selected"));
    }

    void directoryFailureIsAStatusMessage()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        WriteFixtureFile(f.s.OtherRedirect + QStringLiteral("ImageDirectory.ini"), "[Countries]\nBelgium=999\n");
        auto *form = OpenImageUpdateForm(f.s, nullptr, f.clock.clock());
        Button(form, "SuggestCoinsBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(Button(form, "SuggestCoinsBtn")->isEnabled(), 30000);
        QVERIFY2(Status(form).startsWith(QStringLiteral("Could not fetch the image directory")), qPrintable(Status(form)));
        QVERIFY(!form->SuggestPulled());
        QVERIFY(!Row(form, f.inCollection)->isChecked());
        QVERIFY(f.messages.Messages.empty());
        QVERIFY(f.messages.Errors.empty());
        // The old copy stays until a new one arrives; the next press tries again.
        QCOMPARE(ReadFixtureFile(f.s.OtherRedirect + QStringLiteral("ImageDirectory.ini")),
                 QByteArray("[Countries]\nBelgium=999\n"));
        f.server->putFile(QStringLiteral("Images/ImageDirectory.ini"), "[Countries]\nBelgium=1\n");
        Button(form, "SuggestCoinsBtn")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Status(form), QStringLiteral("Coins for 1 country suggested."), 30000);
        QVERIFY(Row(form, f.inCollection)->isChecked());
    }

    void doneDuringAnUpdate()
    {
        LoopbackFtpServer::Options o;
        o.slowMs = 100;
        Fixture f(o);
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        QTemporaryDir work;
        platform::zipEntries({{QStringLiteral("a.jpg"), QByteArray(60000, 'a'), {}}}, work.path() + QStringLiteral("/b.zip"));
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), ReadFixtureFile(work.path() + QStringLiteral("/b.zip")));
        f.server->putFile(QStringLiteral("Images/Chile.ZIP"), ReadFixtureFile(work.path() + QStringLiteral("/b.zip")));
        auto *form = OpenImageUpdateForm(f.s, nullptr, f.clock.clock());
        QPointer<QWidget> alive(form);
        Row(form, f.inCollection)->setChecked(true);
        Row(form, f.notInCollection)->setChecked(true);
        Button(form, "UpdateButton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(Status(form).startsWith(QStringLiteral("Updating Belgium")), 30000);
        QVERIFY(!Button(form, "UpdateButton")->isEnabled());
        Button(form, "OKbutton")->click();
        QVERIFY(alive);  // it stays until the running pack is in
        QTRY_VERIFY_WITH_TIMEOUT(!alive, 60000);
        // The pack completed, but nothing was unpacked or started after Done.
        QCOMPARE(f.server->commands().count(QStringLiteral("RETR Chile.ZIP")), 0);
        QVERIFY(!QFileInfo::exists(f.s.FolderImagesRedirect + QStringLiteral("Belgium/a.jpg")));
        QVERIFY(!ImageUpdateInUse);
    }

    void captionsStayAndNoServer()
    {
        Fixture f;
        QVERIFY2(f.server->error().isEmpty(), qPrintable(f.server->error()));
        QTemporaryDir work;
        platform::zipEntries({{QStringLiteral("a.jpg"), "a", {}}}, work.path() + QStringLiteral("/b.zip"));
        f.server->putFile(QStringLiteral("Images/Belgium.ZIP"), ReadFixtureFile(work.path() + QStringLiteral("/b.zip")));
        auto *form = OpenImageUpdateForm(f.s, nullptr, f.clock.clock());
        Row(form, f.inCollection)->setChecked(true);
        Row(form, f.notInCollection)->setChecked(true);
        Button(form, "UpdateButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Status(form), QStringLiteral("Update complete."), 30000);
        QTRY_VERIFY(Button(form, "UpdateButton")->isEnabled());
        QCOMPARE(Row(form, f.inCollection)->text(), QStringLiteral("Coins: Belgium (Done)"));
        QCOMPARE(Row(form, f.notInCollection)->text(), QStringLiteral("Coins: Chile (Failed)"));
        QVERIFY(Button(form, "StopButton")->isHidden());

        // A second update leaves the other row's caption as it was.
        Row(form, f.notInCollection)->setChecked(false);
        Button(form, "UpdateButton")->click();
        QTRY_COMPARE_WITH_TIMEOUT(Status(form), QStringLiteral("Update complete."), 30000);
        QTRY_VERIFY(Button(form, "UpdateButton")->isEnabled());
        QCOMPARE(Row(form, f.notInCollection)->text(), QStringLiteral("Coins: Chile (Failed)"));

        // Without a server the window says so and fetches nothing.
        const auto before = f.server->commands().size();
        f.s.UpdateServerHost.clear();
        Button(form, "UpdateButton")->click();
        QCOMPARE(Status(form), NoServerElsewhereText);
        QVERIFY(Button(form, "UpdateButton")->isEnabled());
        QCOMPARE(f.server->commands().size(), before);
    }
};

QTEST_MAIN(tst_ImageUpdateForm)
#include "tst_imageupdateform.moc"
