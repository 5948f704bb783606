#pragma once
// "Special Series Images": the tool window in which the collector picks,
// for each multi-design programme, the design whose pictures represent the
// special series on the Series page. The design lists and the names "OK"
// writes are plain code (browse/seriespictures/specialseries.h).
#include <functional>

#include <QWidget>

#include "browse/seriespictures/specialseries.h"

class QComboBox;
class QVariantAnimation;
class QLabel;
class QListWidget;
class QPushButton;
struct tMainState;
struct tnodeinfo;

class TQuarterForm : public QWidget {
    Q_OBJECT
public:
    TQuarterForm(tMainState &state, QWidget *mainWindow);

    // Makes a series the selected one and shows it in the tree.
    std::function<void(tnodeinfo *series)> SelectSeriesNode;
    // Shows the selected series' pictures again on the Series page.
    std::function<void()> RefreshMainImages;
    // The collection was changed (caption and Save commands follow).
    std::function<void()> CollectionModified;

    QComboBox *ComboBox1 = nullptr;   // "Select a series:"
    QListWidget *ListBox1 = nullptr;  // the designs of the category
    QLabel *Image1 = nullptr;         // the design's picture
    QLabel *Label3 = nullptr;         // "Image not found."
    QPushButton *Button1 = nullptr;   // "Cancel"
    QPushButton *Button2 = nullptr;   // "Go to this series"
    QPushButton *OKbutton = nullptr;  // "OK"
    // The preview turns in as a new design is shown.
    QVariantAnimation *PreviewAnimation = nullptr;
    tDesignIndexes Indexes{};

    void FillDesignList();
    void ShowDesign();
    void OKbuttonClick();
    void Button2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    tMainState &s_;
    QPixmap preview_;
    int Category() const;
    void DrawPreviewFrame(double progress);
};
