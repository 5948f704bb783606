#pragma once
// The collection file (".OVD"): the series tree, every coin entry, the
// user-defined fields and the collection's settings in one tagged value
// stream. The writer always produces the current version; the reader accepts
// every version from the first one the program shipped (95461) on.
#include <stdexcept>

#include <vector>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class QIODevice;
struct tMainState;

// The pictures a backup bundle holds, collected while its collection copy is
// written: each file once, under a name of its own below "Repository/".
struct tBundlePictures {
    struct tPicture {
        QString Stored;      // the first stored path that named it
        QString SourceFile;  // the file on disk
        QString Name;        // inside "Repository/", "/" between folders
    };
    std::vector<tPicture> List;
    // The bundle name taken for a picture, by case-folded name, and the
    // name given to each file on disk, so that a file named twice is packed
    // once and two files never share a name.
    QHash<QString, size_t> ByName;
    QHash<QString, size_t> BySource;
};

constexpr int32_t CollectionFileVersion = 95486;      // written
constexpr int32_t OldestCollectionFileVersion = 95461; // oldest read
constexpr int32_t NewestCollectionFileVersion = 99999; // newest read, with the current layout

// A collection could not be written; what() names the file and the cause.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of the open collection as a collection file. With imageFileList
// the picture paths follow the backup rule: a picture that does not exist is
// written empty, one that does is collected in imageFileList. A picture of
// the image repository keeps its subfolders: it is written as "R~", the
// separator and its bundle name, the path below the repository. One outside
// the repository keeps its path and goes into the bundle under its file
// name. A name that another picture has taken gets " (2)", " (3)" ... before
// its extension, and the copy names the picture by that name.
QByteArray CollectionFileBytes(const tMainState &s, tBundlePictures *imageFileList = nullptr);

// Writes the open collection to stream from its start (a stale tail of a
// file or buffer is cut off), then marks the collection saved. Throws
// FileWriteError when the stream does not take every byte.
void WriteCollectionFile(tMainState &s, QIODevice &stream, tBundlePictures *ImageFileList = nullptr);

// Writes the open collection to fileName through a temporary file that
// replaces the target only once it is complete; a failure leaves the old
// file as it was, keeps the collection marked modified and throws
// FileWriteError.
void SaveCollectionFile(tMainState &s, const QString &fileName, tBundlePictures *imageFileList = nullptr);

// Reads a collection file into the open collection, replacing it or (with
// MergeMode) merging into it. False when the file does not exist, does not
// begin with a list and a version, or has a version outside 95461..99999;
// the open collection is then left as it was. True when it was read to its
// end, and also when it was refused as written by a newer program. A damaged
// body raises StreamReadError: a normal read reads the whole file before it
// replaces anything, so the open collection stays exactly as it was; a merge
// keeps what it added, marked modified, with the price list and counts
// brought in line. After a failed read LoadFailure says why.
bool LoadDataFromFile(tMainState &s, const QString &Filename, bool MergeMode);

// The same on bytes already in memory; fileName is only reported (log,
// recent files).
bool LoadDataFromBuffer(tMainState &s, const QByteArray &data, const QString &fileName, bool mergeMode);

// The file version a collection file's first bytes declare; 0 when they do
// not begin as a collection file.
int32_t StoredCollectionVersion(const QByteArray &head);

// True when fileVersion ("major.minor.build") is later than programVersion,
// compared number by number.
bool IsNewerVersion(const QString &fileVersion, const QString &programVersion);

// A grade slot of a file before 95472, which used 34 slots, on today's scale.
int32_t OldGradeToSlot(int32_t grade);

// Frees the price entries of every country without unsaved price changes
// and detaches the others from the tree, so none refers to a series of a
// collection that was replaced.
void ReconcilePriceList(tMainState &s);
