#pragma once
// Planner's program-wide variables, without any window: the station, the
// period and step of the computations, the per-day summary handed to the table
// windows, the DX point and the common-window curve. The program's state
// object (class Planner) derives from this, so the computations and their
// tests work on a plain VariablesPlanner. Flags are 16-bit integers with
// True = -1.

#include "astro/Astro.h"

#include <QString>
#include <array>
#include <cstdint>

constexpr int16_t Vrai = -1;
constexpr int16_t Faux = 0;

struct VariablesPlanner {
    astro::EtatAstro Astro; // the astronomy state (DateCalcul, JourJulien, results, ...)

    // --- station (the chosen station set-up file) ---
    QString FichierStation;          // bare name in the station folder; empty until chosen
    QString Indic;                   // call sign
    QString Lieu;                    // location
    double LatitudeStation = 0;      // degrees, north positive
    double LongitudeStation = 0;     // degrees, east positive
    double LongitudeStationHeures = 0; // hours, east positive
    int16_t Altitude = 0;            // metres
    int16_t DecHor = 0;              // PC clock offset from UTC, hours (UTC = PC - DecHor)
    int32_t Freq = 0;                // MHz
    int16_t StationValide = Faux;

    // --- source ---
    int16_t CodeSource = 0;
    QString NomSource = QStringLiteral("Moon");

    // --- period and computation clock ---
    int16_t Step = 0;                // minutes
    int16_t MoonVisible = Faux;
    int16_t SaisieValide = Vrai;     // mask flag shared by every date and time box
    int32_t HeureCalcul = 0;         // UTC hour of the current step
    int32_t MinuteCalcul = 0;
    double SecondesJour = 0;
    double DateJulienneDebut = 0;
    double DateJulienneFin = 0;

    // --- per-day summary handed to the table windows ---
    QString HeureDebutTable;         // "hh:mm"
    // "hh:mm" of the day's latest step, written when the day ends; empty after a day change.
    QString HeureFinTable;
    float AscDroiteDebut = 0;        // degrees
    float DeclinaisonDebut = 0;
    float AscDroiteFin = 0;
    float DeclinaisonFin = 0;
    float AscDroiteSoleil = 0;
    // Extra loss, dB ("0.0"): the day's latest row's (Moon-location), its first row's (common window).
    QString TextePerte;

    // --- table windows (the lists themselves live in the program object) ---
    int16_t IndexPrevision = 0;      // index of the window being filled, then of the last one
    int16_t IndexComWin = 0;

    // --- DX point and curve ---
    int16_t XPointDX = 0;            // world-map twips, where the DX mark is drawn; both 0 = no DX point
    int16_t YPointDX = 0;
    // The DX station's own position, which its values are computed for: a
    // prefix record's position (which may lie beyond the map's edges, where
    // the mark is pinned) or the position of the map point clicked.
    double LatitudeDX = 0;           // degrees, north positive
    double LongitudeDX = 0;          // degrees, east positive
    double LongitudeDXHeures = 0;    // hours, east positive
    // The prefix record the DX point was placed from: the prefix as typed, in
    // capitals, and the entity's name as shown ("France"); both empty for a
    // point clicked. The DX window, the world map's text and the
    // common-window tables' DX lines show them.
    QString PrefixeDX;
    QString PaysDX;
    std::array<double, 72> CourbeFenetreCommune{}; // map Y of the elevation-0 line per 80-twip column
    int16_t ColonneCarte = 0;
    int16_t XCarte = 0;
    int16_t YCarte = 0;
    double DeclinaisonCourbe = 0;    // radians
    int16_t RedessinCarte = Faux;

    // --- places of the first table windows (Planner.ini), twips ---
    int16_t TopPrevision = 0;
    int16_t LeftPrevision = 0;
    int16_t TopComWin = 0;
    int16_t LeftComWin = 0;

    // --- text and title of the next message box ---
    QString TexteMessage;
    QString TitreMessage;
};
