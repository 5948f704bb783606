#pragma once
// Pictures of script glyphs for the date converters, drawn at run time from
// the installed fonts (the Noto families cover every script the converters
// show), and the neutral cards that stand for portraits and animals.
#include <QColor>
#include <QImage>
#include <QString>

// text drawn as large as fits, centred, in color on a transparent picture
// of size w x h. family is a hint; the font system falls back to any font
// that has the glyphs.
QImage GlyphPicture(const QString &text, int w, int h, const QString &family = QString(),
                    QColor color = Qt::black);

// A card: a light gradient with a frame, a large title (a character or a
// word) and a caption under it.
QImage CardPicture(const QString &title, const QString &caption, int w, int h, const QString &family = QString());

// A picture of size w x h filled opaque white.
QImage WhitePicture(int w, int h);
