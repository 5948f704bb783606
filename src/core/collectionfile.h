#pragma once
// The collection file (".OVD"): the series tree, every coin entry, the
// user-defined fields and the collection's settings in one tagged value
// stream. The writer always produces the current version; the reader accepts
// every version from the first one the program shipped (95461) on.
#include <stdexcept>

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
struct tMainState;

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
// written empty, one that does is listed in imageFileList (as stored) and
// written as "R~", the separator and its bare name when it lives in the
// image repository.
QByteArray CollectionFileBytes(const tMainState &s, QStringList *imageFileList = nullptr);

// Writes the open collection to stream from its start (a stale tail of a
// file or buffer is cut off), then marks the collection saved. Throws
// FileWriteError when the stream does not take every byte.
void WriteCollectionFile(tMainState &s, QIODevice &stream, QStringList *ImageFileList = nullptr);

// Writes the open collection to fileName through a temporary file that
// replaces the target only once it is complete; a failure leaves the old
// file as it was, keeps the collection marked modified and throws
// FileWriteError.
void SaveCollectionFile(tMainState &s, const QString &fileName, QStringList *imageFileList = nullptr);

// Reads a collection file into the open collection, replacing it or (with
// MergeMode) merging into it. False when the file does not exist, does not
// begin with a list and a version, or has a version outside 95461..99999.
// True when it was read to its end, and also when it was refused as written
// by a newer program. A damaged body raises StreamReadError after the price
// list and counts were brought in line with what was read. After a failed
// read LoadFailure says why.
bool LoadDataFromFile(tMainState &s, const QString &Filename, bool MergeMode);

// The same on bytes already in memory; fileName is only reported (log,
// recent files).
bool LoadDataFromBuffer(tMainState &s, const QByteArray &data, const QString &fileName, bool mergeMode);

// True when fileVersion ("major.minor.build") is later than programVersion,
// compared number by number.
bool IsNewerVersion(const QString &fileVersion, const QString &programVersion);

// A grade slot of a file before 95472, which used 34 slots, on today's scale.
int32_t OldGradeToSlot(int32_t grade);

// Frees the price entries of every country without unsaved price changes
// and detaches the others from the tree, so none refers to a series of a
// collection that was replaced.
void ReconcilePriceList(tMainState &s);
