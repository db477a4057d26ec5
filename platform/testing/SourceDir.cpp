#include "platform/testing/SourceDir.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace platform::testing {

QString sourceDir()
{
    const QString fromEnvironment = qEnvironmentVariable("SELVANE_SOURCE_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(SELVANE_CONFIGURED_SOURCE_DIR) : fromEnvironment;
}

QString sourcePath(const QString& relative)
{
    const QString path = QDir(sourceDir()).filePath(relative);
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr,
                     "Test data not found: %s\n"
                     "Set SELVANE_SOURCE_DIR to the suite's source folder (the one holding station/ and assets/).\n",
                     qPrintable(QDir::toNativeSeparators(path)));
        std::fflush(stderr);
        std::exit(EXIT_FAILURE);
    }
    return path;
}

} // namespace platform::testing
