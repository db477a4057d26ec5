#pragma once
// "track.ini": the places of Tracking's two windows and four display
// choices, 12 lines of one item each (labels on lines 1, 5 and 9). No widget.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace suivi {

// Window places are in twips, 32-bit: a desktop wider than 2184 pixels
// (32767 twips at 15 twips a pixel) holds windows beyond 16 bits.
struct TrackIni {
    int32_t InterfaceTop = 0, InterfaceLeft = 0, InterfaceEtat = 0; // etat: 0 normal, 1 minimised, 2 maximised
    int32_t PrincipaleTop = 0, PrincipaleLeft = 0;
    bool CarteMonde = false; // world map shown (else the sky map)
    bool Absolu = false;     // "Absolute position" (else "Offset / Source")
    bool Mesure = false;     // measurement display on
    bool Paysage = false;    // "Landscape"
};

// The 12 lines written for `t`.
QStringList lignesTrackIni(const TrackIni& t);

// Reads the file into `t`, value by value: a value read before an error stays
// in `t`. Returns false on any error (missing file, short file, a value that
// is not a 32-bit whole number).
bool lireTrackIni(const QString& path, TrackIni& t);

} // namespace suivi
