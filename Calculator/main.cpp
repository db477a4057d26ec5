// Brulvane, the EME link-budget calculator. Started in the station folder:
// no command line, no environment.

#include "Calculator/Brulvane.h"
#include "Calculator/FenetresBrulvane.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

namespace {

// The program: its state and the windows that show it.
struct Programme {
    Programme(platform::Dialogs& dialogs, platform::Clock& clock)
        : etat(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); }), fenetres(etat)
    {
    }
    void Main() { etat.Main(); }

    Brulvane etat;
    FenetresBrulvane fenetres;
};

} // namespace

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) { return std::make_unique<Programme>(dialogs, clock); },
        [](const Programme& p) { return p.etat.programmeTermine(); });
}
