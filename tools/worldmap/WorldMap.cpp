#include "tools/worldmap/WorldMap.h"

#include "astro/Astro.h"

#include <QFile>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace worldmap {

namespace {

void setError(QString* error, int lineNumber, const QString& what)
{
    if (error)
        *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
}

// Map position in twips of one point, by the astro/ projection. The longitude
// function takes its argument by reference and may rewrite it (lon + 360
// west of 168 W), so it gets a copy.
QPointF projectTwips(const GeoPoint& p)
{
    float lon = p.lon;
    float lat = p.lat;
    const int16_t x = astro::LongitudeVersCarteX(lon);
    const int16_t y = astro::LatitudeVersCarteY(lat);
    return QPointF(x, y);
}

// A projected ring whose X is kept continuous across the map's seam: a step
// of more than half the map width between neighbours is a wrap of 360
// degrees, undone here, so X may run below 0 or beyond the map width.
QPolygonF projectRing(const Ring& ring)
{
    QPolygonF out;
    out.reserve(static_cast<qsizetype>(ring.size()));
    double shift = 0;
    double previous = 0;
    for (const GeoPoint& p : ring) {
        QPointF t = projectTwips(p);
        if (!out.isEmpty()) {
            const double step = t.x() + shift - previous;
            if (step > kMapWidthTwips / 2.0)
                shift -= kMapWidthTwips;
            else if (step < -kMapWidthTwips / 2.0)
                shift += kMapWidthTwips;
        }
        t.setX(t.x() + shift);
        previous = t.x();
        out.append(t);
    }
    return out;
}

bool beyondTopOrBottom(const Polygon& polygon)
{
    const Ring& outer = polygon.front();
    const bool allSouth = std::all_of(outer.begin(), outer.end(), [](const GeoPoint& p) { return p.lat < -55.0f; });
    const bool allNorth = std::all_of(outer.begin(), outer.end(), [](const GeoPoint& p) { return p.lat > 85.0f; });
    return allSouth || allNorth;
}

} // namespace

std::optional<std::vector<Polygon>> parsePolygons(const QByteArray& text, QString* error)
{
    const QList<QByteArray> lines = text.split('\n');
    std::vector<Polygon> polygons;
    qsizetype i = 0;
    auto nextLine = [&](QByteArray& line) {
        while (i < lines.size()) {
            line = lines[i++].trimmed();
            if (!line.isEmpty() && !line.startsWith('#'))
                return true;
        }
        return false;
    };
    auto header = [&](const QByteArray& line, char tag, int& count) {
        if (line.size() < 3 || line[0] != tag || line[1] != ' ')
            return false;
        bool ok = false;
        count = line.mid(2).trimmed().toInt(&ok);
        return ok && count > 0;
    };
    QByteArray line;
    while (nextLine(line)) {
        int ringCount = 0;
        if (!header(line, 'P', ringCount)) {
            setError(error, int(i), QStringLiteral("expected \"P <rings>\""));
            return std::nullopt;
        }
        Polygon polygon;
        for (int r = 0; r < ringCount; ++r) {
            int pointCount = 0;
            if (!nextLine(line) || !header(line, 'R', pointCount)) {
                setError(error, int(i), QStringLiteral("expected \"R <points>\""));
                return std::nullopt;
            }
            Ring ring;
            ring.reserve(static_cast<size_t>(pointCount));
            for (int k = 0; k < pointCount; ++k) {
                if (!nextLine(line)) {
                    setError(error, int(i), QStringLiteral("ring ends early"));
                    return std::nullopt;
                }
                const QList<QByteArray> parts = line.simplified().split(' ');
                bool okLon = false, okLat = false;
                const float lon = parts.size() == 2 ? parts[0].toFloat(&okLon) : 0.0f;
                const float lat = parts.size() == 2 ? parts[1].toFloat(&okLat) : 0.0f;
                if (!okLon || !okLat || lon < -180.0f || lon > 180.0f || lat < -90.0f || lat > 90.0f) {
                    setError(error, int(i), QStringLiteral("expected \"<lon> <lat>\" in degrees"));
                    return std::nullopt;
                }
                ring.push_back({lon, lat});
            }
            polygon.push_back(std::move(ring));
        }
        polygons.push_back(std::move(polygon));
    }
    return polygons;
}

std::optional<std::vector<Polygon>> readPolygons(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1").arg(path);
        return std::nullopt;
    }
    return parsePolygons(file.readAll(), error);
}

QSize pictureSize(int scale)
{
    // 15 twips a pixel at scale 1; a part pixel at the bottom counts whole.
    const int w = (kMapWidthTwips * scale + 14) / 15;
    const int h = (kMapHeightTwips * scale + 14) / 15;
    return QSize(w, h);
}

QImage drawWorldMap(const std::vector<Polygon>& polygons, int scale)
{
    QImage image(pictureSize(scale), QImage::Format_RGB32);
    image.fill(kSeaColour);

    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);
    for (const Polygon& polygon : polygons) {
        if (polygon.empty() || polygon.front().size() < 3 || beyondTopOrBottom(polygon))
            continue;
        QPainterPath path;
        for (const Ring& ring : polygon) {
            if (ring.size() >= 3)
                path.addPolygon(projectRing(ring));
            path.closeSubpath();
        }
        land.addPath(path);
        const QRectF box = path.boundingRect();
        if (box.left() < 0)
            land.addPath(path.translated(kMapWidthTwips, 0));
        if (box.right() > kMapWidthTwips)
            land.addPath(path.translated(-kMapWidthTwips, 0));
    }

    const double pixelsPerTwip = scale / 15.0;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(pixelsPerTwip, pixelsPerTwip);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kLandColour));
    painter.drawPath(land);
    painter.resetTransform();

    // Graticule: one-pixel lines through the pixel that holds each meridian
    // and parallel, drawn without antialiasing so they stay sharp and faint.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgba(kGraticuleColour), 0));
    const int w = image.width();
    const int h = image.height();
    for (int lonDeg = -150; lonDeg <= 180; lonDeg += 30) {
        const QPointF t = projectTwips({float(lonDeg), 0.0f});
        const int x = int(std::floor(t.x() * pixelsPerTwip));
        if (x >= 0 && x < w)
            painter.drawLine(x, 0, x, h - 1);
    }
    for (int latDeg = 60; latDeg >= -30; latDeg -= 30) {
        const QPointF t = projectTwips({0.0f, float(latDeg)});
        const int y = int(std::floor(t.y() * pixelsPerTwip));
        if (y >= 0 && y < h)
            painter.drawLine(0, y, w - 1, y);
    }
    painter.end();
    return image;
}

} // namespace worldmap
