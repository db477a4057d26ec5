#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

int compareNames(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c : QString::compare(a, b, Qt::CaseSensitive);
}

} // namespace

QString resolvePath(const QString& folder, const QString& name)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QString given = dir.filePath(name);
    if (!isBareFileName(name) || QFileInfo::exists(given))
        return given;
    // The first match in name order, so that the choice is the same every time
    // when several names differ only in case.
    QString best;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (QString::compare(e, name, Qt::CaseInsensitive) == 0 && (best.isEmpty() || compareNames(e, best) < 0))
            best = e;
    return best.isEmpty() ? given : dir.filePath(best);
}

QStringList listFiles(const QString& folder, const QString& pattern)
{
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& e : dir.entryList(QDir::Files))
        if (re.match(e).hasMatch())
            out << e;
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) { return compareNames(a, b) < 0; });
    return out;
}

bool isBareFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
        switch (c.unicode()) {
        case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

std::optional<QString> readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return QString::fromLatin1(bytes);
}

QStringList splitLines(const QString& s, bool keepUnterminated)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        if (c == u'\n' || c == u'\r') {
            lines << s.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (keepUnterminated && start < n)
        lines << s.mid(start);
    return lines;
}

std::optional<QStringList> readLines(const QString& path)
{
    const std::optional<QString> text = readText(path);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

QString nameOnDisk(const QString& folder, const QString& name)
{
    return QFileInfo(resolvePath(folder, name)).fileName();
}

namespace {

// The write bits of the file's mode (the "user" bits Qt reports are the
// current user's access, which is always granted to the super-user).
constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

SaveFailure failureOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return SaveFailure::NoPermission;
    case EROFS: return SaveFailure::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT: return SaveFailure::NoSpace;
    case ENOENT:
    case ENOTDIR: return SaveFailure::NoFolder;
    case EISDIR: return SaveFailure::NotAFile;
    case EIO: return SaveFailure::InputOutput;
    default: return SaveFailure::Other;
    }
}

// Writes `bytes` to the open file `fd`, failing as a full disk would once
// `failAfter` bytes (when >= 0) are written. 0, or the error number.
int writeAll(int fd, const QByteArray& bytes, qint64 failAfter)
{
    qint64 limit = bytes.size();
    if (failAfter >= 0 && failAfter < limit)
        limit = failAfter;
    qint64 done = 0;
    while (done < limit) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(limit - done));
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return w < 0 ? errno : ENOSPC;
        done += w;
    }
    if (failAfter >= 0 && failAfter < bytes.size())
        return ENOSPC;
    return ::fsync(fd) == 0 ? 0 : errno;
}

} // namespace

QString SaveResult::reason() const
{
    switch (failure) {
    case SaveFailure::None: return {};
    case SaveFailure::ReadOnlyFile: return QStringLiteral("The file is read-only.");
    case SaveFailure::FileNoPermission: return QStringLiteral("Permission denied: the file may not be written to.");
    case SaveFailure::NoPermission: return QStringLiteral("Permission denied: the folder may not be written to.");
    case SaveFailure::ReadOnlyDisk: return QStringLiteral("The disk is read-only.");
    case SaveFailure::NoSpace: return QStringLiteral("No space left on the disk.");
    case SaveFailure::NoFolder: return QStringLiteral("The folder does not exist.");
    case SaveFailure::NotAFile: return QStringLiteral("The name is that of a folder, not of a file.");
    case SaveFailure::InputOutput: return QStringLiteral("The disk reported an input/output error.");
    case SaveFailure::Other: break;
    }
    return QStringLiteral("System error %1: %2.").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
}

QString writeErrorText(const SaveResult& r)
{
    return QStringLiteral("Write Error : ") + r.fileName + QStringLiteral(" was not saved !") + QChar(13) +
           r.reason() + QChar(13) +
           (r.replaces ? QStringLiteral("The old file is unchanged.") : QStringLiteral("No file was written."));
}

SaveResult saveBytes(const QString& path, const QByteArray& bytes, const SaveFaults& faults)
{
    const QFileInfo given(path);
    QString target = resolvePath(given.path(), given.fileName());
    SaveResult r;
    r.fileName = QFileInfo(target).fileName();
    const auto fail = [&r](SaveFailure f, int error) {
        r.failure = f;
        r.error = error;
        return r;
    };
    QFileInfo info(target);
    // Replacing a link would cut it; write through to the file it names.
    if (info.isSymLink()) {
        target = info.symLinkTarget();
        info = QFileInfo(target);
    }
    r.replaces = info.exists();
    if (info.exists()) {
        if (!info.isFile())
            return fail(SaveFailure::NotAFile, EISDIR);
        // Read-only means no write permission bit at all, so that the refusal
        // holds for every user, the super-user too.
        if ((info.permissions() & kAnyWrite) == 0)
            return fail(SaveFailure::ReadOnlyFile, 0);
        // The rename would replace a file this user may not write.
        if (::access(QFile::encodeName(target).constData(), W_OK) != 0)
            return fail(errno == EACCES || errno == EPERM ? SaveFailure::FileNoPermission : failureOf(errno), errno);
    }

    const QString dir = info.path();
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray tmpName;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        tmpName = QFile::encodeName(QDir(dir).filePath(name));
        fd = ::open(tmpName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return fail(failureOf(errno), errno);
    }
    if (fd < 0)
        return fail(SaveFailure::Other, EEXIST);

    int error = writeAll(fd, bytes, faults.failAfterBytes);
    struct stat old {};
    if (error == 0 && r.replaces && ::stat(targetName.constData(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && faults.failOnRename)
        error = EIO;
    if (error == 0 && std::rename(tmpName.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tmpName.constData());
        return fail(failureOf(error), error);
    }
    r.ok = true;
    return r;
}

SaveResult saveLines(const QString& path, const QStringList& lines, const SaveFaults& faults)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return saveBytes(path, bytes, faults);
}

} // namespace platform
