// Correct: edits a station's tracking correction table in the current folder.

#include "CORRECT/Correct.h"
#include "platform/widgets/ProgramMain.h"

#include <QDir>
#include <memory>

int main(int argc, char** argv)
{
    return platform::runProgram(
        argc, argv,
        [](platform::Dialogs& dialogs, platform::Clock& clock) {
            return std::make_unique<Correct>(dialogs, clock, QDir::currentPath());
        },
        [](const Correct& p) { return p.ProgrammeTermine; });
}
