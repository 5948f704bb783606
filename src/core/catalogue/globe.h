#pragma once
// The Countries Explorer's globe: a world map of our own (coarse outlines of
// the continents and the larger islands, in degrees) painted into an
// equirectangular texture, and an orthographic view of that texture turned
// so that a given point of the map faces the viewer.
#include <QColor>
#include <QImage>

// The map: width x width / 2 pixels, longitude -180 at the left edge,
// latitude 90 at the top. Built once per width.
QImage WorldTexture(int width = 720);
// True when the map shows land at the point.
bool WorldTextureIsLand(const QImage &texture, double latitude, double longitude);

// The globe seen from far away with (latitude, longitude) at its centre,
// shaded towards its rim, on a transparent square of size pixels.
QImage RenderGlobe(const QImage &texture, int size, double latitude, double longitude);

// The map point at a pixel of a globe rendered by RenderGlobe; false off
// the globe.
bool GlobePointAt(int size, double latitude, double longitude, double px, double py, double &outLatitude,
                  double &outLongitude);
