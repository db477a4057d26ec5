#include "Planner/Rapport.h"

#include "platform/Text.h"

#include <cmath>

namespace planner {

namespace {

struct Rapport {
    platform::Printer& p;
    const ContenuTable& t;
    const Evenements& ev;
    int kind; // 0 Moon location, 1 common window
    QString titre1;
    bool saut = false;

    QString entete(int i) const { return i < t.Entete.size() ? t.Entete[i] : QString(); }

    void ecrit(double x, double y, const QString& s) {
        p.setCurrentX(x);
        p.setCurrentY(y);
        p.print(s);
    }

    void titres() {
        p.setScaleLeft(0);
        p.setScaleTop(0);
        p.setFontBold(true);
        p.setFontUnderline(true);
        ecrit((p.width() - p.textWidth(titre1)) / 2, 0, titre1);
        const double y = p.currentY() + 200;
        ecrit((p.width() - p.textWidth(t.caption)) / 2, y, t.caption);
    }

    void cadreCorps() {
        p.setScaleLeft((8280 - p.width()) / 2);
        p.setScaleTop(-1000);
    }

    void bloc(double x0, double x1, double h, double xg, const QString& titre, double xt) {
        p.line(x0, 0, x0 + 120, 0);
        p.line(x0, 0, x0, h);
        p.lineTo(x1, h);
        p.lineTo(x1, 0);
        p.lineTo(xg, 0);
        ecrit(xt, -100, titre);
    }

    void icone(int code) {
        const QImage* image = nullptr;
        if (kind == 0 && code >= 0 && code <= 2)
            image = &t.icones[size_t(code)];
        else if (kind == 1)
            image = &t.icones[0];
        if (!image)
            return;
        const double x0 = std::nearbyint(p.currentX()), y0 = std::nearbyint(p.currentY());
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (x < image->width() && y < image->height() &&
                    (image->pixel(x, y) & 0xFFFFFF) == 0 && qAlpha(image->pixel(x, y)) != 0)
                    p.filledBoxStep(x0 + 15 * x, y0 + 15 * y, 15, 15, 0);
            }
            if (ev)
                ev();
        }
    }

    void iconeA(int code, double x, double y) {
        p.setCurrentX(x);
        p.setCurrentY(y);
        icone(code);
    }

    void entetesColonnes() {
        const double y0 = kind == 0 ? 1400 : 1750;
        p.boxStep(0, y0, 8280, 900);
        p.line(0, y0 + 550, 8280, y0 + 550);
        for (double x : {840.0, 1680.0, 2640.0, 3600.0, 4560.0, 5520.0, 6480.0, 7440.0}) {
            const bool pleine = x == 1680 || x == 4560 || x == 6480;
            p.line(x, pleine ? y0 : y0 + 550, x, y0 + 900);
        }
        if (kind == 0) {
            const std::pair<QPoint, const char*> textes[] = {
                {{960, 1600}, "Time"}, {{2760, 1600}, "Moon"}, {{3600, 1500}, "Doppler"}, {{3720, 1700}, "(Hz)"},
                {{5640, 1600}, "Sun"}, {{6960, 1600}, "Cold Sky"}, {{240, 2050}, "UTC"}, {{960, 2050}, "Local"},
                {{1920, 2050}, "Azim"}, {{2880, 2050}, "Elev"}, {{3840, 2050}, "Echo"}, {{4800, 2050}, "Azim"},
                {{5760, 2050}, "Elev"}, {{6720, 2050}, "Azim"}, {{7680, 2050}, "Elev"}};
            for (const auto& [pos, s] : textes)
                ecrit(pos.x(), pos.y(), QString::fromLatin1(s));
            p.setDrawWidth(1);
            iconeA(0, 200, 1450);
            iconeA(1, 1920, 1450);
            iconeA(2, 4800, 1450);
            p.setDrawWidth(3);
        } else {
            ecrit(960, 2050, QStringLiteral("Time"));
            p.setFontBold(true);
            ecrit(2880, 1800, QStringLiteral("Home"));
            ecrit(5040, 1800, QStringLiteral("Home - DX"));
            ecrit(7320, 1800, QStringLiteral("DX"));
            p.setFontBold(false);
            ecrit(1680 + (1920 - p.textWidth(t.EtiqNomSource)) / 2, 2050, t.EtiqNomSource);
            ecrit(3600, 2050, QStringLiteral("Doppler"));
            ecrit(4680, 2050, QStringLiteral("Doppler"));
            ecrit(5640, 2050, QStringLiteral("Polar"));
            ecrit(6480 + (1800 - p.textWidth(t.EtiqNomSource)) / 2, 2050, t.EtiqNomSource);
            const std::pair<QPoint, const char*> textes[] = {
                {{240, 2400}, "UTC"},  {{960, 2400}, "Local"}, {{1920, 2400}, "Azim"}, {{2880, 2400}, "Elev"},
                {{3960, 2400}, "Hz"},  {{4920, 2400}, "Hz"},   {{5880, 2400}, "Deg"},  {{6720, 2400}, "Azim"},
                {{7680, 2400}, "Elev"}};
            for (const auto& [pos, s] : textes)
                ecrit(pos.x(), pos.y(), QString::fromLatin1(s));
            p.setDrawWidth(1);
            iconeA(0, 200, 1800);
            p.setDrawWidth(3);
        }
    }

    void numeroPage() {
        p.setCurrentX(4140);
        p.setCurrentY(p.scaleTop() + p.scaleHeight() - 500);
        p.print(platform::Str(p.page()));
    }

    void sautPage() {
        saut = true;
        numeroPage();
        p.newPage();
        titres();
        p.setScaleLeft((8280 - p.width()) / 2);
        p.setScaleTop(kind == 1 ? 750 : 400);
        p.setFontBold(false);
        p.setFontUnderline(false);
        entetesColonnes();
        cadreCorps();
        p.setCurrentX(0);
        p.setCurrentY(950);
    }

    void corps() {
        cadreCorps();
        p.setCurrentY(kind == 1 ? 2660 : 2310);
        saut = false;
        // Blank rows after the last row with text (a day's separator) never
        // start a page: every page holds a table row.
        size_t fin = t.lignes.size();
        while (fin > 0 && TexteLigne(t.lignes[fin - 1]).trimmed().isEmpty())
            --fin;
        for (size_t i = 0; i < t.lignes.size(); ++i) {
            p.setCurrentX(0);
            p.setCurrentY(p.currentY() + 40);
            const QString texte = TexteLigne(t.lignes[i]);
            if (!(p.currentY() < p.scaleTop() + p.scaleHeight() - 700)) {
                if (i >= fin)
                    break;
                sautPage();
            }
            p.print(texte);
        }
        if (saut)
            numeroPage();
        p.endDoc();
    }
};

bool pageTropEtroite(platform::Printer& p, platform::Dialogs& d) {
    if (p.scaleWidth() >= 8500)
        return false;
    d.message(QStringLiteral("The pagewidth is too narrow !"), platform::Buttons::Ok, platform::Icon::Exclamation,
              QStringLiteral("Planner - Printer"));
    return true;
}

} // namespace

QString TexteLigne(const QStringList& cellules) {
    QString s;
    for (int c = 0; c < 9; ++c) {
        const int largeur = c == 0 ? 6 : c == 1 ? 7 : 8;
        const QString cell = c < cellules.size() ? cellules[c] : QString();
        s += cell.size() > largeur ? cell.left(largeur) : cell.rightJustified(largeur, QLatin1Char(' '));
    }
    return s;
}

void ImprimePrevision(platform::Printer& p, platform::Dialogs& d, const ContenuTable& t, const Evenements& ev) {
    if (pageTropEtroite(p, d))
        return;
    Rapport r{p, t, ev, 0, QStringLiteral("Moon Location for")};
    p.setScaleLeft(0);
    p.setScaleTop(0);
    p.setDrawWidth(3);
    p.setFontSize(8.25);
    r.titres();
    r.cadreCorps();
    p.setFontBold(false);
    p.setFontUnderline(false);
    r.bloc(0, 8280, 550, 1800, QStringLiteral("Home Station"), 240);
    const std::pair<QPoint, int> labels[] = {{{240, 200}, 0},  {{1440, 200}, 1}, {{4080, 200}, 2},
                                             {{6000, 200}, 3}, {{240, 750}, 4},  {{4080, 750}, 7},
                                             {{240, 1050}, 6}, {{4080, 1050}, 5}};
    for (const auto& [pos, i] : labels)
        r.ecrit(pos.x(), pos.y(), r.entete(i));
    r.entetesColonnes();
    r.corps();
}

void ImprimePrevisionCommune(platform::Printer& p, platform::Dialogs& d, const ContenuTable& t,
                             const Evenements& ev) {
    if (pageTropEtroite(p, d))
        return;
    Rapport r{p, t, ev, 1, t.EtiqNomSource + QStringLiteral(" Common Window for")};
    p.setScaleLeft(0);
    p.setScaleTop(0);
    p.setDrawWidth(2);
    p.setFontSize(8.25);
    r.titres();
    r.cadreCorps();
    p.setFontBold(false);
    p.setFontUnderline(false);
    r.bloc(0, 4000, 900, 1800, QStringLiteral("Home Station"), 240);
    r.bloc(4280, 8280, 900, 5840, QStringLiteral("DX Station"), 4520);
    const bool lune = t.EtiqSource1.left(3) == QLatin1String("Moo");
    const std::pair<QPoint, int> labels[] = {{{120, 200}, 0},  {{1320, 200}, 1}, {{120, 550}, 2},
                                             {{1920, 550}, 3}, {{4400, 200}, 8}, {{5600, 200}, 9},
                                             {{4400, 550}, 10}, {{6200, 550}, 11}, {{120, 1100}, 4}};
    for (const auto& [pos, i] : labels)
        r.ecrit(pos.x(), pos.y(), r.entete(i));
    if (lune) {
        r.ecrit(4080, 1100, r.entete(7));
        r.ecrit(120, 1400, r.entete(6));
        r.ecrit(4080, 1400, r.entete(5));
    }
    r.entetesColonnes();
    r.corps();
}

} // namespace planner
