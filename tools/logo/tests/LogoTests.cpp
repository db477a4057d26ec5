// The committed start picture: a 300 x 200, 24-bit uncompressed BMP that
// every reader takes, and the default station folder holds the same bytes.

#include "tools/logo/Logo.h"

#include "platform/testing/SourceDir.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& relative)
{
    QFile f(platform::testing::sourcePath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(LogoPicture, IsAPlain24BitBmpOfTheLogoSize)
{
    const QByteArray bmp = bytesOf(QStringLiteral("assets/logo.bmp"));
    ASSERT_GE(bmp.size(), 54) << "assets/logo.bmp missing or short";
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bmp.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bmp.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(bmp.constData() + at); };
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), quint32(bmp.size())) << "file size field";
    EXPECT_EQ(u32(14), 40u) << "BITMAPINFOHEADER";
    EXPECT_EQ(i32(18), logo::kLogoSize.width());
    EXPECT_EQ(i32(22), logo::kLogoSize.height()) << "bottom-up rows";
    EXPECT_EQ(u16(28), 24) << "bits per pixel";
    EXPECT_EQ(u32(30), 0u) << "no compression";

    QImage image;
    ASSERT_TRUE(image.loadFromData(bmp, "BMP"));
    EXPECT_EQ(image.size(), logo::kLogoSize);
}

TEST(LogoPicture, StationFolderCopyIsIdentical)
{
    const QByteArray assets = bytesOf(QStringLiteral("assets/logo.bmp"));
    const QByteArray station = bytesOf(QStringLiteral("station/logo.bmp"));
    ASSERT_FALSE(assets.isEmpty());
    EXPECT_TRUE(assets == station) << "station/logo.bmp differs from assets/logo.bmp: run the logo_assets target";
}

} // namespace
