#include "controls/qt/qt_list_box.h"

#include <gtest/gtest.h>

#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include "controls/runtime_error.h"

namespace tamirel {
namespace {

constexpr std::string_view kItems[] = {"3", "4", "5"};

class ListTest : public ::testing::Test {
protected:
    ListTest() : list(2, kItems), clicks(&list, &QtListBox::Click) {
        list.resize(65, 137);
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    void ClickItem(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                          list.visualItemRect(list.item(row)).center());
    }

    QtListBox list;
    QSignalSpy clicks;
};

TEST_F(ListTest, StartsWithNothingSelected) {
    EXPECT_EQ(list.ListIndex(), -1);
    list.setFocus();
    EXPECT_EQ(list.ListIndex(), -1) << "taking the focus selects nothing";
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ListTest, MouseChoiceNotifiesWithTheListIndex) {
    ClickItem(1);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<std::int16_t>(), 2);
    EXPECT_EQ(list.ListIndex(), 1);

    ClickItem(1);
    EXPECT_EQ(clicks.count(), 1) << "the same item again is no change";
    ClickItem(1, Qt::ControlModifier);
    EXPECT_EQ(list.ListIndex(), 1) << "the user cannot clear the selection";
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, 130));
    EXPECT_EQ(list.ListIndex(), 1) << "a click below the items changes nothing";
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ListTest, KeyboardChoiceNotifies) {
    list.SetListIndex(0);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.ListIndex(), 1);
    QTest::keyClick(&list, Qt::Key_End);
    EXPECT_EQ(list.ListIndex(), 2);
    QTest::keyClick(&list, Qt::Key_Home);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(ListTest, WritesFromCodeNeverNotify) {
    list.SetListIndex(2);
    list.SetListIndex(2);
    list.SetListIndex(0);
    EXPECT_EQ(list.ListIndex(), 0);
    list.SetListIndex(-1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ListTest, TextsByIndex) {
    EXPECT_EQ(list.List(0), "3");
    EXPECT_EQ(list.List(2), "5");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_EQ(list.List(3), "");
}

TEST_F(ListTest, WritingAnIndexWithoutItemIsAnError) {
    list.SetListIndex(1);
    for (std::int16_t index : {-2, 3}) {
        try {
            list.SetListIndex(index);
            ADD_FAILURE() << index;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), RuntimeError::kInvalidPropertyValue);
        }
    }
    EXPECT_EQ(list.ListIndex(), 1);
}

}  // namespace
}  // namespace tamirel
