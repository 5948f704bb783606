#pragma once
// Series pictures: how a stored picture name becomes a file, how the file is
// read, and the state of the large view that opens in place of the tree.
#include <QImage>
#include <QString>

struct tMainState;

// Sub-folders of the series-picture folder that the stored "~" forms name.
inline constexpr QLatin1StringView EuroFolder("Euro");
inline constexpr QLatin1StringView StateQuartersFolder("United States/State Quarters");
inline constexpr QLatin1StringView PresidentialDollarsFolder("United States/Presidential Dollars");
inline constexpr QLatin1StringView InnovationDollarsFolder("United States/Innovation Dollars");

// The path with every "/" as this system's separator.
QString MacPath(const QString &inStr);

// The file path of a stored series-picture name: a name without a leading
// "~" is a path of its own; "~Euro...r.jpg" lies in the Euro folder, "~SQ~",
// "~PD~" and "~ID~" in the three United States folders, and any other "~"
// name in the folder named after the series' country. Obverse and paper
// money do not change the result; the arguments keep every caller's call
// alike.
QString fullpath(const tMainState &s, const QString &inPath, int inCountry, bool obv = true, bool paper = false);

// The file on disk that a path names, found ignoring case within each
// folder and with "\" read as a separator (older files stored such paths);
// empty when there is no such file.
QString FindPictureFile(const QString &path);

// The most memory one decoded picture may take, in megabytes. A collector's
// scans and photos (8000 x 6000 and larger) fit; a small file that declares
// a picture of 30000 x 30000 is refused from its header, before anything is
// decoded.
inline constexpr int PictureAllocationLimitMB = 1024;
// Sets that limit for every picture reader of the program.
void AllowCollectorPictures();
// Whether a picture of that size (as its file's header declares it) can be
// decoded within the limit, at four bytes a pixel.
bool PictureFitsLimit(QSize size);

// The size to decode a picture of size source at when it is shown in box:
// the picture fitted into the box, proportions kept, when it is larger;
// else its own size. An empty box or source asks for no scaling (an invalid
// size).
QSize PictureDecodeSize(QSize source, QSize box);
// Where a picture of size picture is drawn in box: as large as fits with its
// proportions kept, centred.
QRect FittedPictureRect(QSize picture, const QRect &box);

// The picture of a file; a null image when the path is blank, the file is
// missing or cannot be decoded (or is larger than the limit above). With a
// box, a larger picture is decoded at the size it is shown at, which for a
// large JPEG costs a fraction of the full decode.
QImage LoadPicture(const QString &path, QSize box = {});

// ---- The large view in place of the tree ----

// What ImagePanel's Tag records.
enum tBigView : int {
    BigViewClosed = 0,
    BigViewObverse = 2,
    BigViewReverse = 3,
    BigViewSize = 4,
};

enum class tBigViewAction {
    Close,    // the same picture was open large: close the view
    Nothing,  // no picture to show
    Open,     // show the picture large
};

struct tPictureClick {
    int Tag = BigViewClosed;  // the panel's tag afterwards
    tBigViewAction Action = tBigViewAction::Nothing;
};

// A click on the small obverse (or reverse) picture while the panel's tag is
// tag. The tag takes the clicked side even when it has no picture, so that
// a later click on the other side is not taken for a second click.
tPictureClick PictureClick(int tag, bool obverse, bool hasPicture);

// Whether the View Size button closes the view instead of drawing it: it
// toggles an open View Size off, while the reference picker and the legend
// box redraw it.
bool ViewSizeCloses(int tag, bool panelVisible, bool senderIsPicker);
