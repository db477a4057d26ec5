#pragma once
// File helpers for tests that check the exact bytes a program wrote.

#include <QByteArray>
#include <QString>

namespace platform::testing {

// The file's bytes; empty when it cannot be read.
QByteArray readBytes(const QString& path);
// Creates or replaces the file with exactly these bytes; false on failure.
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace platform::testing
