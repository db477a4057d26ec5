// logo OUT.bmp...: draws the start picture (300 x 200 pixels, 24-bit BMP) and
// writes it to every path given.

#include "tools/logo/Logo.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: logo OUT.bmp [OUT.bmp ...]\n");
        return 2;
    }
    // Text needs the font system; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage picture = logo::drawLogo().convertToFormat(QImage::Format_RGB888);
    for (int i = 1; i < argc; ++i) {
        if (!picture.save(QString::fromLocal8Bit(argv[i]), "BMP")) {
            std::fprintf(stderr, "logo: cannot write %s\n", argv[i]);
            return 1;
        }
        std::printf("%s\n", argv[i]);
    }
    return 0;
}
