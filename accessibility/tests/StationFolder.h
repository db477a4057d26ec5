#pragma once
// The starting point of an editor's walk: a fresh copy of some files of the
// default station folder, scripted boxes and a manual clock.

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/testing/QtTestApp.h"
#include "platform/testing/SourceDir.h"
#include "platform/widgets/StartWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>

namespace accessibility {

class StationFolder : public ::testing::Test {
protected:
    // Call under ASSERT_NO_FATAL_FAILURE.
    void copy(std::initializer_list<const char*> names)
    {
        platform::testing::application();
        ASSERT_TRUE(folder.isValid());
        for (const char* f : names)
            ASSERT_TRUE(QFile::copy(platform::testing::sourcePath(QStringLiteral("station/") + QLatin1String(f)),
                                    folder.filePath(QLatin1String(f))));
    }
    QTemporaryDir folder;
    platform::ScriptedDialogs dialogs;
    platform::ManualClock clock{QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0))};
};

// Clicks entry `name` of a file list as the operator would; call under
// ASSERT_NO_FATAL_FAILURE.
inline void clickEntry(platform::FileList* list, const QString& name)
{
    const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
}

} // namespace accessibility
