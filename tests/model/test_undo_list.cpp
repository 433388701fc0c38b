// The undo list: grouped records, popped newest first.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/UndoList.h"
#include "platform/rtl/SysUtils.h"

namespace zel::test {
namespace {

using Record = std::tuple<int, int, int>;  // position, old value, group size

std::vector<Record> PopAll(TUndoList& list) {
    std::vector<Record> records;
    std::uint16_t position = 0;
    std::uint8_t value = 0;
    std::uint8_t group = 0;
    while (list.Pop(position, value, group)) records.emplace_back(position, value, group);
    return records;
}

TEST(UndoList, PushOfARunLeavesOneRecordPerByteWithTheGroupSize) {
    TUndoList list;
    const std::uint8_t old[] = {5, 6, 7, 8};
    list.Push(10, old);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items(0).Position, 10);
    EXPECT_EQ(list.Items(0).OldValue, 5);
    EXPECT_EQ(list.Items(3).Position, 13);
    EXPECT_EQ(list.Items(3).OldValue, 8);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Items(i).GroupSize, 4);
    EXPECT_EQ(PopAll(list), (std::vector<Record>{{13, 8, 4}, {12, 7, 4}, {11, 6, 4}, {10, 5, 4}}));
    EXPECT_EQ(list.Count(), 0);
}

TEST(UndoList, GroupsComeBackNewestFirst) {
    TUndoList list;
    const std::uint8_t single[] = {64};
    const std::uint8_t pair[] = {1, 2};
    list.Push(44, single);
    list.Push(20, pair);
    list.Push(44, single);
    EXPECT_EQ(PopAll(list), (std::vector<Record>{{44, 64, 1}, {21, 2, 2}, {20, 1, 2}, {44, 64, 1}}));
}

TEST(UndoList, PopOnAnEmptyListLeavesTheCallersValues) {
    TUndoList list;
    std::uint16_t position = 77;
    std::uint8_t value = 88;
    std::uint8_t group = 99;
    EXPECT_FALSE(list.Pop(position, value, group));
    EXPECT_EQ(position, 77);
    EXPECT_EQ(value, 88);
    EXPECT_EQ(group, 99);
}

TEST(UndoList, ClearEmptiesTheList) {
    TUndoList list;
    const std::uint8_t name[12] = {};
    list.Push(0, name);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    std::uint16_t position = 0;
    std::uint8_t value = 0;
    std::uint8_t group = 0;
    EXPECT_FALSE(list.Pop(position, value, group));
}

TEST(UndoList, RefusesAGroupItsSizeByteCannotCount) {
    TUndoList list;
    std::vector<std::uint8_t> big(256, 0);
    EXPECT_THROW(list.Push(0, big), EInvalidOperation);
    EXPECT_EQ(list.Count(), 0);
    list.Push(0, std::span<const std::uint8_t>(big.data(), 255));
    EXPECT_EQ(list.Items(0).GroupSize, 255);
}

}  // namespace
}  // namespace zel::test
