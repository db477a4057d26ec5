// Corvinet, the station set-up editor: edits, checks and saves the station
// set-up files (*.dat) of the current folder.
#include "Corvinet/Corvinet.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) {
            return std::make_unique<Corvinet>(dialogs, clock, QDir::currentPath(), [] { QCoreApplication::exit(0); });
        },
        [](const Corvinet& p) { return p.termine(); });
}
