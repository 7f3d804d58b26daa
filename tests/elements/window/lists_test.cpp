#include <gtest/gtest.h>

#include "elements/window/combo_box.h"
#include "elements/window/memo.h"
#include "tests/elements/window/window_fixture.h"

namespace lumi {
namespace {

using Items = std::vector<std::string>;

class ListsTest : public test::WindowTest {
 protected:
  // The speed list of the port panel.
  void MakeSpeedList(TElComboBox& list) {
    list.Strings =
        "75\r\n110\r\n134\r\n150\r\n300\r\n600\r\n1200\r\n1800\r\n2400\r\n4800\r\n7200\r\n9600\r\n14400\r\n"
        "19200\r\n38400\r\n57600\r\n115200";
    list.Hint = Cp("Скорость передачи данных (бит/с.)");
    list.Init();
  }
  int32_t Index(TElComboBox& list) { return Read<&TElComboBox::OutIndex>(list).AsInteger(); }
  Text ItemText(TElComboBox& list) { return Read<&TElComboBox::OutText>(list).AsString(); }
};

TEST_F(ListsTest, SelectIndexOutOfRangeSelectsNothing) {
  TElComboBox list(nullptr);
  MakeSpeedList(list);
  ASSERT_EQ(Mirror(list)->State().items.size(), 17u);
  EXPECT_EQ(Index(list), -1);

  Act<&TElComboBox::SelectIndex>(list, TData::Integer(11));
  EXPECT_EQ(ItemText(list), "9600");
  EXPECT_EQ(Mirror(list)->State().selection, 11);

  Act<&TElComboBox::SelectIndex>(list, TData::Integer(17));
  EXPECT_EQ(Index(list), -1);
  EXPECT_EQ(Read<&TElComboBox::OutText>(list).type, DataType::String);
  EXPECT_EQ(ItemText(list), "");
  EXPECT_EQ(Mirror(list)->State().selection, -1);

  Act<&TElComboBox::SelectIndex>(list, TData::String("16"));
  EXPECT_EQ(ItemText(list), "115200");
  Act<&TElComboBox::SelectIndex>(list, TData::Integer(-5));
  EXPECT_EQ(Index(list), -1);
}

TEST_F(ListsTest, SelectTextMatchesWholeItemsOrPrefixesBeforeTheStar) {
  TElComboBox list(nullptr);
  MakeSpeedList(list);

  Act<&TElComboBox::SelectText>(list, TData::Integer(9600));
  EXPECT_EQ(Index(list), 11);
  Act<&TElComboBox::SelectText>(list, TData::String("96"));  // not a whole item
  EXPECT_EQ(Index(list), -1);
  Act<&TElComboBox::SelectText>(list, TData::String("96*"));
  EXPECT_EQ(Index(list), 11);
  Act<&TElComboBox::SelectText>(list, TData::String(""));  // does nothing
  EXPECT_EQ(Index(list), 11);
  Act<&TElComboBox::SelectText>(list, TData::String("1*0*"));  // the first star counts
  EXPECT_EQ(ItemText(list), "110");
  Act<&TElComboBox::SelectText>(list, TData::String("*"));
  EXPECT_EQ(Index(list), 0);
  Act<&TElComboBox::SelectText>(list, TData::String("1152000"));
  EXPECT_EQ(Index(list), -1);
  EXPECT_EQ(Mirror(list)->State().selection, -1);
}

TEST_F(ListsTest, LookUpsIgnoreTheCaseOfLatinAndCyrillicLetters) {
  TElComboBox list(nullptr);
  list.Strings = Cp("Загрузка ЦП\r\nДиск подключен\r\nCOM 3\r\nЁлка");
  list.Init();

  Act<&TElComboBox::SelectText>(list, TData::String(Cp("ДИСК ПОДКЛЮЧЕН")));
  EXPECT_EQ(Index(list), 1);
  Act<&TElComboBox::SelectText>(list, TData::String(Cp("загр*")));
  EXPECT_EQ(Index(list), 0);
  Act<&TElComboBox::SelectText>(list, TData::String("com 3"));
  EXPECT_EQ(Index(list), 2);
  Act<&TElComboBox::SelectText>(list, TData::String(Cp("ёлка")));
  EXPECT_EQ(Index(list), 3);
  Act<&TElComboBox::SelectText>(list, TData::String(Cp("Елка")));  // Е is not Ё
  EXPECT_EQ(Index(list), -1);
}

TEST_F(ListsTest, OnChangeFollowsOnlyTheUsersPickWithIndexOrText) {
  TElComboBox list(nullptr);
  MakeSpeedList(list);
  test::Probe changes;
  list.OnChange = test::ToProbe(&changes);

  Act<&TElComboBox::SelectIndex>(list, TData::Integer(3));
  Act<&TElComboBox::SelectText>(list, TData::String("300"));
  EXPECT_EQ(changes.Count(), 0u);

  ASSERT_TRUE(user.PickItem(list.PlatformControl(), 11));
  EXPECT_EQ(test::Integers(changes), (std::vector<int32_t>{11}));
  EXPECT_EQ(changes.Last().type, DataType::Integer);
  EXPECT_EQ(ItemText(list), "9600");

  list.ChangeReturns = 1;
  user.PickItem(list.PlatformControl(), 16);
  EXPECT_EQ(changes.Last().type, DataType::String);
  EXPECT_EQ(changes.Last().text, "115200");
  EXPECT_FALSE(user.PickItem(list.PlatformControl(), 17));
  EXPECT_EQ(changes.Count(), 2u);
}

TEST_F(ListsTest, AddAppendsAfterTheGivenItemsAndInitialTextSelects) {
  TElComboBox ports(nullptr);
  TData early = TData::String("COM 1");
  Act<&TElComboBox::Add>(ports, early);  // before the control exists
  ports.Strings = "COM 0\r\n";
  ports.Text = "com 1";
  ports.Init();
  EXPECT_EQ(ports.Items(), (Items{"COM 0", "COM 1"}));
  EXPECT_EQ(Index(ports), 1);

  test::Source item(TData::Integer(3));
  ports.InItem = test::FromSource(&item);
  Act<&TElComboBox::Add>(ports, TData::String("ignored while InItem is linked"));
  EXPECT_EQ(Mirror(ports)->State().items, (Items{"COM 0", "COM 1", "3"}));
  EXPECT_EQ(Mirror(ports)->State().selection, 1);
}

TEST_F(ListsTest, LinesEndAtCrLfOrALoneCrOrLf) {
  EXPECT_EQ(TElWinList::SplitLines("a\r\nb\r\n"), (Items{"a", "b"}));
  EXPECT_EQ(TElWinList::SplitLines("a\n\r\nb"), (Items{"a", "", "b"}));
  EXPECT_EQ(TElWinList::SplitLines("-\r\n\r\n"), (Items{"-", ""}));
  EXPECT_EQ(TElWinList::SplitLines(""), Items{});
  EXPECT_EQ(TElWinList::SplitLines("a\rb\r"), (Items{"a", "b"}));
}

TEST_F(ListsTest, MemoShowsItsLinesAndScrollBars) {
  TElMemo memo(nullptr);
  memo.Text = Cp("Lumiscope\r\nО программе\r\n");
  memo.ScrollBars = 2;
  memo.Init();
  EXPECT_EQ(memo.Count(), 2);
  EXPECT_EQ(Mirror(memo)->State().scroll_bars, 2);

  Act<&TElMemo::Add>(memo, TData::String("1.0.0.0"));
  EXPECT_EQ(Mirror(memo)->State().text, Cp("Lumiscope\r\nО программе\r\n1.0.0.0"));
  EXPECT_EQ(memo.Text, Mirror(memo)->State().text);
}

}  // namespace
}  // namespace lumi
