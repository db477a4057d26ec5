#pragma once
// The start picture "logo.bmp": a dish antenna under a night sky aiming at the
// Moon, with the suite's name. Drawn entirely by QPainter; needs a
// QGuiApplication for the text.

#include <QImage>
#include <QSize>

namespace logo {

inline constexpr QSize kLogoSize(300, 200); // pixels

QImage drawLogo();

} // namespace logo
