#pragma once
// The pictures of a coin entry: the obverse, reverse and receipt fields and
// the further pictures, held as two parallel comma texts (files and names,
// item k of one belongs to item k of the other). Every change here keeps
// the two lists the same length, so a name never slides onto another
// picture. Also the repository-wide commands: turning picture paths inside
// the image repository into the "R~" form, and re-attaching repository
// files to entries by file name.
#include <vector>

#include <QString>
#include <QStringList>

struct tCoinInfo;
struct tMainState;

enum class tPictureKind { Obverse, Reverse, Receipt, Further, Add };

// One choice of the Images page. Tag numbers the further pictures from 1.
struct tPictureSlot {
    tPictureKind Kind = tPictureKind::Obverse;
    int Tag = 0;
    bool operator==(const tPictureSlot &) const = default;
};

// The caption of a further picture that has no name yet (shown in italics).
inline const QString UnnamedPictureCaption = QStringLiteral("Click to name image");

// One radio button of the picture choice, in display order.
struct tPictureRadio {
    tPictureSlot Slot;
    QString Caption;
    bool Italic = false;
};

// The radios for a coin: obverse, reverse, receipt, one per further picture
// (its name trimmed, or UnnamedPictureCaption), "Add another image" last.
std::vector<tPictureRadio> PictureRadios(const tCoinInfo &coin);

// The further pictures' files and names, the names padded with empty items
// to the files' count.
QStringList FurtherFiles(const tCoinInfo &coin);
QStringList FurtherNames(const tCoinInfo &coin);

// The stored name of the chosen picture (a further one trimmed); empty for
// "Add another image" and for a further picture past the list's end.
QString StoredPicture(const tCoinInfo &coin, tPictureSlot slot);
// "Remove Image" has something to remove: an entry whose chosen slot holds
// a picture name.
bool CanRemovePicture(const tCoinInfo *coin, tPictureSlot slot);

// Links a stored picture name to the chosen slot. "Add another image"
// appends a further picture with no name; the result is the slot that now
// holds the picture.
tPictureSlot AttachPicture(tCoinInfo &coin, tPictureSlot slot, const QString &stored);

// Names further picture tag as typed; true when the name changed other than
// in surrounding blanks (only then is the collection modified).
bool NamePicture(tCoinInfo &coin, int tag, const QString &typed);

// Unlinks the chosen picture (the file stays on disk). A further picture is
// taken out of both lists; the result is the slot to choose afterwards: the
// one just before a removed further picture, else the same slot.
tPictureSlot DetachPicture(tCoinInfo &coin, tPictureSlot slot);

// Turns the obverse, reverse and receipt paths of every entry that lie
// inside folder into the "R~" form; paths already in that form (any case),
// blank ones and those outside stay. Returns how many changed.
int MakeRepositoryRelative(tMainState &s, const QString &folder);

// True for the picture files the re-attach command looks at: ".jpg",
// ".bmp", ".gif", ".tif", ".png" and ".pdf", any case.
bool IsRepositoryPictureName(const QString &fileName);

// Walks folder and its subfolders; for each picture file, every obverse,
// reverse and receipt whose file name equals the file's ignoring case
// becomes "R~" + the subfolder part + the file's name. Entries are visited
// in name order, so of two files of one name the later one wins. Returns
// how many paths changed.
int AttachRepositoryImages(tMainState &s, const QString &folder);
