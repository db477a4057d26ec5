#pragma once
// Where a test finds the suite's committed data (station/, assets/, fixtures).

#include <QString>

namespace platform::testing {

// The suite's source folder: SELVANE_SOURCE_DIR when set (ctest sets it),
// else the folder the build was configured from, so a test program run by
// hand finds its data too.
QString sourceDir();

// sourceDir()/relative, for a file or folder that must exist. When it does
// not, prints which path was looked for and how to point at the source folder,
// and ends the program: a test must not go on with data it could not read.
QString sourcePath(const QString& relative);

} // namespace platform::testing
