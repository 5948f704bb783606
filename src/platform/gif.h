#pragma once
// GIF pictures through giflib. The report exports write their pages as GIF.
#include <QByteArray>
#include <QImage>

namespace platform {

// Encodes an image as a one-frame GIF. An image with at most 256 distinct
// colours keeps them exactly; one with more is reduced to a 256-colour
// palette by median cut. Transparency is dropped (pixels are taken as
// opaque). Throws std::runtime_error when the image is empty or giflib fails.
QByteArray encodeGif(const QImage &image);

} // namespace platform
