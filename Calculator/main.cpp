// Brulvane, the EME link-budget calculator. Started in the station folder:
// no command line, no environment.

#include "Calculator/Brulvane.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) {
            return std::make_unique<Brulvane>(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
        },
        [](const Brulvane& p) { return p.ProgrammeTermine; });
}
