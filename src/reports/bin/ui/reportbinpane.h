#pragma once
// The Report Bin pane of the Reports page: the entries in the bin, one row
// each, with the pictures of the current row and the commands that take
// entries out of the bin or show one on the Coins page.
#include <functional>

#include <QWidget>

#include "core/model/mainstate.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

class TReportBinPane : public QWidget {
    Q_OBJECT
public:
    explicit TReportBinPane(tMainState &state, QWidget *parent = nullptr);

    // Rebuilds the rows from the bin, keeping the current row within them.
    void RefreshBinList();
    // The entry of the grid's current row; null without one.
    tCoinInfo *CurrentEntry() const;

    // The main window's services: the file of a series picture (empty when
    // none), and showing an entry on the Coins page.
    std::function<QString(const tnodeinfo &series, bool obverse)> SeriesPicturePath;
    std::function<void(tCoinInfo *coin)> GoToCoin;

    QTableWidget *BinGrid;
    QRadioButton *BinRadioButton1;  // series pictures
    QRadioButton *BinRadioButton2;  // coin pictures
    QPushButton *GoToThisCoinBtn;
    QPushButton *RemoveFromBinBtn;
    QPushButton *EmptyTheBinBtn;
    QWidget *Panel8;
    QWidget *Panel10;
    QLabel *ImageControl1;  // obverse
    QLabel *ImageControl2;  // reverse

Q_SIGNALS:
    // Bin membership changed here: the count wants showing again.
    void BinChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowBinPictures(int row);
    void ShowPicture(QLabel *box, QWidget *panel, const QString &path);
    void RemoveFromBinBtnClick();
    void EmptyTheBinBtnClick();
    void GoToThisCoinBtnClick();
    void ArrangePictures();

    tMainState &state_;
    QWidget *pictureColumn_;
    QWidget *buttons_;
    QLabel *obverseLabel_;
    QLabel *reverseLabel_;
};
