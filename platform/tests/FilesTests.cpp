// Files of the station folder: case-insensitive names, Latin-1 CR LF text,
// and saves that either replace the file whole or leave it as it was.

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

class StationFolder : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString dir() const { return tmp.path(); }
    QString path(const QString& name) const { return QDir(tmp.path()).filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytesOf(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList entries() const { return QDir(tmp.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
};

} // namespace

TEST_F(StationFolder, NamesAreFoundWhateverTheirCase)
{
    write("HOME.DAT", "x");
    EXPECT_EQ(resolvePath(dir(), "home.dat"), path("HOME.DAT"));
    EXPECT_EQ(resolvePath(dir(), "Home.Dat"), path("HOME.DAT"));
    EXPECT_EQ(resolvePath(dir(), "other.dat"), path("other.dat")); // none: the name as given
    write("home.dat", "y");                                          // an exact match wins
    EXPECT_EQ(resolvePath(dir(), "home.dat"), path("home.dat"));
    EXPECT_EQ(resolvePath(dir(), "HoMe.dat"), path("HOME.DAT"));    // else the first in name order
}

TEST_F(StationFolder, ListFilesMatchesAndSortsWithoutCase)
{
    for (const char* n : {"b.dat", "A.DAT", "home.dat", "c.Dat", "x.tcv", "dat", "y.dat.bak"})
        write(n, "");
    QDir(dir()).mkdir("sub.dat");
    EXPECT_EQ(listFiles(dir(), "*.dat"), QStringList({"A.DAT", "b.dat", "c.Dat", "home.dat"}));
    EXPECT_EQ(listFiles(dir(), "*.TCV"), QStringList({"x.tcv"}));
    EXPECT_TRUE(listFiles(path("missing"), "*.dat").isEmpty());
}

TEST(FileNames, BareNames)
{
    for (const char* good : {"home.dat", "a", "F1ABC 2.dat", "x.tcv"})
        EXPECT_TRUE(isBareFileName(good)) << good;
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "c:x", "*.dat", "a?", "\"q\"", "<", ">", "a|b", "a\tb"})
        EXPECT_FALSE(isBareFileName(bad)) << bad;
}

TEST_F(StationFolder, ReadsCrLfLfAndAMissingLastLineEnd)
{
    struct Case { QByteArray bytes; QStringList want; };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"", {}},
        {"caf\xe9\r\n", {QString::fromUtf8("café")}}, // 8-bit Latin-1
    };
    for (const Case& c : cases) {
        write("t.txt", c.bytes);
        const auto lines = readLines(path("t.txt"));
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(*lines, c.want) << c.bytes.toStdString();
    }
    EXPECT_FALSE(readLines(path("none.txt")).has_value());
    EXPECT_FALSE(readText(path("none.txt")).has_value());
    EXPECT_EQ(*readText(path("t.txt")), QString::fromUtf8("café\r\n"));
}

TEST_F(StationFolder, SaveWritesLatin1CrLfAndKeepsTheExistingCase)
{
    write("HOME.DAT", "old\r\n");
    ASSERT_TRUE(saveLines(path("home.dat"), {"F1ABC", QString::fromUtf8("Orléans"), ""}));
    EXPECT_EQ(bytesOf("HOME.DAT"), QByteArray("F1ABC\r\nOrl\xe9" "ans\r\n\r\n"));
    EXPECT_EQ(entries(), QStringList({"HOME.DAT"})); // no second file, no temporary left

    ASSERT_TRUE(saveBytes(path("new.tcv"), "[0]\r\n"));
    EXPECT_EQ(bytesOf("new.tcv"), QByteArray("[0]\r\n"));
}

TEST_F(StationFolder, FailedSaveLeavesThePreviousFileByteForByte)
{
    const QByteArray old("line 1\r\nline 2\r\n");
    write("home.dat", old);
    QStringList lines;
    for (int i = 0; i < 99; ++i)
        lines << QString("value %1").arg(i);

    SaveFaults fullDisk;
    fullDisk.failAfterBytes = 100;
    const SaveResult full = saveLines(path("home.dat"), lines, fullDisk);
    EXPECT_FALSE(full);
    EXPECT_EQ(full.failure, SaveFailure::NoSpace);
    EXPECT_TRUE(full.replaces);
    EXPECT_EQ(bytesOf("home.dat"), old);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));

    SaveFaults emptyWrite;
    emptyWrite.failAfterBytes = 0;
    EXPECT_FALSE(saveLines(path("home.dat"), lines, emptyWrite));
    EXPECT_EQ(bytesOf("home.dat"), old);

    SaveFaults rename;
    rename.failOnRename = true;
    const SaveResult renamed = saveLines(path("home.dat"), lines, rename);
    EXPECT_FALSE(renamed);
    EXPECT_EQ(renamed.reason(), "The disk reported an input/output error.");
    EXPECT_EQ(bytesOf("home.dat"), old);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));

    // A failed first save of a new file leaves nothing.
    const SaveResult fresh = saveLines(path("fresh.dat"), lines, fullDisk);
    EXPECT_FALSE(fresh);
    EXPECT_FALSE(fresh.replaces);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));
}

TEST_F(StationFolder, ReadOnlyTargetIsRefused)
{
    const QByteArray old("keep\r\n");
    write("home.dat", old);
    ASSERT_TRUE(QFile::setPermissions(path("home.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const SaveResult r = saveLines(path("HOME.DAT"), {"new"});
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failure, SaveFailure::ReadOnlyFile);
    EXPECT_EQ(r.fileName, "home.dat"); // the name on the disk
    EXPECT_EQ(writeErrorText(r), "Write Error : home.dat was not saved !\rThe file is read-only.\r"
                                 "The old file is unchanged.");
    EXPECT_EQ(bytesOf("home.dat"), old);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));
    QFile::setPermissions(path("home.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(StationFolder, SaveKeepsPermissionsAndWritesThroughALink)
{
    write("real.dat", "a\r\n");
    const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    QFile::setPermissions(path("real.dat"), perms);
    ASSERT_TRUE(QFile::link(path("real.dat"), path("link.dat")));
    ASSERT_TRUE(saveLines(path("link.dat"), {"b"}));
    EXPECT_TRUE(QFileInfo(path("link.dat")).isSymLink());
    EXPECT_EQ(bytesOf("real.dat"), QByteArray("b\r\n"));
    EXPECT_EQ(QFileInfo(path("real.dat")).permissions() & 0x7077, perms & 0x7077);
}

TEST_F(StationFolder, SaveIntoAMissingFolderFails)
{
    const SaveResult r = saveLines(path("nowhere/home.dat"), {"x"});
    EXPECT_FALSE(r);
    EXPECT_EQ(r.failure, SaveFailure::NoFolder);
    EXPECT_EQ(writeErrorText(r), "Write Error : home.dat was not saved !\rThe folder does not exist.\r"
                                 "No file was written.");
}

TEST_F(StationFolder, ReadLinesGivesBackWhatWasSaved)
{
    const QStringList lines{"STATION", "Call:", "F1ABC", "Location:", "", " 1"};
    ASSERT_TRUE(saveLines(path("r.dat"), lines));
    EXPECT_EQ(*readLines(path("r.dat")), lines);
}

// Saves that the system refuses, each made real in a child process with a
// mount namespace of its own (a read-only bind mount, a small tmpfs) or
// another user: the failure names the system's reason, and the old file
// stays byte for byte, with no temporary file left.
namespace {

// Runs `body` in a child process and gives back what it wrote; "skip: ..."
// when the child could not set up what it needs.
std::string inChild(const std::function<std::string()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return "skip: no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = body();
        const ssize_t n = ::write(fds[1], out.data(), out.size());
        ::_exit(n == ssize_t(out.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string out;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out;
}

// In the child: a mount namespace of its own, unshared from the machine's
// (with a user namespace when not run as root). Empty when done, else why not.
std::string ownMounts()
{
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return "skip: unshare(CLONE_NEWNS): " + std::string(std::strerror(errno));
    } else {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return "skip: unshare(CLONE_NEWUSER): " + std::string(std::strerror(errno));
        const auto put = [](const char* file, const std::string& text) {
            QFile f(QString::fromLatin1(file));
            return f.open(QIODevice::WriteOnly) && f.write(text.c_str()) == qint64(text.size());
        };
        if (!put("/proc/self/setgroups", "deny") || !put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return "skip: no user map";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return "skip: mount --make-rprivate /: " + std::string(std::strerror(errno));
    return {};
}

// What a save did, as the parent checks it.
std::string report(const SaveResult& r, const QString& dir, const QByteArray& old)
{
    QFile f(QDir(dir).filePath("home.dat"));
    const bool same = f.open(QIODevice::ReadOnly) && f.readAll() == old;
    const qsizetype files = QDir(dir).entryList(QDir::Files | QDir::Hidden).size();
    return (r.ok ? "saved" : "failed") + std::string(" | ") + writeErrorText(r).toStdString() + " | " +
           (same ? "old file kept" : "old file changed") + " | " + std::to_string(files) + " file(s)";
}

} // namespace

TEST_F(StationFolder, WriteErrorsOfTheSystemSayWhy)
{
    const QByteArray old("keep\r\n");
    const QByteArray big(256 * 1024, 'x');
    const auto mounted = [&](std::function<std::string()> mount) {
        write("home.dat", old);
        return inChild([&]() -> std::string {
            if (std::string why = ownMounts(); !why.empty())
                return why;
            if (std::string why = mount(); !why.empty())
                return why;
            return report(saveBytes(path("home.dat"), big), dir(), old);
        });
    };
    const std::string readOnly = mounted([&]() -> std::string {
        const QByteArray d = QFile::encodeName(dir());
        if (::mount(d.constData(), d.constData(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, d.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return "skip: read-only bind mount: " + std::string(std::strerror(errno));
        return {};
    });
    const std::string full = mounted([&]() -> std::string {
        const QByteArray d = QFile::encodeName(dir());
        if (::mount("tmpfs", d.constData(), "tmpfs", 0, "size=64k") != 0)
            return "skip: tmpfs mount: " + std::string(std::strerror(errno));
        QFile f(path("home.dat"));
        if (!f.open(QIODevice::WriteOnly) || f.write(old) != old.size())
            return "skip: no file on the tmpfs";
        return {};
    });
    // A folder this user may not write to (the super-user writes anywhere:
    // the child becomes another user first).
    ASSERT_TRUE(QDir(dir()).mkdir("locked"));
    const QString locked = path("locked");
    {
        QFile f(QDir(locked).filePath("home.dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                     QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    ASSERT_TRUE(QFile::setPermissions(QDir(locked).filePath("home.dat"), all));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(dir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner | QFileDevice::ExeOther));
    const std::string denied = inChild([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return "skip: setuid: " + std::string(std::strerror(errno));
        return report(saveBytes(QDir(locked).filePath("home.dat"), big), locked, old);
    });
    QFile::setPermissions(locked, all | QFileDevice::ExeOwner);

    const struct {
        const char* what;
        const std::string& got;
        const char* want;
    } cases[] = {
        {"read-only bind mount", readOnly,
         "failed | Write Error : home.dat was not saved !\rThe disk is read-only.\rThe old file is unchanged. | "
         "old file kept | 1 file(s)"},
        {"full disk", full,
         "failed | Write Error : home.dat was not saved !\rNo space left on the disk.\rThe old file is unchanged. | "
         "old file kept | 1 file(s)"},
        {"folder not writable", denied,
         "failed | Write Error : home.dat was not saved !\rPermission denied: the folder may not be written to.\r"
         "The old file is unchanged. | old file kept | 1 file(s)"},
    };
    std::string skipped;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.got.rfind("skip:", 0) == 0) {
            skipped += std::string(c.what) + " (" + c.got + ") ";
            continue;
        }
        EXPECT_EQ(c.got, c.want);
    }
    if (!skipped.empty())
        GTEST_SKIP() << "the kernel refused what these cases need: " << skipped;
}
