#pragma once
// How the suite-wide walk reports: every window's listing and findings are
// printed; findings fail the test only when they are made fatal, by the
// configure option SELVANE_ACCESSIBILITY_FATAL or, for a run by hand, the
// environment variable of the same name ("1" fatal, "0" printed only).

#include "accessibility/tests/Walk.h"

#include <vector>

namespace accessibility {

bool findingsFatal();

// Prints the walks of one program with its counts; adds a test failure per
// finding when findings are fatal.
void report(const char* program, const std::vector<WindowWalk>& walks);

} // namespace accessibility
