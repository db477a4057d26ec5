#pragma once
// How the suite-wide walk reports: every window's listing and findings are
// printed, and each finding fails the test.

#include "accessibility/tests/Walk.h"

#include <vector>

namespace accessibility {

// Prints the walks of one program with its counts; adds a test failure per
// finding.
void report(const char* program, const std::vector<WindowWalk>& walks);

} // namespace accessibility
