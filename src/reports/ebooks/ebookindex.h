#pragma once
// The eBook index file: one beside each PDF catalogue of the eBooks folder,
// binding series numbers to 1-based pages of that PDF. Its layout (all
// integers little-endian):
//   0..19  " Quillfen Software " and a carriage return (a reader checks the
//          first 19 bytes only);
//   20..34 the PDF's size in bytes, 15 decimal digits padded with "0" on the
//          left (of a longer number the last 15 digits);
//   35..   (series number, page) pairs of 32-bit signed integers; fewer than
//          8 bytes left over at the end are ignored.
// The finder decides which index file belongs to which PDF, so that an
// index follows its PDF through a rename (by size) and through a new edition
// under the same name (by name).
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

inline constexpr int EbookHeaderSize = 35;
inline constexpr int EbookSignatureSize = 19;
inline constexpr int EbookPairSize = 8;
inline const QByteArray EbookSignature = QByteArrayLiteral(" Quillfen Software ");
// An index is a few kilobytes; anything far larger is not one of ours.
inline constexpr qint64 EbookIndexMaxBytes = 64 * 1024 * 1024;

// A book's index file could not be written; what() names the file and cause.
class EbookWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The 35-byte header for a PDF of that size.
QByteArray EbookIndexHeader(qint64 pdfSize);

// The whole file for these bindings (series and pages in list order; the two
// lists have the same length).
QByteArray EbookIndexBytes(qint64 pdfSize, const std::vector<int32_t> &series, const std::vector<int32_t> &pages);

// The PDF size a header records; nothing when the bytes are short, lack the
// signature or hold anything but digits in the size field.
std::optional<qint64> ParseEbookIndexHeader(QByteArrayView bytes);

// Reading an index file: Status 0 read, 1 no file, 2 could not be read.
struct tEbookIndexRead {
    uint8_t Status = 1;
    std::vector<int32_t> SeriesNumbers;
    std::vector<int32_t> PageNumbers;
};
tEbookIndexRead ReadEbookIndex(const QString &path);
// The pairs of a whole file's bytes (header included).
void ParseEbookPairs(QByteArrayView bytes, std::vector<int32_t> &series, std::vector<int32_t> &pages);

// Writes the file through a temporary file that replaces it only when
// complete. Throws EbookWriteError.
void WriteEbookIndex(const QString &path, qint64 pdfSize, const std::vector<int32_t> &series,
                     const std::vector<int32_t> &pages);

// ---- Which index belongs to which PDF ----

struct tPdfEntry {
    QString FileName;  // name only, in the folder
    qint64 Size = 0;
};
// A file of the folder with the ".eBook" extension (any case) whose header
// reads; others are never candidates.
struct tIndexCandidate {
    QString FileName;  // name only
    qint64 SizeField = 0;
};

// For every PDF, in order, the name of its index file, empty when none.
// One index file never serves two PDFs. A name match (the index's name
// without extension equals the PDF's, exactly or else ignoring case) beats a
// size match; a PDF without one takes the last candidate whose size field
// equals its size, provided no PDF claims that candidate by name and no
// earlier PDF took it.
std::vector<QString> AssignEbookIndexes(const std::vector<tPdfEntry> &pdfs,
                                        const std::vector<tIndexCandidate> &candidates);

// The PDFs (".pdf" in any case) and the readable index candidates of a
// folder, each in listing order (by name). A candidate that cannot be
// opened, is short or has a bad header is left out.
std::vector<tPdfEntry> ListEbookPdfs(const QString &folder);
std::vector<tIndexCandidate> ListEbookIndexCandidates(const QString &folder);
