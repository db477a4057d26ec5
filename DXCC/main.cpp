// Veskaro: edits the prefix database "DXCCPREF.DBR" of the current folder.

#include "DXCC/Veskaro.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) {
            return std::make_unique<Veskaro>(dialogs, clock, QDir::currentPath());
        },
        [](const Veskaro& p) { return p.ProgrammeTermine; });
}
