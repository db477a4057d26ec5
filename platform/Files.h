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
    qint64 failAfterBytes = -1; // the write fails once this many bytes are written (no space left)
    bool failOnRename = false;  // the final rename fails (an input/output error)
};

// Why a save failed, as the system (or the read-only rule) says it.
enum class SaveFailure {
    None,
    ReadOnlyFile,     // the file has no write permission bit (refused for every user, the super-user too)
    FileNoPermission, // the file may not be written to by this user
    NoPermission,     // the folder may not be written to
    ReadOnlyDisk,     // the folder is on a disk mounted read-only
    NoSpace,          // no space left on the disk (or the user's quota is full)
    NoFolder,         // the folder does not exist
    NotAFile,         // the name is that of a folder or a device
    InputOutput,      // the disk reported an input/output error
    Other,            // another error of the system (see SaveResult::error)
};

// What a save did.
struct SaveResult {
    bool ok = false;
    // The file's name as it is on the disk: the name of the file it replaced
    // (its letter case), else the name it was to be created under.
    QString fileName;
    // A file of that name existed before the save (and, after a failed
    // save, is still there as it was).
    bool replaces = false;
    SaveFailure failure = SaveFailure::None;
    int error = 0; // the system's error number, 0 for the read-only rule

    explicit operator bool() const { return ok; }
    // The reason in words, one sentence ("The file is read-only."); empty
    // after a save that worked.
    QString reason() const;
};

// Writes each line followed by CR LF, in Latin-1, atomically. The name keeps
// the case of an existing file it replaces (see resolvePath). Refuses a
// read-only target. A failed save leaves the old file as it was and no
// temporary file behind.
SaveResult saveLines(const QString& path, const QStringList& lines, const SaveFaults& faults = {});
// The same for raw bytes (already laid out).
SaveResult saveBytes(const QString& path, const QByteArray& bytes, const SaveFaults& faults = {});

// The message of a failed save: the programs' words, "Write Error : " & the
// file's name on the disk & " was not saved !", then on the next lines (CR
// separated) the reason and what became of the file: "The old file is
// unchanged." when there was one, "No file was written." when not.
QString writeErrorText(const SaveResult& r);

// The name of the file `name` of `folder` as it is spelled on the disk (see
// resolvePath); `name` itself when there is none.
QString nameOnDisk(const QString& folder, const QString& name);

} // namespace platform
