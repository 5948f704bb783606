#include "core/catalogue/globe.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// Outlines as (longitude, latitude) pairs, drawn by hand from the general
// shape of the coasts; a few degrees of accuracy is all a spinning globe
// of this size can show.
const std::vector<std::vector<QPointF>> &Outlines()
{
    static const std::vector<std::vector<QPointF>> lands = {
        // North and Central America
        {{-168, 66}, {-162, 70}, {-156, 71}, {-140, 70}, {-128, 70}, {-115, 68}, {-95, 72}, {-82, 73},
         {-80, 63}, {-94, 59}, {-90, 57}, {-82, 55}, {-79, 51}, {-77, 60}, {-70, 61}, {-65, 60},
         {-61, 56}, {-56, 52}, {-60, 47}, {-66, 45}, {-70, 42}, {-74, 40}, {-76, 35}, {-81, 31},
         {-80, 25}, {-82, 27}, {-84, 30}, {-90, 30}, {-97, 28}, {-97, 22}, {-94, 18}, {-90, 21},
         {-87, 21}, {-88, 16}, {-83, 15}, {-83, 10}, {-79, 9}, {-77, 8}, {-80, 7}, {-85, 10},
         {-88, 13}, {-92, 15}, {-96, 16}, {-105, 20}, {-106, 23}, {-110, 27}, {-113, 31}, {-115, 30},
         {-110, 23}, {-112, 25}, {-117, 32}, {-121, 35}, {-124, 40}, {-124, 46}, {-124, 49},
         {-130, 54}, {-135, 58}, {-140, 60}, {-150, 61}, {-155, 58}, {-162, 55}, {-165, 60},
         {-165, 63}},
        // South America
        {{-77, 8}, {-72, 12}, {-63, 11}, {-60, 8}, {-52, 5}, {-50, 0}, {-44, -2}, {-35, -5},
         {-35, -9}, {-39, -15}, {-40, -22}, {-48, -26}, {-53, -34}, {-58, -38}, {-62, -39},
         {-65, -45}, {-68, -50}, {-69, -55}, {-74, -52}, {-75, -46}, {-73, -37}, {-71, -30},
         {-70, -18}, {-76, -14}, {-81, -6}, {-80, -2}, {-78, 2}},
        // Europe and Asia
        {{-10, 36}, {-9, 43}, {-2, 43}, {-1, 46}, {-5, 48}, {2, 51}, {8, 54}, {8, 57}, {11, 59},
         {5, 62}, {14, 67}, {25, 71}, {40, 67}, {44, 68}, {60, 70}, {70, 73}, {80, 73}, {100, 77},
         {113, 74}, {130, 71}, {140, 72}, {160, 70}, {180, 68}, {180, 65}, {178, 62}, {165, 60},
         {163, 56}, {156, 51}, {156, 57}, {150, 59}, {142, 59}, {138, 54}, {141, 48}, {135, 43},
         {130, 42}, {129, 35}, {126, 35}, {126, 38}, {121, 40}, {122, 37}, {119, 35}, {121, 31},
         {122, 29}, {119, 25}, {114, 22}, {109, 21}, {106, 18}, {108, 11}, {105, 9}, {103, 10},
         {100, 13}, {99, 8}, {101, 3}, {104, 1}, {100, 6}, {98, 10}, {98, 16}, {94, 17}, {92, 22},
         {88, 22}, {86, 20}, {80, 15}, {80, 10}, {77, 8}, {73, 16}, {72, 21}, {67, 24}, {62, 25},
         {57, 25}, {56, 27}, {50, 30}, {48, 30}, {50, 26}, {52, 24}, {56, 26}, {59, 22}, {55, 17},
         {52, 16}, {45, 13}, {43, 13}, {39, 21}, {35, 28}, {34, 31}, {35, 36}, {30, 36}, {27, 37},
         {26, 40}, {23, 40}, {22, 37}, {20, 40}, {19, 42}, {14, 45}, {12, 44}, {16, 41}, {16, 38},
         {15, 40}, {12, 42}, {10, 44}, {7, 44}, {3, 43}, {3, 42}, {0, 39}, {-1, 37}, {-6, 36}},
        // Africa
        {{-17, 21}, {-16, 27}, {-10, 30}, {-6, 36}, {0, 36}, {10, 37}, {11, 33}, {20, 31}, {30, 31},
         {32, 31}, {34, 28}, {38, 21}, {43, 13}, {51, 12}, {51, 10}, {48, 5}, {42, -1}, {40, -5},
         {40, -11}, {35, -17}, {35, -24}, {32, -29}, {27, -34}, {20, -35}, {18, -32}, {15, -27},
         {12, -17}, {13, -12}, {12, -5}, {9, -1}, {10, 4}, {7, 5}, {3, 6}, {-2, 5}, {-8, 4},
         {-13, 8}, {-15, 11}, {-17, 14}},
        // Australia
        {{114, -22}, {114, -26}, {115, -34}, {118, -35}, {124, -34}, {131, -31}, {135, -35}, {138, -35},
         {140, -38}, {146, -39}, {150, -37}, {153, -32}, {153, -25}, {147, -19}, {145, -15}, {142, -11},
         {141, -17}, {136, -12}, {131, -11}, {126, -14}, {122, -18}},
        // Greenland
        {{-73, 78}, {-60, 82}, {-30, 83}, {-20, 80}, {-20, 70}, {-30, 68}, {-40, 65}, {-43, 60},
         {-50, 64}, {-55, 70}, {-60, 76}},
        // Antarctica
        {{-180, -70}, {-120, -73}, {-60, -64}, {-40, -78}, {0, -70}, {60, -67}, {120, -66}, {170, -72},
         {180, -70}, {180, -90}, {-180, -90}},
        // Great Britain and Ireland
        {{-5, 50}, {1, 51}, {2, 53}, {0, 54}, {-2, 56}, {-2, 58}, {-5, 58.6}, {-6, 56}, {-5, 55},
         {-3, 54}, {-4, 52}},
        {{-10, 52}, {-6, 52}, {-6, 54}, {-8, 55}, {-10, 54}},
        // Iceland
        {{-24, 65}, {-14, 66}, {-14, 64}, {-22, 63}},
        // Japan
        {{130, 31}, {131, 34}, {135, 34}, {140, 35}, {141, 38}, {141, 41}, {140, 40}, {139, 38},
         {136, 36}, {132, 35}, {130, 33}},
        {{140, 42}, {145, 43}, {142, 45}, {140, 43}},
        // Madagascar, Sri Lanka, Cuba
        {{44, -25}, {47, -25}, {50, -15}, {49, -12}, {44, -16}},
        {{80, 6}, {82, 7}, {80, 10}},
        {{-85, 22}, {-74, 20}, {-78, 21}, {-82, 23}},
        // Sumatra, Borneo, Java, New Guinea, the Philippines
        {{95, 5}, {98, 4}, {106, -6}, {104, -5}},
        {{109, 2}, {117, 7}, {119, 1}, {116, -4}, {110, -3}},
        {{106, -6}, {114, -7}, {114, -8}, {106, -7}},
        {{131, -1}, {141, -3}, {150, -10}, {141, -9}, {136, -5}},
        {{120, 18}, {122, 18}, {124, 12}, {126, 7}, {122, 7}, {121, 14}},
        // New Zealand
        {{172, -34}, {178, -38}, {174, -41}, {167, -46}, {172, -41}, {174, -37}},
    };
    return lands;
}

const QColor Ocean(24, 70, 140);
const QColor Land(92, 150, 74);

double Rad(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

QImage WorldTexture(int width)
{
    const int height = width / 2;
    QImage map(width, height, QImage::Format_RGB32);
    map.fill(Ocean);
    QPainter p(&map);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double scale = width / 360.0;
    const auto toMap = [&](const QPointF &lonLat) {
        return QPointF((lonLat.x() + 180.0) * scale, (90.0 - lonLat.y()) * scale);
    };
    // Parallels and meridians every 30 degrees, faint, so the turning shows
    // over open sea too.
    p.setPen(QColor(60, 105, 170));
    for (int lon = -150; lon < 180; lon += 30)
        p.drawLine(toMap(QPointF(lon, 90)), toMap(QPointF(lon, -90)));
    for (int lat = -60; lat <= 60; lat += 30)
        p.drawLine(toMap(QPointF(-180, lat)), toMap(QPointF(180, lat)));
    p.setPen(Qt::NoPen);
    p.setBrush(Land);
    for (const auto &outline : Outlines()) {
        QPolygonF poly;
        for (const QPointF &pt : outline)
            poly << toMap(pt);
        p.drawPolygon(poly);
    }
    return map;
}

bool WorldTextureIsLand(const QImage &texture, double latitude, double longitude)
{
    const double scale = texture.width() / 360.0;
    const int x = std::clamp(static_cast<int>((longitude + 180.0) * scale), 0, texture.width() - 1);
    const int y = std::clamp(static_cast<int>((90.0 - latitude) * scale), 0, texture.height() - 1);
    return texture.pixelColor(x, y) == Land;
}

bool GlobePointAt(int size, double latitude, double longitude, double px, double py, double &outLatitude,
                  double &outLongitude)
{
    const double r = size / 2.0;
    const double x = (px - r) / r;
    const double y = (r - py) / r;
    const double rho2 = x * x + y * y;
    if (rho2 > 1.0)
        return false;
    // Inverse orthographic projection about (latitude, longitude).
    const double phi0 = Rad(latitude);
    const double z = std::sqrt(1.0 - rho2);
    const double sinPhi = z * std::sin(phi0) + y * std::cos(phi0);
    outLatitude = std::asin(std::clamp(sinPhi, -1.0, 1.0)) * 180.0 / std::numbers::pi;
    double lon = longitude + std::atan2(x, z * std::cos(phi0) - y * std::sin(phi0)) * 180.0 / std::numbers::pi;
    lon = std::fmod(lon + 540.0, 360.0) - 180.0;
    outLongitude = lon;
    return true;
}

QImage RenderGlobe(const QImage &texture, int size, double latitude, double longitude)
{
    QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (texture.isNull() || size <= 0)
        return out;
    const QImage tex = texture.convertToFormat(QImage::Format_RGB32);
    const int tw = tex.width();
    const int th = tex.height();
    const double r = size / 2.0;
    for (int py = 0; py < size; ++py) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(py));
        for (int px = 0; px < size; ++px) {
            double lat = 0;
            double lon = 0;
            if (!GlobePointAt(size, latitude, longitude, px + 0.5, py + 0.5, lat, lon))
                continue;
            const int tx = std::clamp(static_cast<int>((lon + 180.0) / 360.0 * tw), 0, tw - 1);
            const int ty = std::clamp(static_cast<int>((90.0 - lat) / 180.0 * th), 0, th - 1);
            const QRgb c = reinterpret_cast<const QRgb *>(tex.constScanLine(ty))[tx];
            // Light from the viewer's upper left: darker towards the rim.
            const double dx = (px + 0.5 - r) / r;
            const double dy = (py + 0.5 - r) / r;
            const double z = std::sqrt(std::max(0.0, 1.0 - dx * dx - dy * dy));
            const double light = std::clamp(0.35 + 0.65 * (0.8 * z - 0.25 * dx - 0.25 * dy + 0.2), 0.3, 1.1);
            const auto shade = [light](int v) { return std::clamp(static_cast<int>(v * light), 0, 255); };
            line[px] = qRgb(shade(qRed(c)), shade(qGreen(c)), shade(qBlue(c)));
        }
    }
    return out;
}
