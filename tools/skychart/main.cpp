// skychart OUTDIR: draws the radio-sky map pictures and writes them into
// OUTDIR, each at 15 twips a pixel and, as NAME@2x.png, at 7.5:
//   skychart.png           Planner's chart, 366 x 275
//   skychart-tracking.png  Tracking's chart, 384 x 184
//   sun.png                the Sun marker, 18 x 18
//   moon0.png .. moon7.png the Moon phases, 32 x 32
//   skykey-colours.png     the colour key, 152 x 171
//   skykey-sources.png     the source key, 103 x 152
//   info.png               the information button, 32 x 32

#include "tools/skychart/SkyChart.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skychart OUTDIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // fonts
    const QDir out(QString::fromLocal8Bit(argv[1]));
    std::vector<std::pair<QString, std::function<QImage(int)>>> pictures = {
        {QStringLiteral("skychart"), [](int s) { return skychart::dessineCarte(skychart::geometriePlanner(), s); }},
        {QStringLiteral("skychart-tracking"),
         [](int s) { return skychart::dessineCarte(skychart::geometrieTracking(), s); }},
        {QStringLiteral("sun"), skychart::dessineSoleil},
        {QStringLiteral("skykey-colours"), skychart::dessineCleCouleurs},
        {QStringLiteral("skykey-sources"), skychart::dessineCleSources},
        {QStringLiteral("info"), skychart::dessineBoutonInfo},
    };
    for (int k = 0; k < 8; ++k)
        pictures.push_back({QStringLiteral("moon%1").arg(k), [k](int s) { return skychart::dessinePhaseLune(k, s); }});
    for (const auto& [name, draw] : pictures) {
        for (int scale : {1, 2}) {
            const QString path = out.filePath(name + (scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
            if (!draw(scale).save(path, "PNG")) {
                std::fprintf(stderr, "skychart: cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
        }
    }
    return 0;
}
