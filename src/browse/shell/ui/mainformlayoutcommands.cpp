// The main window's small commands about itself and its maker: the fitted
// series caption, "Resize main window", the tip of the day, the About box
// and the maker's web pages and e-mail.
#include "browse/shell/ui/mainform.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QSizePolicy>

#include "browse/shell/layoutcommands.h"
#include "browse/tips/ui/tipform.h"
#include "core/model/currproc.h"
#include "core/model/helpers.h"
#include "core/program/about.h"
#include "core/program/epicmessage.h"
#include "core/program/errorreport.h"
#include "core/program/settings.h"
#include "core/program/ui/aboutform.h"
#include "platform/settingsstore.h"

void TMainForm::InstallLayoutCommands()
{
    // The caption is sized to the panel, never the panel to the caption.
    SelectedLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    SelectedLabel->setTextFormat(Qt::PlainText);
    SetIfUnset(Seams.SetSelectedLabelCaption, [this](const QString &caption) { SetSelectedLabelCaption(caption); });
    SetIfUnset(Seams.Tipoftheday1Click, [this] { ::Tipoftheday1Click(State, this); });

    auto connectItem = [this](const char *name, auto &&slot) {
        if (auto *item = findChild<QAction *>(QString::fromLatin1(name)))
            connect(item, &QAction::triggered, this, std::forward<decltype(slot)>(slot));
    };
    connectItem("Tipoftheday1", [this] { CallSeam(Seams.Tipoftheday1Click); });
    connectItem("AboutOrvanta1", [this] { AboutOrvanta1Click(); });
    connectItem("ResizeMainWindow1", [this] { ResizeMainWindow1Click(); });
    connectItem("VisitQuillfenSoftware1", [this] { OpenMakerLink(tMakerLink::WebSite); });
    connectItem("YouTube1", [this] { OpenMakerLink(tMakerLink::VideoPage); });
    connectItem("eMailQuillfen1", [this] { OpenMakerLink(tMakerLink::EMail); });
}

void TMainForm::SetSelectedLabelCaption(const QString &caption)
{
    CurrProcGuard guard(8600);
    const QScreen *screen = this->screen();
    const int screenWidth = screen ? screen->geometry().width() : 1920;
    // The label's own padding (style sheet) is not room for text.
    const QSize room = SelectedLabel->contentsRect().size() - QSize(8, 0);
    QFont f = SelectedLabel->font();
    const int size = FitCaptionSize(screenWidth, room, [&](int px) {
        f.setPixelSize(px);
        return QFontMetrics(f).size(Qt::TextSingleLine, caption);
    });
    f.setPixelSize(size);
    SelectedLabel->setFont(f);
    SelectedLabel->setText(caption);
}

void TMainForm::ResizeMainWindow1Click()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    setGeometry(ResizedMainWindowBounds(screen->availableGeometry()));
}

void TMainForm::AboutOrvanta1Click()
{
    ShowAboutBox(State.OVversionString, AboutCounts(State), this);
}

void TMainForm::OpenMakerLink(tMakerLink link)
{
    QString stored;
    try {
        stored = ReadRegString(MakerLinkSetting(link), QString());
    } catch (const platform::SettingsError &e) {
        AppException(e);
        return;
    }
    const tMakerLinkTarget target = MakerLinkTarget(link, stored);
    if (!target.Url.isValid()) {
        ShowEpicMessage(target.Message, QStringLiteral("OK"));
        return;
    }
    MultiPlatformOpen(target.Url.toString(QUrl::FullyEncoded));
}
