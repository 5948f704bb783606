#pragma once
// The callout over the entry editor that says why an entry has no value: a
// dashed crimson rounded rectangle (NA_RoundRect) around the editor's left
// part up to the picker to correct, and above it a callout (NA_Callout)
// holding the red text (NA_Label). It lets the mouse through to the editor.
#include <QRect>
#include <QWidget>

class QLabel;

class TNACallout : public QWidget {
    Q_OBJECT
public:
    explicit TNACallout(QWidget *parent);
    // Shows the text with the rectangle at rect and the callout above it,
    // both in the parent's coordinates.
    void ShowAt(const QString &text, const QRect &rect);

    QLabel *NA_Label = nullptr;
    QRect NA_RoundRect;  // in this widget's coordinates
    QRect NA_Callout;

protected:
    void paintEvent(QPaintEvent *event) override;
};
