#include "platform/widgets/MenuFamily.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::MenuFamily;

namespace {

QStringList captions(const QMenu& m)
{
    QStringList out;
    for (QAction* a : m.actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST(MenuFamily, ItemsStayTogetherInLoadOrder)
{
    QMenu menu;
    MenuFamily print(&menu);
    print.load(1, "All windows");
    menu.addAction("Other"); // an item of the menu outside the family
    EXPECT_TRUE(print.load(2, "Mon 09-03-2001"));
    EXPECT_TRUE(print.load(3, "Tue 10-03-2001"));
    EXPECT_FALSE(print.load(3, "again"));
    EXPECT_EQ(captions(menu), (QStringList{"All windows", "Mon 09-03-2001", "Tue 10-03-2001", "Other"}));
    EXPECT_EQ(print.lBound(), 1);
    EXPECT_EQ(print.uBound(), 3);
    EXPECT_TRUE(print.unload(2));
    EXPECT_FALSE(print.unload(2));
    EXPECT_EQ(captions(menu), (QStringList{"All windows", "Tue 10-03-2001", "Other"}));
    print.load(2, "Wed");
    EXPECT_EQ(captions(menu), (QStringList{"All windows", "Tue 10-03-2001", "Wed", "Other"}));
    EXPECT_EQ(print.count(), 3);
}

TEST(MenuFamily, ClickCarriesTheIndexAndNeverMovesTheMark)
{
    QMenu menu;
    MenuFamily source(&menu);
    const char* names[] = {"Moon", "Sun", "Cassiopeia-A", "-", "Cold Sky"};
    for (int i = 0; i < 5; ++i)
        source.load(i, names[i]);
    EXPECT_TRUE(source.action(3)->isSeparator());
    EXPECT_EQ(source.caption(3), "-");
    source.setChecked(0, true);
    QSignalSpy clicked(&source, &MenuFamily::clicked);

    source.action(1)->trigger(); // unmarked item chosen: stays unmarked
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 1);
    EXPECT_FALSE(source.checked(1));
    source.action(0)->trigger(); // marked item chosen: stays marked
    EXPECT_TRUE(source.checked(0));
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 0);

    source.setChecked(0, false);
    source.setChecked(4, true);
    EXPECT_FALSE(source.checked(0));
    EXPECT_TRUE(source.checked(4));
    source.setEnabled(2, false);
    EXPECT_FALSE(source.enabled(2));
    source.setVisible(2, false);
    EXPECT_FALSE(source.visible(2));
    source.setCaption(1, "Sun!");
    EXPECT_EQ(source.caption(1), "Sun!");
    // Missing indexes read as nothing and take no writes.
    source.setChecked(9, true);
    EXPECT_FALSE(source.checked(9));
    EXPECT_EQ(source.caption(9), "");
}

TEST(MenuFamily, SubmenuItem)
{
    QMenu menu;
    MenuFamily display(&menu);
    display.load(5, "Common Window");
    QMenu* sub = display.loadSubmenu(7, "Print...");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(display.caption(7), "Print...");
    display.setEnabled(7, false);
    EXPECT_FALSE(display.enabled(7));
    EXPECT_TRUE(display.unload(7));
}
