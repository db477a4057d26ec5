#pragma once
// Files of the station folder: 8-bit (Latin-1) text, CR LF written, CR LF or a
// bare LF read; names matched without regard to letter case, as the programs
// expect of their disk; saves that are atomic (temporary file, then rename),
// so that a failed save leaves the previous file whole.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// The path of `name` inside `folder`. When a file whose name equals `name`
// without regard to case exists there, its real name is used; otherwise the
// name as given. `name` must be a bare name (no directory part).
QString resolvePath(const QString& folder, const QString& name);

// Names of the plain files in `folder` matching a wildcard pattern such as
// "*.dat" or "*.tcv", without regard to case, sorted without regard to case.
QStringList listFiles(const QString& folder, const QString& pattern);

// True when `name` is a usable bare file name: not empty, and free of "/",
// "\", ":", "*", "?", '"', "<", ">", "|" and control characters.
bool isBareFileName(const QString& name);

// Whole file as Latin-1 text; nullopt when it cannot be opened or read.
std::optional<QString> readText(const QString& path);
// The file's lines, CR LF, LF or lone-CR ended; a last line without a line end counts;
// nullopt when it cannot be read.
std::optional<QStringList> readLines(const QString& path);

// Splits a text into lines ended by CR LF, LF or a lone CR. A last line
// without a line end counts unless `keepUnterminated` is false (a reader that
// failed part-way keeps only the lines it completed).
QStringList splitLines(const QString& text, bool keepUnterminated = true);

// Fault injection for tests of the save path: the write, flush or rename of
// the temporary file can be made to fail, as a full disk would.
struct SaveFaults {
    qint64 failAfterBytes = -1; // the write fails once this many bytes are written
    bool failOnRename = false;  // the final rename fails
};

// Writes each line followed by CR LF, in Latin-1, atomically. The name keeps
// the case of an existing file it replaces (see resolvePath). Refuses a
// read-only target. Returns false on any failure, leaving the old file as it
// was and no temporary file behind.
bool saveLines(const QString& path, const QStringList& lines, const SaveFaults& faults = {});
// The same for raw bytes (already laid out).
bool saveBytes(const QString& path, const QByteArray& bytes, const SaveFaults& faults = {});

} // namespace platform
