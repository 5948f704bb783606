#pragma once
// "Orvanta: Bullion Values": the four spot prices per troy ounce, whether
// they are fetched at start-up, a purity calculator (weight, purity or
// precious-metal content from the other two) and a weight converter, both
// with the value of the metal at each spot price. Typed prices take effect
// when the window closes. A modeless tool window.
#include <array>
#include <functional>

#include <QDialog>

#include "core/model/mainstate.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TBullionForm : public QDialog {
    Q_OBJECT
public:
    // closed runs after the window stored what changed: the main window
    // redraws its price strip.
    TBullionForm(tMainState &s, std::function<void()> closed, QWidget *parent = nullptr);

    // Spot prices, below the tabs.
    std::array<QLineEdit *, 4> SpotEdits{};  // SilverEdit, GoldEdit, PalladiumEdit, PlatinumEdit
    QLabel *LastUpdatedLabel = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *ViewSizeBtn = nullptr;
    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;  // "Conversions"
    QWidget *TabItem2 = nullptr;  // "Purity calculator"

    // Purity calculator.
    std::array<QRadioButton *, 3> Radios{};  // RadioButton1..3: weight, purity, content
    std::array<QFrame *, 3> Frames{};
    QLineEdit *WeightEdit = nullptr;
    QComboBox *PurityCombo = nullptr;
    QLineEdit *ContentEdit = nullptr;
    std::array<QLabel *, 3> UnitLabels{};    // "Grams", "Percent", "Ounces"
    QLabel *PurityLabel = nullptr;
    std::array<QLabel *, 4> PurityValueLabels{};

    // Conversions: Edit2 (grains) .. Edit8 (avoirdupois pounds).
    std::array<QLineEdit *, 7> WeightEdits{};
    std::array<QLabel *, 4> ConversionValueLabels{};

    const std::array<Money, 4> &LocalMetalValues() const { return local_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *BuildPurityTab();
    QWidget *BuildConversionsTab();
    QWidget *BuildSpotPrices();
    void SilverEditTyping();
    void SilverEditEnter(QLineEdit *edit);
    // Grows a spot field while it has the focus and shrinks it back after.
    void AnimateSpotEdit(QLineEdit *edit, bool grow);
    void SilverEditExit(QLineEdit *edit);
    void WeightTyping(int unit);
    void ShowMetalValues();
    void PurityCalc();
    void PurityComboChange(int index);
    void StoreOnClose();

    tMainState &s_;
    std::function<void()> closed_;
    std::array<Money, 4> local_{};
    std::array<bool, 4> typed_{};  // spot fields the collector typed into
    double ounces_ = 1.0;  // the conversion's weight in troy ounces, unrounded
    bool stored_ = false;
};
