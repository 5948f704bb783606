#pragma once
// "Search & Track" (TTrackForm): criteria rows, built in and one per user
// field, whose controls show while the row is ticked; the scope; live
// counters of tracked and untracked entries that match; and the buttons
// that set or clear the tracking marks. The window only reads its controls
// into row states; the rules (scope, buttons, counters, criteria) are
// browse/finders/trackrules.h and the evaluation trackcriteria.h.
#include <vector>

#include <QWidget>

#include "browse/finders/trackcriteria.h"
#include "browse/finders/trackrules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class TTrackForm : public QWidget {
    Q_OBJECT
public:
    explicit TTrackForm(tMainState &s, QWidget *parent = nullptr);
    ~TTrackForm() override;

    // One criteria row: the check box, the first value control, the "to"
    // label and the second value control (the last two may be null).
    struct tRow {
        QCheckBox *Box = nullptr;
        QWidget *Min = nullptr;
        QLabel *To = nullptr;
        QWidget *Max = nullptr;
        int FieldIndex = -1;  // user field's place in UDFlist; -1 for built-in rows
        int FieldType = -1;
    };
    const std::vector<tRow> &Rows() const { return rows_; }

    QLabel *SeriesLabel = nullptr;
    QComboBox *ComboBox7 = nullptr;  // "Search in:"
    QPushButton *ClearButton = nullptr;
    QPushButton *TrackButton = nullptr;
    QPushButton *TrackNonButton = nullptr;
    QPushButton *DoneBtn = nullptr;
    // Counter labels: tracked, untracked and total, each with its matching
    // and non-matching line.
    QLabel *CountLabels[9] = {};

    // The criteria as the controls stand.
    tTrackCriteria Criteria() const;
    // Counts and, with doTrack, sets the marks (inverse: the non-matching).
    tTrackCounts EvaluateTracks(bool doTrack, bool inverse);
    void FormActivate();
    void ClearButtonClick();
    // Drops the cached price rows of freed entries.
    void Forget() { cache_.Clear(); }
    const tTrackCounts &Counts() const { return counts_; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildRows(QWidget *box);
    void AddRow(QWidget *box, const QString &text, QWidget *min, QWidget *max, int fieldIndex = -1,
                int fieldType = -1);
    void Recount() { EvaluateTracks(false, false); }
    void RefreshCoinGrid();

    tMainState &s_;
    std::vector<tRow> rows_;
    tPriceRowCache cache_;
    tTrackCounts counts_;
    bool building_ = true;
};
