// Planner: planning tables and maps for an EME station. Started in the
// station folder: no command line, no environment.

#include "Planner/Planner.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) {
            return std::make_unique<Planner>(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
        },
        [](const Planner& p) { return p.ProgrammeTermine; });
}
