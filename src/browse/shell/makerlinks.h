#pragma once
// The maker's web site, video channel page and e-mail address behind the
// "Contact Quillfen Software" items. None is built in: each is a setting of
// its own with no default ("Maker web site", "Maker video page", "Maker
// e-mail"), and a command whose address is not set says so. Only web pages
// (http, https) and plain e-mail addresses are handed to the desktop, so a
// setting can never make the program open a local file or run a program.
#include <QLatin1StringView>
#include <QString>
#include <QUrl>

enum class tMakerLink { WebSite, VideoPage, EMail };

// The setting that holds a link's address.
QLatin1StringView MakerLinkSetting(tMakerLink link);

struct tMakerLinkTarget {
    QUrl Url;        // valid: what to open
    QString Message; // otherwise: what to tell the collector
};
// What a command opens for the stored address (the setting's text).
tMakerLinkTarget MakerLinkTarget(tMakerLink link, const QString &stored);
