#include <QtTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "core/catalogue/countries.h"
#include "core/program/settings.h"
#include "platform/paths.h"
#include "support/downloadfixtures.h"
#include "support/ftpserver.h"
#include "support/programfixture.h"
#include "updates/pricelists/ui/priceupdateform.h"

namespace {

// The update server's account as the program has it built in.
const QString ServerUser = QStringLiteral("orvanta");
const QString ServerPassword = QStringLiteral("Qm#tw27v84");

// "PriceDates.Dat": the server's price-list date per country number.
QByteArray PriceDates(int country, int32_t date)
{
    QByteArray out;
    for (int i = 0; i < CountryTableSize; ++i) {
        const quint32 v = static_cast<quint32>(i == country ? date : 0);
        for (int b = 0; b < 4; ++b)
            out.append(static_cast<char>((v >> (8 * b)) & 0xFF));
    }
    return out;
}

template <class T>
T *Control(const char *name)
{
    return PriceUpdateForm ? PriceUpdateForm->findChild<T *>(QLatin1String(name)) : nullptr;
}

// A loopback port where nothing listens: every connect is refused at once.
QString DeadAddress()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    ::close(fd);  // bound but never listening: the port is free again
    return QStringLiteral("127.0.0.1:") + QString::number(ntohs(addr.sin_port));
}

} // namespace

// "Download price lists" in the assembled program: the server's address is
// set in the window itself, and Done ends an update that cannot get through.
class tst_ProgramDownloads : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        if (PriceUpdateForm)
            PriceUpdateForm->close();
        QTRY_VERIFY(!PriceUpdateForm);
    }

    void noServerThenALoopbackServer()
    {
        tProgramFixture program;
        program.Open();
        program.Start();
        tMainState &s = program.State();
        // A sample country whose price list and structure file are on disk.
        const tCountryInfo *country = nullptr;
        QString base;
        for (const auto &c : s.CountryList) {
            base = QFileInfo(c->Path).completeBaseName();
            if (QFileInfo::exists(s.PricesRedirect + base + QStringLiteral(".OVP")) && QFileInfo::exists(c->Path)) {
                country = c.get();
                break;
            }
        }
        QVERIFY(country);
        const int id = country->CountryID;

        program.Trigger(QStringLiteral("DownloadPriceLists1"));
        QVERIFY(PriceUpdateForm);
        auto *status = Control<QLabel>("Label1");
        auto *begin = Control<QPushButton>("UpdateButton");
        // No server: said at once, and nothing to begin.
        QCOMPARE(status->text(), NoServerText);
        QVERIFY(!begin->isEnabled());
        QVERIFY(Control<QPushButton>("OKbutton")->isEnabled());

        // A typing slip is refused and stored nowhere.
        auto *edit = Control<QLineEdit>("ServerEdit");
        edit->setText(QStringLiteral("localhost:port"));
        Control<QPushButton>("ServerButton")->click();
        QVERIFY(status->text().contains(QStringLiteral("port")));
        QVERIFY(!program.Settings.read(QString(RegName::UpdateServer)));

        LoopbackFtpServer::Options options;
        options.user = ServerUser;
        options.password = ServerPassword;
        LoopbackFtpServer server(options);
        QVERIFY2(server.error().isEmpty(), qPrintable(server.error()));
        const int32_t serverDate = std::max(s.PricesDatesArray[static_cast<size_t>(id)], 0) + 100;
        server.putFile(QStringLiteral("Prices7/PriceDates.Dat"), PriceDates(id, serverDate));
        server.putFile(QStringLiteral("Prices7/") + base + QStringLiteral(".OVP"),
                       ReadFixtureFile(s.PricesRedirect + base + QStringLiteral(".OVP")));
        server.putFile(QStringLiteral("Prices7/") + base + QStringLiteral(".OVCD"), ReadFixtureFile(country->Path));

        edit->setText(QStringLiteral(" ") + server.host() + QStringLiteral(" "));
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(begin->isEnabled());
        QCOMPARE(s.UpdateServerHost, server.host());
        QCOMPARE(program.Settings.read(QString(RegName::UpdateServer))->Text, server.host());
        auto *dateLabel = Control<QLabel>(qPrintable(QStringLiteral("ItemLabel%1").arg(id)));
        QVERIFY(dateLabel && !dateLabel->isHidden());

        Control<QPushButton>("SelectNoneBtn")->click();
        auto *row = Control<QCheckBox>(qPrintable(QStringLiteral("ItemCheckBox%1").arg(id)));
        row->setChecked(true);
        begin->click();
        QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("Update complete."), 60000);
        QTRY_VERIFY(begin->isEnabled());
        QVERIFY2(row->text().endsWith(QStringLiteral(" (Done)")), qPrintable(row->text()));
        QVERIFY(server.commands().contains(QStringLiteral("RETR ") + base + QStringLiteral(".OVP")));
        QVERIFY(server.commands().contains(QStringLiteral("RETR ") + base + QStringLiteral(".OVCD")));

        Control<QPushButton>("OKbutton")->click();
        QTRY_VERIFY(!PriceUpdateForm);

        // The address is a setting: a restart keeps it.
        program.Open();
        QCOMPARE(program.State().UpdateServerHost, server.host());
    }

    // Done while the connect keeps failing: no further attempt, no pause
    // waited out; the window closes as soon as the update has ended.
    void doneStopsTheRetriesAtOnce()
    {
        tProgramFixture program;
        program.Settings.write(QString(RegName::UpdateServer), platform::SettingValue::string(DeadAddress()));
        program.Open();
        program.Start();
        program.Trigger(QStringLiteral("DownloadPriceLists1"));
        QVERIFY(PriceUpdateForm);
        QStringList texts;
        connect(&PriceUpdateForm->Machine(), &tPriceUpdateMachine::StatusText, this,
                [&texts](const QString &t) { texts << t; });
        auto *begin = Control<QPushButton>("UpdateButton");
        QTRY_VERIFY(begin->isEnabled());  // the dates could not be fetched: tried once, quietly

        Control<QPushButton>("SelectAllBtn")->click();
        begin->click();
        QTRY_VERIFY(texts.contains(QStringLiteral("Connecting to server (Retry 1)")));
        Control<QPushButton>("OKbutton")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!PriceUpdateForm, 30000);
        QVERIFY2(!texts.contains(QStringLiteral("Connecting to server (Retry 2)")), qPrintable(texts.join(QLatin1Char('|'))));
    }
};

QTEST_MAIN(tst_ProgramDownloads)
#include "tst_programdownloads.moc"
