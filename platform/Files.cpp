#include "platform/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
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

namespace {

// The write bits of the file's mode (the "user" bits Qt reports are the
// current user's access, which is always granted to the super-user).
constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// Writes `bytes` to `f`, failing as a full disk would once `failAfter`
// bytes (when >= 0) are written.
bool writeAll(QFile& f, const QByteArray& bytes, qint64 failAfter)
{
    qint64 limit = bytes.size();
    if (failAfter >= 0 && failAfter < limit)
        limit = failAfter;
    qint64 done = 0;
    while (done < limit) {
        const qint64 w = f.write(bytes.constData() + done, limit - done);
        if (w <= 0)
            return false;
        done += w;
    }
    if (!f.flush())
        return false;
    if (failAfter >= 0 && failAfter < bytes.size())
        return false;
    return ::fsync(f.handle()) == 0;
}

} // namespace

bool saveBytes(const QString& path, const QByteArray& bytes, const SaveFaults& faults)
{
    const QFileInfo given(path);
    QString target = resolvePath(given.path(), given.fileName());
    QFileInfo info(target);
    // Replacing a link would cut it; write through to the file it names.
    if (info.isSymLink()) {
        target = info.symLinkTarget();
        info = QFileInfo(target);
    }
    if (info.exists()) {
        if (!info.isFile())
            return false;
        // Read-only means no write permission bit at all, so that the refusal
        // holds for every user, the super-user too.
        if (!info.isWritable() || (info.permissions() & kAnyWrite) == 0)
            return false;
    }

    const QString dir = info.path();
    QFile tmp;
    bool created = false;
    for (int attempt = 0; attempt < 20 && !created; ++attempt) {
        const QString name = QStringLiteral(".%1.%2.tmp")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        tmp.setFileName(QDir(dir).filePath(name));
        created = tmp.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!created)
        return false;

    bool ok = writeAll(tmp, bytes, faults.failAfterBytes);
    tmp.close();
    if (ok && tmp.error() != QFileDevice::NoError)
        ok = false;
    if (ok && info.exists())
        ok = QFile::setPermissions(tmp.fileName(), info.permissions());
    if (ok && !faults.failOnRename)
        ok = std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target).constData()) == 0;
    else
        ok = false;
    if (!ok)
        QFile::remove(tmp.fileName());
    return ok;
}

bool saveLines(const QString& path, const QStringList& lines, const SaveFaults& faults)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return saveBytes(path, bytes, faults);
}

} // namespace platform
