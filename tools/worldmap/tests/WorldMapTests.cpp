// The committed world map pictures: their sizes, known places on land and at
// sea found where the astro/ projection puts them, and agreement with a fresh
// drawing from the polygon list; the polygon reader and the seam handling of
// the drawing on small fixtures.

#include "tools/worldmap/WorldMap.h"

#include "astro/Astro.h"
#include "platform/testing/SourceDir.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QImage committedPicture(int scale)
{
    const QString name = scale == 1 ? QStringLiteral("worldmap.png") : QStringLiteral("worldmap@2x.png");
    return QImage(platform::testing::sourcePath(QStringLiteral("assets/") + name));
}

int squaredDistance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// True when the pixel that holds (lon, lat) is nearer the land colour than
// the sea colour. The pixel is the one covering the point's twips, at 15
// twips a pixel (7.5 at scale 2).
bool isLandAt(const QImage& image, int scale, float lon, float lat)
{
    const int x = astro::LongitudeVersCarteX(lon) * scale / 15;
    const int y = astro::LatitudeVersCarteY(lat) * scale / 15;
    const QRgb c = image.pixel(x, y);
    return squaredDistance(c, worldmap::kLandColour) < squaredDistance(c, worldmap::kSeaColour);
}

struct Place {
    const char* name;
    float lon;
    float lat;
    bool land;
};

// Each point is at least about one degree from the nearest coast of the
// Natural Earth 1:50m land.
const Place kPlaces[] = {
    {"Sahara (Algeria)", 3.0f, 25.0f, true},
    {"Amazon basin", -62.0f, -5.0f, true},
    {"Australian interior", 134.0f, -25.0f, true},
    {"Greenland ice sheet", -42.0f, 75.0f, true},
    {"Iceland", -18.5f, 64.75f, true},
    {"Siberia", 100.0f, 62.0f, true},
    {"Alaska, east of the left edge", -155.0f, 65.0f, true},
    {"Chukotka, right of 180 degrees", -179.5f, 67.5f, true},
    {"South Africa by the Cape", 20.0f, -32.0f, true},
    {"Madagascar", 46.5f, -19.5f, true},
    {"South India", 78.0f, 12.0f, true},
    {"Gabon, two degrees inland", 12.0f, 0.0f, true},
    {"Spain", -5.0f, 40.0f, true},
    {"Mid-Pacific", -150.0f, 0.0f, false},
    {"South Pacific by the right edge", -170.0f, -30.0f, false},
    {"North Atlantic", -30.0f, 45.0f, false},
    {"South of the Cape of Good Hope", 18.0f, -37.0f, false},
    {"Gulf of Guinea", 4.0f, 0.0f, false},
    {"Mediterranean", 18.0f, 34.5f, false},
    {"Caspian Sea (a hole in Eurasia)", 51.0f, 42.0f, false},
    {"Indian Ocean", 80.0f, -20.0f, false},
    {"Hudson Bay", -85.0f, 59.0f, false},
    {"Tasman Sea", 160.0f, -38.0f, false},
    {"South of India", 77.5f, 5.0f, false},
    {"Bering Sea", -175.0f, 58.0f, false},
};

TEST(WorldMapPicture, CommittedPicturesHaveTheMapSizes)
{
    const QImage one = committedPicture(1);
    const QImage two = committedPicture(2);
    ASSERT_FALSE(one.isNull()) << "assets/worldmap.png not readable";
    ASSERT_FALSE(two.isNull()) << "assets/worldmap@2x.png not readable";
    EXPECT_EQ(one.size(), QSize(378, 185));
    EXPECT_EQ(two.size(), QSize(756, 370));
    EXPECT_EQ(worldmap::pictureSize(1), QSize(378, 185));
    EXPECT_EQ(worldmap::pictureSize(2), QSize(756, 370));
}

TEST(WorldMapPicture, KnownPlacesAreLandOrSeaOnBothPictures)
{
    for (int scale : {1, 2}) {
        const QImage image = committedPicture(scale);
        ASSERT_FALSE(image.isNull());
        for (const Place& p : kPlaces)
            EXPECT_EQ(isLandAt(image, scale, p.lon, p.lat), p.land)
                << p.name << " (" << p.lon << ", " << p.lat << ") at scale " << scale;
    }
}

// The committed pictures are what the generator draws now from the committed
// polygon list: a change of the drawing or of the data without a new
// `worldmap_assets` run fails here. A few pixels may differ in their
// antialiased shade between Qt builds.
TEST(WorldMapPicture, CommittedPicturesMatchAFreshDrawing)
{
    QString error;
    const QString data = platform::testing::sourcePath(QStringLiteral("tools/worldmap/land-50m.txt"));
    const auto polygons = worldmap::readPolygons(data, &error);
    ASSERT_TRUE(polygons.has_value()) << error.toStdString();
    for (int scale : {1, 2}) {
        const QImage fresh = worldmap::drawWorldMap(*polygons, scale);
        const QImage committed = committedPicture(scale).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(fresh.size(), committed.size());
        qint64 differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x)
                if (squaredDistance(fresh.pixel(x, y), committed.pixel(x, y)) > 3 * 16 * 16)
                    ++differing;
        EXPECT_LE(differing, fresh.width() * fresh.height() / 1000) << "scale " << scale;
    }
}

TEST(PolygonList, ReadsPolygonsWithHolesAndSkipsComments)
{
    const QByteArray text = "# comment\n"
                            "P 2\n"
                            "R 3\n"
                            "0 0\n10 0\n10 10\n"
                            "R 3\n"
                            "2 2\n3 2\n3 3\n"
                            "\n"
                            "P 1\r\n"
                            "R 3\r\n"
                            "-180.00 -16.17\r\n179.5 -16\r\n180 -17\r\n";
    QString error;
    const auto polygons = worldmap::parsePolygons(text, &error);
    ASSERT_TRUE(polygons.has_value()) << error.toStdString();
    ASSERT_EQ(polygons->size(), 2u);
    ASSERT_EQ((*polygons)[0].size(), 2u);
    EXPECT_EQ((*polygons)[0][1].size(), 3u);
    EXPECT_FLOAT_EQ((*polygons)[1][0][0].lon, -180.0f);
    EXPECT_FLOAT_EQ((*polygons)[1][0][0].lat, -16.17f);
}

TEST(PolygonList, RefusesMalformedInputNamingTheLine)
{
    const struct {
        const char* what;
        const char* text;
        const char* line;
    } cases[] = {
        {"point before a polygon header", "1 2\n", "line 1"},
        {"ring header missing", "P 1\n1 2\n", "line 2"},
        {"ring ends early", "P 1\nR 3\n0 0\n1 1\n", "line 5"},
        {"polygon ends early", "P 2\nR 3\n0 0\n1 0\n1 1\n", "line 6"},
        {"not a number", "P 1\nR 3\n0 0\n1 x\n1 1\n", "line 4"},
        {"three numbers", "P 1\nR 3\n0 0 0\n1 0\n1 1\n", "line 3"},
        {"latitude beyond the pole", "P 1\nR 3\n0 0\n1 91\n1 1\n", "line 4"},
        {"zero rings", "P 0\n", "line 1"},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_FALSE(worldmap::parsePolygons(c.text, &error).has_value()) << c.what;
        EXPECT_TRUE(error.startsWith(QString::fromLatin1(c.line) + QLatin1Char(':'))) << c.what << ": " << error.toStdString();
    }
}

worldmap::Polygon box(float lon0, float lon1, float lat0, float lat1)
{
    return {{{lon0, lat0}, {lon1, lat0}, {lon1, lat1}, {lon0, lat1}}};
}

TEST(WorldMapDrawing, LandAcrossTheLeftRightSeamShowsAtBothEdges)
{
    // 172 W to 164 W straddles the map's seam at 168 W.
    const QImage image = worldmap::drawWorldMap({box(-172.0f, -164.0f, -10.0f, 10.0f)}, 1);
    EXPECT_TRUE(isLandAt(image, 1, -166.0f, 0.0f)) << "east part, at the left edge";
    EXPECT_TRUE(isLandAt(image, 1, -170.0f, 0.0f)) << "west part, at the right edge";
    EXPECT_FALSE(isLandAt(image, 1, 0.0f, 0.0f)) << "no land band across the map";
    EXPECT_FALSE(isLandAt(image, 1, -160.0f, 0.0f));
    EXPECT_FALSE(isLandAt(image, 1, -175.0f, 0.0f));
}

TEST(WorldMapDrawing, HolesAreSeaAndPolarLandIsLeftOut)
{
    worldmap::Polygon withLake = box(0.0f, 40.0f, 0.0f, 40.0f);
    withLake.push_back(box(10.0f, 30.0f, 10.0f, 30.0f).front());
    // A ring round the South Pole, wholly below the map's bottom edge.
    worldmap::Polygon antarctic;
    antarctic.push_back({});
    for (int lon = -180; lon < 180; lon += 10)
        antarctic.back().push_back({float(lon), -70.0f});
    const QImage image = worldmap::drawWorldMap({withLake, antarctic}, 2);
    EXPECT_TRUE(isLandAt(image, 2, 5.0f, 5.0f));
    EXPECT_FALSE(isLandAt(image, 2, 20.0f, 20.0f)) << "the lake";
    EXPECT_FALSE(isLandAt(image, 2, -100.0f, -60.0f)) << "bottom edge";
}

} // namespace
