#include "platform/gif.h"

#include <stdexcept>
#include <unordered_map>
#include <vector>

#include <gif_lib.h>

namespace platform {
namespace {

int writeToArray(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

[[noreturn]] void fail(int code)
{
    const char *text = GifErrorString(code);
    throw std::runtime_error(std::string("GIF encoding failed: ") + (text ? text : "unknown error"));
}

// Smallest power of two, at least 2, that holds n palette entries: giflib
// only accepts colour maps of such sizes.
int paletteSize(int n)
{
    int size = 2;
    while (size < n)
        size *= 2;
    return size;
}

} // namespace

QByteArray encodeGif(const QImage &source)
{
    if (source.isNull())
        throw std::runtime_error("GIF encoding failed: the picture is empty");
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    std::vector<GifByteType> indexes(static_cast<size_t>(w) * static_cast<size_t>(h));
    std::vector<GifColorType> colours;

    // Exact palette first: report pages are mostly a handful of greys.
    std::unordered_map<QRgb, int> seen;
    bool exact = true;
    for (int y = 0; y < h && exact; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] & 0xFFFFFFu;
            auto it = seen.find(c);
            if (it == seen.end()) {
                if (seen.size() == 256) {
                    exact = false;
                    break;
                }
                it = seen.emplace(c, static_cast<int>(seen.size())).first;
                colours.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                   static_cast<GifByteType>(qBlue(c))});
            }
            indexes[static_cast<size_t>(y) * w + x] = static_cast<GifByteType>(it->second);
        }
    }
    if (!exact) {
        std::vector<GifByteType> r(indexes.size()), g(indexes.size()), b(indexes.size());
        for (int y = 0; y < h; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                r[i] = static_cast<GifByteType>(qRed(line[x]));
                g[i] = static_cast<GifByteType>(qGreen(line[x]));
                b[i] = static_cast<GifByteType>(qBlue(line[x]));
            }
        }
        int count = 256;
        colours.assign(256, GifColorType{0, 0, 0});
        if (GifQuantizeBuffer(static_cast<unsigned>(w), static_cast<unsigned>(h), &count, r.data(), g.data(),
                              b.data(), indexes.data(), colours.data()) == GIF_ERROR)
            throw std::runtime_error("GIF encoding failed: the colours could not be reduced");
        colours.resize(static_cast<size_t>(count));
    }
    colours.resize(static_cast<size_t>(paletteSize(static_cast<int>(colours.size()))), GifColorType{0, 0, 0});

    QByteArray out;
    int err = 0;
    GifFileType *gif = EGifOpen(&out, writeToArray, &err);
    if (!gif)
        fail(err);
    ColorMapObject *map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, indexes.data() + static_cast<size_t>(y) * w, w) != GIF_ERROR;
    const int lastError = gif->Error;
    GifFreeMapObject(map);
    int closeErr = 0;
    const bool closed = EGifCloseFile(gif, &closeErr) != GIF_ERROR;
    if (!ok)
        fail(lastError);
    if (!closed)
        fail(closeErr);
    return out;
}

} // namespace platform
