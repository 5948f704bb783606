#pragma once
// The commands that shape the series tree and move around it: the series
// menu's Properties, Add a new series, the two sorts, Delete and Empty; the
// Themes side page and "Theme setup"; the recent and favourite series
// menus; the country credit picture in the tree area's corner; the callout
// over the Pricing tab for an empty user series; and the welcome window
// kept in front of the main window. Made once by the main window, which
// owns it; the work itself is plain code in browse/series/seriesedit.h,
// themes.h and seriesmenus.h.
#include <QObject>
#include <QPointer>

#include "browse/series/seriesmenus.h"

class QAction;
class QLabel;
class QVariantAnimation;
class QWidget;
class TMainForm;
class TNewFolder_Form;
class TThemeForm;
class TThemePanel;
class TUserSeriesPopup;

class TSeriesCommands : public QObject {
    Q_OBJECT
public:
    explicit TSeriesCommands(TMainForm &form);

    // The series properties dialog, made once (Seams.CreateNewFolderForm)
    // after the currencies are loaded.
    TNewFolder_Form *NewFolderForm();
    TThemePanel *ThemePanel = nullptr;
    QPointer<TThemeForm> ThemeForm;
    QAction *ThemeSetupAction = nullptr;  // "Theme setup"
    tRecentSeries Recent;
    tCreditPicture Credit;
    QLabel *AdminImage = nullptr;
    QVariantAnimation *AdminAnimation = nullptr;
    TUserSeriesPopup *UserSeries_Popup = nullptr;

    void Properties1Click(bool addNew);
    void Sortsubseriesalphabetically1Click(bool byDate);
    void Deletethisfolder1Click(bool emptyOnly);
    void ThemeSetupClick();
    void AddRecent();
    void ClearRecentSeriesMenu();
    void BuildFavoritesMenu();
    void RecentSeriesMenuClick(int coinType);
    void ShowCountryCredit();
    void NextAdminImage();
    void AdminImageClick();
    void ShowUserSeriesHint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ConnectSeriesMenu();
    void InstallThemes();
    void BuildCreditPicture();
    void FillSeriesMenu(class QMenu *menu, const std::vector<tSeriesMenuItem> &items, const QString &empty);
    void AfterTreeChange();
    QWidget *TreeArea() const;

    TMainForm &f_;
    TNewFolder_Form *newFolderForm_ = nullptr;
    bool slidingOut_ = false;
};
