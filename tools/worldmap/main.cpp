// worldmap LAND.txt OUTDIR: draws the world map picture from the polygon list
// and writes OUTDIR/worldmap.png (378 x 185) and OUTDIR/worldmap@2x.png
// (756 x 370).

#include "tools/worldmap/WorldMap.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: worldmap LAND.txt OUTDIR\n");
        return 2;
    }
    QString error;
    const auto polygons = worldmap::readPolygons(QString::fromLocal8Bit(argv[1]), &error);
    if (!polygons) {
        std::fprintf(stderr, "worldmap: %s\n", qPrintable(error));
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const struct {
        int scale;
        const char* name;
    } pictures[] = {{1, "worldmap.png"}, {2, "worldmap@2x.png"}};
    for (const auto& p : pictures) {
        const QString path = out.filePath(QString::fromLatin1(p.name));
        if (!worldmap::drawWorldMap(*polygons, p.scale).save(path, "PNG")) {
            std::fprintf(stderr, "worldmap: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
