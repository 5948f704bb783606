#include "browse/shell/makerlinks.h"

#include <QRegularExpression>

#include "core/program/settings.h"

namespace {

QString What(tMakerLink link)
{
    switch (link) {
    case tMakerLink::WebSite:
        return QStringLiteral("Quillfen Software's web site");
    case tMakerLink::VideoPage:
        return QStringLiteral("Quillfen Software's video channel");
    case tMakerLink::EMail:
        return QStringLiteral("Quillfen Software's e-mail address");
    }
    return {};
}

QString SettingsHint(tMakerLink link)
{
    return QStringLiteral("It is the value \"%1\" in the section [Coins] of the file Settings.ini in the "
                          "Orvanta folder of your configuration folder (~/.config/Orvanta).")
        .arg(MakerLinkSetting(link));
}

} // namespace

QLatin1StringView MakerLinkSetting(tMakerLink link)
{
    switch (link) {
    case tMakerLink::WebSite:
        return RegName::MakerWebSite;
    case tMakerLink::VideoPage:
        return RegName::MakerVideoPage;
    case tMakerLink::EMail:
        return RegName::MakerEMail;
    }
    return {};
}

tMakerLinkTarget MakerLinkTarget(tMakerLink link, const QString &stored)
{
    const QString address = stored.trimmed();
    if (address.isEmpty())
        return {{}, QStringLiteral("No address is set for %1. ").arg(What(link)) + SettingsHint(link)};
    const QString bad = QStringLiteral("\"%1\" is not a valid address for %2. ").arg(address, What(link)) +
                        SettingsHint(link);
    if (link == tMakerLink::EMail) {
        QString mail = address;
        if (mail.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            mail = mail.mid(7);
        // One address: a local part, "@" and a domain with a dot, no blanks
        // and nothing that would add headers or further recipients.
        static const QRegularExpression plain(QStringLiteral("^[^@\\s?&,;:<>\"]+@[^@\\s?&,;:<>\"/]+\\.[^@\\s?&,;:<>\"/]+$"));
        if (!plain.match(mail).hasMatch())
            return {{}, bad};
        QUrl url;
        url.setScheme(QStringLiteral("mailto"));
        url.setPath(mail);
        return {url, {}};
    }
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return {{}, bad};
    return {url, {}};
}
