#include "reports/ebooks/ebookindex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

QByteArray EbookIndexHeader(qint64 pdfSize)
{
    QByteArray header = EbookSignature;
    header.append('\r');
    const QByteArray digits = QByteArray::number(pdfSize < 0 ? 0 : pdfSize).rightJustified(15, '0');
    header.append(digits.right(15));
    return header;
}

QByteArray EbookIndexBytes(qint64 pdfSize, const std::vector<int32_t> &series, const std::vector<int32_t> &pages)
{
    QByteArray bytes = EbookIndexHeader(pdfSize);
    const size_t count = std::min(series.size(), pages.size());
    bytes.reserve(EbookHeaderSize + static_cast<qsizetype>(count) * EbookPairSize);
    for (size_t i = 0; i < count; ++i) {
        char pair[EbookPairSize];
        qToLittleEndian<int32_t>(series[i], pair);
        qToLittleEndian<int32_t>(pages[i], pair + 4);
        bytes.append(pair, EbookPairSize);
    }
    return bytes;
}

std::optional<qint64> ParseEbookIndexHeader(QByteArrayView bytes)
{
    if (bytes.size() < EbookHeaderSize || bytes.first(EbookSignatureSize) != QByteArrayView(EbookSignature))
        return std::nullopt;
    qint64 size = 0;
    for (qsizetype i = 20; i < EbookHeaderSize; ++i) {
        const char c = bytes[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        size = size * 10 + (c - '0');
    }
    return size;
}

void ParseEbookPairs(QByteArrayView bytes, std::vector<int32_t> &series, std::vector<int32_t> &pages)
{
    if (bytes.size() < EbookHeaderSize)
        return;
    const qsizetype count = (bytes.size() - EbookHeaderSize) / EbookPairSize;
    series.reserve(series.size() + static_cast<size_t>(count));
    pages.reserve(pages.size() + static_cast<size_t>(count));
    const char *p = bytes.data() + EbookHeaderSize;
    for (qsizetype i = 0; i < count; ++i, p += EbookPairSize) {
        series.push_back(qFromLittleEndian<int32_t>(p));
        pages.push_back(qFromLittleEndian<int32_t>(p + 4));
    }
}

tEbookIndexRead ReadEbookIndex(const QString &path)
{
    tEbookIndexRead read;
    QFile file(path);
    if (!file.exists())
        return read;
    read.Status = 2;
    if (!file.open(QIODevice::ReadOnly) || file.size() < EbookHeaderSize || file.size() > EbookIndexMaxBytes)
        return read;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return read;
    ParseEbookPairs(bytes, read.SeriesNumbers, read.PageNumbers);
    read.Status = 0;
    return read;
}

void WriteEbookIndex(const QString &path, qint64 pdfSize, const std::vector<int32_t> &series,
                     const std::vector<int32_t> &pages)
{
    QSaveFile file(path);
    const QByteArray bytes = EbookIndexBytes(pdfSize, series, pages);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EbookWriteError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString())
                                  .toStdString());
}

namespace {

QString BaseName(const QString &fileName)
{
    return QFileInfo(fileName).completeBaseName();
}

} // namespace

std::vector<QString> AssignEbookIndexes(const std::vector<tPdfEntry> &pdfs,
                                        const std::vector<tIndexCandidate> &candidates)
{
    constexpr int None = -1;
    std::vector<int> chosen(pdfs.size(), None);
    std::vector<bool> claimed(candidates.size(), false);
    // Names first, exact before ignoring case, so that on a folder that
    // tells "a" from "A" the exactly named index is never lost to another
    // book that matches it only ignoring case. The last match in listing
    // order wins, as it always has for an index found by name.
    for (const Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (size_t p = 0; p < pdfs.size(); ++p) {
            if (chosen[p] != None)
                continue;
            const QString base = BaseName(pdfs[p].FileName);
            for (size_t c = 0; c < candidates.size(); ++c)
                if (!claimed[c] && BaseName(candidates[c].FileName).compare(base, cs) == 0)
                    chosen[p] = static_cast<int>(c);
            if (chosen[p] != None)
                claimed[static_cast<size_t>(chosen[p])] = true;
        }
    }
    // Then sizes, for a PDF renamed since its index was written; an index
    // that another book holds by name or took first stays with that book.
    for (size_t p = 0; p < pdfs.size(); ++p) {
        if (chosen[p] != None)
            continue;
        for (size_t c = 0; c < candidates.size(); ++c)
            if (!claimed[c] && candidates[c].SizeField == pdfs[p].Size)
                chosen[p] = static_cast<int>(c);
        if (chosen[p] != None)
            claimed[static_cast<size_t>(chosen[p])] = true;
    }
    std::vector<QString> names;
    names.reserve(pdfs.size());
    for (const int c : chosen)
        names.push_back(c == None ? QString() : candidates[static_cast<size_t>(c)].FileName);
    return names;
}

std::vector<tPdfEntry> ListEbookPdfs(const QString &folder)
{
    std::vector<tPdfEntry> pdfs;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries)
        if (entry.suffix().compare(QLatin1StringView("pdf"), Qt::CaseInsensitive) == 0)
            pdfs.push_back({entry.fileName(), entry.size()});
    return pdfs;
}

std::vector<tIndexCandidate> ListEbookIndexCandidates(const QString &folder)
{
    std::vector<tIndexCandidate> candidates;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.suffix().compare(QLatin1StringView("ebook"), Qt::CaseInsensitive) != 0)
            continue;
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = file.read(EbookHeaderSize);
        if (const std::optional<qint64> size = ParseEbookIndexHeader(head))
            candidates.push_back({entry.fileName(), *size});
    }
    return candidates;
}
