#pragma once
// A label for a small picture (the series' obverse and reverse, the coin
// thumbnails): the picture is drawn as large as the label allows with its
// proportions kept, centred, and follows the label's size. It asks the
// layout for no room of its own, so a large picture never widens its panel.
#include <QLabel>

class TPictureBox : public QLabel {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget *parent = nullptr);
    // The size a picture shown here should be decoded at (device pixels),
    // never less than a size that keeps it sharp when the panel grows.
    QSize DecodeBox() const;
    // Where the picture is drawn now, in the label's coordinates.
    QRect PictureRect() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
