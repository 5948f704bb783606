#pragma once
// TCountryForm, "Orvanta: Countries Explorer": the catalogue's countries
// and regions on five tabbed lists beside a turning globe, with the flag,
// title and notes of the current entry, and the button that adds the
// chosen entries' default structures to the collection (or goes to the
// series of an entry already there). Not modal; one at a time. The entries
// and every rule about them are plain logic in core/catalogue/countryitems.h.
#include <array>
#include <vector>

#include <QDialog>
#include <QImage>

#include "core/catalogue/countryitems.h"
#include "browse/finders/tracking.h"

class QAbstractAnimation;
class QLabel;
class QListWidget;
class QPropertyAnimation;
class QPushButton;
class QScrollArea;
class QSequentialAnimationGroup;
class QTabWidget;

// The painted globe: an orthographic view of our world map turned by the
// three angles (degrees), with the location pin at its centre when shown.
class TGlobeView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double AngleX READ AngleX WRITE SetAngleX)
    Q_PROPERTY(double AngleY READ AngleY WRITE SetAngleY)
    Q_PROPERTY(double AngleZ READ AngleZ WRITE SetAngleZ)
public:
    explicit TGlobeView(QWidget *parent = nullptr);
    double AngleX() const { return angles_.X; }
    double AngleY() const { return angles_.Y; }
    double AngleZ() const { return angles_.Z; }
    void SetAngleX(double v);
    void SetAngleY(double v);
    void SetAngleZ(double v);
    void SetAngles(const tGlobeAngles &a);
    const tGlobeAngles &Angles() const { return angles_; }
    void SetPinVisible(bool visible);
    bool PinVisible() const { return pin_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    tGlobeAngles angles_;
    bool pin_ = false;
};

inline const QString CountryFormCaption = QStringLiteral("Orvanta: Countries Explorer");

class TCountryForm : public QDialog {
    Q_OBJECT
public:
    // items: the entries of "Countries.Data" (LoadCountryItemsFile); nav:
    // how a series is shown in the main window.
    TCountryForm(tMainState &state, std::vector<tCountryItem> items, tNavigationSeams nav,
                 QWidget *parent = nullptr);
    ~TCountryForm() override;

    // The entries of each tab, in list order.
    std::array<std::vector<tCountryItem>, ExplorerTabCount> CountryItemList;
    std::array<QListWidget *, ExplorerTabCount> ListBoxArray{};
    double latitude = 0;
    double longitude = 0;
    QString TextToBe;
    int WorldMode = 0;       // 0 normal, 1 a world-wide entry is to be shown, 2 spinning
    bool StepMark = false;   // the globe has been turned to a location
    bool CloseBlocked = false;

    QTabWidget *TabControl1 = nullptr;
    QListWidget *cListBox = nullptr;
    QListWidget *pListBox = nullptr;
    QListWidget *eListBox = nullptr;
    QListWidget *fListBox = nullptr;
    QListWidget *rListBox = nullptr;
    TGlobeView *Globe = nullptr;
    QLabel *FlagImage = nullptr;
    QLabel *TitleLabel = nullptr;
    QLabel *NotesLabel = nullptr;
    QPushButton *AddLocationBtn = nullptr;
    QPushButton *OKbutton = nullptr;

    // The list of the current tab.
    QListWidget *ActiveList() const;
    void UpdateSelection(bool Animate);
    void ShowLocation(int FlagIndex, bool Animate);
    void AddLocationBtnClick();
    // An animation of the globe, the flag or the title is running.
    bool Animating() const;
    // Number of the series the button goes to instead of adding (0: it adds).
    int GoToTarget() const { return goTo_; }

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FillLists();
    void TabControl1Change();
    void cListBoxChange();
    bool cListBoxKeyDown(QListWidget *list, int key);
    QPixmap FlagPicture(int index, QSize size) const;
    void StopAnimations();
    void StartTurn();
    void PlaceTitle(const QString &text);
    QPropertyAnimation *Turn(const char *angle, double from, double to, int ms);

    tMainState &s;
    tNavigationSeams nav_;
    int goTo_ = 0;
    bool keyHandling_ = false;
    QSequentialAnimationGroup *turn_ = nullptr;
    QPropertyAnimation *spin_ = nullptr;
    QPropertyAnimation *flagSlide_ = nullptr;
    QSequentialAnimationGroup *titleSlide_ = nullptr;
};
