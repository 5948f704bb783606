#pragma once
// "Series Properties": the dialog of "Properties" and "Add a new series" on
// the series menu. Made once and reused; it shows the values of
// SeriesPropertiesOf / NewSeriesProperties (browse/series/seriesedit.h) and
// gives them back with Values(). What OK changes in the tree is the
// caller's (TSeriesCommands).
#include <QDialog>

#include "browse/series/seriesedit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

class TNewFolder_Form : public QDialog {
    Q_OBJECT
public:
    explicit TNewFolder_Form(tMainState &state, QWidget *parent = nullptr);

    // Fills the dialog for the selected series: its properties, or an empty
    // new series to go below or inside it.
    void Prepare(bool newSeriesMode);
    // The values as they stand, the boxes' texts read as on leaving them.
    tSeriesProperties Values() const;
    // "Inside current series" is pressed.
    bool InsideChosen() const;

    bool NewSeriesMode = false;
    QString NewObv;
    QString NewRev;
    // Folder of the picture chosen last; the picker starts there.
    QString OpenPicturePath;

    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;
    QWidget *TabItem2 = nullptr;
    QLineEdit *Edit1 = nullptr;          // series name
    QComboBox *ComboBox1 = nullptr;      // monetary system
    QLabel *Label2 = nullptr;
    QLineEdit *Edit3 = nullptr;          // face value
    QComboBox *ComboBox2 = nullptr;      // shape
    QLabel *Label4 = nullptr;
    QLineEdit *Edit2 = nullptr;          // first measure
    QLabel *Label5 = nullptr;
    QLineEdit *Edit4 = nullptr;          // second measure
    QComboBox *ComboBox3 = nullptr;      // sides or bumps
    QComboBox *ComboBox4 = nullptr;      // grading scale
    QComboBox *FontColorComboBox = nullptr;
    QComboBox *FontSpecBox = nullptr;
    QPushButton *ObvBtn = nullptr;
    QPushButton *Button1 = nullptr;      // "Reverse image"
    QCheckBox *UpdateCheckBox = nullptr;
    QCheckBox *MoveCheckBox = nullptr;
    QComboBox *ShareComboBox = nullptr;
    QComboBox *NodeModeBox = nullptr;
    QPushButton *BelowButton = nullptr;
    QPushButton *InsideButton = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    void ComboBox1Change();
    void ComboBox2Change();
    void Edit1Typing();
    void ObvBtnClick(QObject *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QChar DecimalSep() const;
    void Edit2Enter(QLineEdit *box);
    void Edit2Exit(QLineEdit *box);
    void ShowMeasure(QLineEdit *box, float value);

    tMainState &s_;
    QWidget *buttonColumn_ = nullptr;
    // What the dialog opened with, and the texts the measure boxes (Edit2,
    // Edit4) and the face-value box (Edit3) showed for it.
    tSeriesProperties opened_;
    QString openedText_[3];
};

// The dialog is showing (the housekeeping walk brings it back on screen).
extern bool NewFolderInUse;
