#pragma once
// Veskaro's start window: the station's logo alone for 2 seconds, then the
// editor. It stays loaded and hidden for the program's life.

#include <QWidget>

#include "platform/widgets/StartWindow.h"

class Veskaro;

class FeuilleChoixFichier : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleChoixFichier(Veskaro& etat);

    // Places the window, shows the logo, holds it 2 seconds on the program's
    // clock, then hides itself and opens Form2.
    void Form_Load();

    platform::LogoPicture* ImageLogo;

private:
    Veskaro& etat_;
};
