// Files of the station folder: case-insensitive names, Latin-1 CR LF text,
// and saves that either replace the file whole or leave it as it was.

#include "platform/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    EXPECT_FALSE(saveLines(path("home.dat"), lines, fullDisk));
    EXPECT_EQ(bytesOf("home.dat"), old);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));

    SaveFaults emptyWrite;
    emptyWrite.failAfterBytes = 0;
    EXPECT_FALSE(saveLines(path("home.dat"), lines, emptyWrite));
    EXPECT_EQ(bytesOf("home.dat"), old);

    SaveFaults rename;
    rename.failOnRename = true;
    EXPECT_FALSE(saveLines(path("home.dat"), lines, rename));
    EXPECT_EQ(bytesOf("home.dat"), old);
    EXPECT_EQ(entries(), QStringList({"home.dat"}));

    // A failed first save of a new file leaves nothing.
    EXPECT_FALSE(saveLines(path("fresh.dat"), lines, fullDisk));
    EXPECT_EQ(entries(), QStringList({"home.dat"}));
}

TEST_F(StationFolder, ReadOnlyTargetIsRefused)
{
    const QByteArray old("keep\r\n");
    write("home.dat", old);
    ASSERT_TRUE(QFile::setPermissions(path("home.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(saveLines(path("HOME.DAT"), {"new"}));
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
    EXPECT_FALSE(saveLines(path("nowhere/home.dat"), {"x"}));
}

TEST_F(StationFolder, ReadLinesGivesBackWhatWasSaved)
{
    const QStringList lines{"STATION", "Call:", "F1ABC", "Location:", "", " 1"};
    ASSERT_TRUE(saveLines(path("r.dat"), lines));
    EXPECT_EQ(*readLines(path("r.dat")), lines);
}
