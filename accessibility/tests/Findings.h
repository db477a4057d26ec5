#pragma once
// How the suite-wide walk reports: every window's listing and findings are
// printed, and each finding fails the test. For a program whose windows are
// still to be named, findings fail it only when they are made fatal, by the
// configure option SELVANE_ACCESSIBILITY_FATAL or, for a run by hand, the
// environment variable of the same name ("1" fatal, "0" printed only).

#include "accessibility/tests/Walk.h"

#include <vector>

namespace accessibility {

// Findings made fatal by the option or the environment variable.
bool findingsFatal();

// Whether a program's findings fail its test.
enum class Rule {
    Fatal,        // always
    AsConfigured, // when findingsFatal(): a program whose naming is still to come
};

// Prints the walks of one program with its counts; adds a test failure per
// finding when its rule makes them fatal.
void report(const char* program, const std::vector<WindowWalk>& walks, Rule rule = Rule::Fatal);

} // namespace accessibility
