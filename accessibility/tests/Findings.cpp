#include "accessibility/tests/Findings.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace accessibility {

void report(const char* program, const std::vector<WindowWalk>& walks)
{
    int controls = 0;
    for (const WindowWalk& w : walks) {
        controls += int(w.controls.size());
        for (const QString& line : listing(w))
            std::printf("%s: %s\n", program, qPrintable(line));
    }
    const Counts n = count(walks);
    std::printf("%s: %d windows, %d interactive controls; findings: %d empty names, %d controls sharing a name, "
                "%d image buttons without Press, %d controls or windows read wrong (%d in all)\n",
                program, int(walks.size()), controls, n.emptyNames, n.sameNames, n.imageButtonsWithoutPress,
                n.readWrong, n.total());
    std::fflush(stdout);
    for (const WindowWalk& w : walks)
        for (const Finding& f : w.findings)
            ADD_FAILURE() << program << ", window " << w.window.toStdString() << ": " << describe(f).toStdString();
}

} // namespace accessibility
