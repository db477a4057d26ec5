#include "Planner/FeuilleChoixDate.h"

#include "Planner/Dates.h"
#include "Planner/Planner.h"
#include "platform/widgets/Accessible.h"
#include "platform/Geometry.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {
// A date or time box's rule: its mask, its check, and the warning shown when
// the check fails.
struct RegleBoite {
    const char* masque;
    bool (*verifie)(VariablesPlanner&, const QString&);
    const char* message;
    const char* titre;
};
const RegleBoite RegleDate{"##-##-####", planner::verifieDate, "Enter a new date !!!", " - Compute Date ERROR -"};
const RegleBoite RegleHeure{"##:##", planner::verifieHeure, "Enter a new time !!!", " - Compute Time ERROR -"};

// True when the box's text passes the rule; otherwise a beep, the warning,
// and the focus back to the box.
bool verifieBoite(Planner& etat, platform::MaskedEdit* b, const RegleBoite& r) {
    if (r.verifie(etat, b->text()))
        return true;
    etat.Dialogues.beep();
    etat.Message(QString::fromLatin1(r.message), QString::fromLatin1(r.titre), platform::Buttons::Ok,
                 platform::Icon::Exclamation);
    b->setFocus();
    return false;
}

void brancheBoite(Planner& etat, platform::MaskedEdit* b, const RegleBoite& r) {
    b->setMask(QString::fromLatin1(r.masque));
    QObject::connect(b, &platform::MaskedEdit::validationError, b, [&etat] { etat.SaisieValide = Faux; });
    QObject::connect(b, &platform::MaskedEdit::lostFocus, b, [&etat, b, &r] { verifieBoite(etat, b, r); });
}
} // namespace

void brancheBoiteDate(Planner& etat, platform::MaskedEdit* b) { brancheBoite(etat, b, RegleDate); }

void brancheBoiteHeure(Planner& etat, platform::MaskedEdit* b) { brancheBoite(etat, b, RegleHeure); }

// The instant passed on by the O.K. buttons is checked again: a box that
// never had the focus would otherwise reach the computation unchecked.
bool verifieInstant(Planner& etat, platform::MaskedEdit* date, platform::MaskedEdit* heure) {
    return verifieBoite(etat, date, RegleDate) && verifieBoite(etat, heure, RegleHeure);
}

FeuilleChoixDate::FeuilleChoixDate(Planner& etat) : QWidget(nullptr), etat_(etat) {
    setWindowTitle(QStringLiteral("Date Input"));
    platform::resizeClientTwips(this, 4200, 2880);
    auto* c1 = new QGroupBox(QStringLiteral("Start UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(c1, 120, 60, 2520, 720);
    auto* c2 = new QGroupBox(QStringLiteral("End UTC (d-m-y  h-m)"), this);
    platform::setTwipsGeometry(c2, 120, 840, 2520, 720);
    auto* c3 = new QGroupBox(QStringLiteral("Options"), this);
    platform::setTwipsGeometry(c3, 120, 1620, 2520, 1080);
    EditDateDeb = new platform::MaskedEdit(c1);
    platform::setTwipsGeometry(EditDateDeb, 120, 300, 1320, 330);
    EditTimeDeb = new platform::MaskedEdit(c1);
    platform::setTwipsGeometry(EditTimeDeb, 1560, 300, 840, 330);
    EditDateFin = new platform::MaskedEdit(c2);
    platform::setTwipsGeometry(EditDateFin, 120, 300, 1320, 330);
    EditTimeFin = new platform::MaskedEdit(c2);
    platform::setTwipsGeometry(EditTimeFin, 1560, 300, 840, 330);
    OptionLune[1] = new QRadioButton(QStringLiteral("Moon visible"), c3);
    platform::setTwipsGeometry(OptionLune[1], 120, 300, 2200, 300);
    OptionLune[0] = new QRadioButton(QStringLiteral("Always"), c3);
    platform::setTwipsGeometry(OptionLune[0], 120, 660, 2200, 300);
    auto* c4 = new QGroupBox(QStringLiteral("Step"), this);
    platform::setTwipsGeometry(c4, 2760, 60, 1320, 720);
    AffStep = new QLineEdit(c4);
    platform::setTwipsGeometry(AffStep, 120, 300, 1080, 330);
    // The step box holds at most three digits. The rule judges the text an
    // edit would make, so typed keys and pasted or dropped text (Shift+Insert,
    // the context menu, the middle button) pass the same filter; a refused
    // edit beeps and leaves the box as it was. Backspace and Delete pass.
    AffStep->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), AffStep));
    connect(AffStep, &QLineEdit::inputRejected, this, [this] { etat_.Dialogues.beep(); });
    BoutonOK = new QPushButton(QStringLiteral("O.K."), this);
    platform::setTwipsGeometry(BoutonOK, 2760, 1680, 1320, 420);
    BoutonAnnuler = new QPushButton(QStringLiteral("Cancel"), this);
    platform::setTwipsGeometry(BoutonAnnuler, 2760, 2220, 1320, 420);
    brancheBoiteDate(etat, EditDateDeb);
    brancheBoiteDate(etat, EditDateFin);
    brancheBoiteHeure(etat, EditTimeDeb);
    brancheBoiteHeure(etat, EditTimeFin);
    connect(BoutonOK, &QPushButton::clicked, this, &FeuilleChoixDate::BoutonOK_Click);
    connect(BoutonAnnuler, &QPushButton::clicked, this, &FeuilleChoixDate::BoutonAnnuler_Click);
    // Two boxes share each frame: each is named for what it holds.
    EditDateDeb->setAccessibleName(QStringLiteral("Start UTC date (d-m-y)"));
    EditTimeDeb->setAccessibleName(QStringLiteral("Start UTC time (h-m)"));
    EditDateFin->setAccessibleName(QStringLiteral("End UTC date (d-m-y)"));
    EditTimeFin->setAccessibleName(QStringLiteral("End UTC time (h-m)"));
    platform::nameForScreenReaders(this); // the step box by its frame
    platform::placeCentredThird(this);
}

void FeuilleChoixDate::BoutonOK_Click() {
    using planner::Periode;
    // The checks below set the period's variables: not while a computation runs.
    if (etat_.Refuse())
        return;
    // Each box's own check first: a box that never lost the focus is checked too.
    if (!verifieInstant(etat_, EditDateDeb, EditTimeDeb) || !verifieInstant(etat_, EditDateFin, EditTimeFin))
        return;
    const Periode p = planner::verifiePeriode(etat_, EditDateDeb->text(), EditTimeDeb->text(), EditDateFin->text(),
                                              EditTimeFin->text(), AffStep->text(), OptionLune[1]->isChecked());
    auto refus = [&](const char* texte, const char* titre, QWidget* focus) {
        etat_.Dialogues.beep();
        etat_.Message(QString::fromLatin1(texte), QString::fromLatin1(titre), platform::Buttons::Ok,
                      platform::Icon::Exclamation);
        focus->setFocus();
    };
    switch (p) {
    case Periode::PasNul:
        return refus("'Step' must be > 0 mn !!!", " - Compute Option ERROR -", AffStep);
    case Periode::Ordre:
        return refus("Start UTC >= End UTC !!!", " - Compute Date ERROR -", EditDateDeb);
    case Periode::TropLongue:
        return refus("Compute for 31 days max !!!", " - Compute Date ERROR -", EditDateDeb);
    case Periode::Ok:
        break;
    }
    hide();
    etat_.InitPrevisionLune();
}

void FeuilleChoixDate::BoutonAnnuler_Click() {
    hide();
}

void FeuilleChoixDate::closeEvent(QCloseEvent* e) {
    e->ignore();
    BoutonAnnuler_Click();
}
