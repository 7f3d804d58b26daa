#include "scheme/disk_space_panel.h"

#include <memory>

#include "tests/support/probe.h"
#include "tests/support/scheme_fixture.h"

namespace lumi {
namespace {

using platform::DriveType;
using platform::Rect;

constexpr uint64_t kKilobyte = 1024;
constexpr uint64_t kTerabyteInKb = 1ull << 30;

// One panel as the main form holds it: built by its creator inside a window,
// reached through a TElMultiElement.
class Host {
 public:
  explicit Host(DiskSpaceCondition condition) {
    window = std::make_unique<TElGroupBox>(nullptr);
    window->Width = 600;
    window->Height = 700;
    window->Init();
    multi = std::make_unique<TElMultiElement>();
    multi->parent = window.get();
    multi->SetCreator(DiskSpacePanel::CreatorFor(condition));
    multi->OnEvent.Resize(2);
    multi->OnEvent[0] = test::ToProbe(&threshold_changes);
    multi->OnEvent[1] = test::ToProbe(&drive_changes);
  }
  ~Host() { multi.reset(); }

  DiskSpacePanel& operator*() const { return *static_cast<DiskSpacePanel*>(multi->Inner()->container); }
  DiskSpacePanel* operator->() const { return &**this; }

  // Both parameters of one channel, in the order the work cycle hands them over.
  int32_t Evaluate(TData var1, const char* var2) {
    Work(1, std::move(var1));
    Work(2, TData::String(var2));
    return OutVar(0).AsInteger();
  }
  void Work(uint16_t index, TData value) { multi->Work(value, index); }
  TData OutVar(uint16_t index) const {
    TData answer;
    multi->OutVar(answer, index);
    return answer;
  }

  test::Probe threshold_changes;
  test::Probe drive_changes;
  std::unique_ptr<TElGroupBox> window;
  std::unique_ptr<TElMultiElement> multi;
};

class DiskSpacePanelTest : public test::SchemeTest {
 protected:
  void SetUp() override {
    SchemeTest::SetUp();
    drives.drives = {{'A', DriveType::Removable, {}}, {'D', DriveType::CdRom, {}}};
  }

  // Sizes in kilobytes, as the panels count them.
  void SetDrive(char letter, uint64_t total_kb, uint64_t free_kb) {
    for (auto& drive : drives.drives) {
      if (drive.letter == letter) {
        drive.space = {free_kb * kKilobyte, total_kb * kKilobyte};
        return;
      }
    }
    drives.drives.push_back({letter, DriveType::Fixed, {free_kb * kKilobyte, total_kb * kKilobyte}});
  }

  const platform::headless::ControlState& Mirror(TElWin* element) {
    return ui.Mirror(element->PlatformControl())->State();
  }
};

TEST_F(DiskSpacePanelTest, FreeDiskIsOnBelowTheThreshold) {
  Host free(DiskSpaceCondition::kFreeDisk);
  SetDrive('C', 1048576, 262144);  // 25 %

  EXPECT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  EXPECT_EQ(free.OutVar(1).AsInteger(), 30);
  EXPECT_EQ(free.OutVar(2).text, "C");
  EXPECT_EQ(free.OutVar(3).text, Cp("На диске C свободно менее 30 %"));
  EXPECT_EQ(Mirror(free->value_edit).text, "30");
  EXPECT_EQ(free.Evaluate(TData::String("25"), "C"), 0);  // strict
  EXPECT_EQ(free.OutVar(3).text, Cp("На диске C свободно менее 25 %"));

  // 12.7 % rounds to 13, 12.5 % to the even 12.
  SetDrive('C', 1000, 127);
  EXPECT_EQ(free.Evaluate(TData::Integer(13), "C"), 0);
  EXPECT_EQ(free.Evaluate(TData::Integer(14), "C"), 1);
  SetDrive('C', 1000, 125);
  EXPECT_EQ(free.Evaluate(TData::Integer(13), "C"), 1);
  EXPECT_EQ(free.Evaluate(TData::Integer(12), "C"), 0);

  // Applying parameters is not a user change.
  EXPECT_EQ(free.threshold_changes.Count(), 0u);
  EXPECT_EQ(free.drive_changes.Count(), 0u);
}

TEST_F(DiskSpacePanelTest, UsedDiskIsOnAboveTheThreshold) {
  Host used(DiskSpaceCondition::kUsedDisk);
  SetDrive('C', 1048576, 262144);  // 75 % used

  EXPECT_EQ(used.Evaluate(TData::Integer(74), "C"), 1);
  EXPECT_EQ(used.Evaluate(TData::Integer(75), "C"), 0);  // strict
  EXPECT_EQ(used.OutVar(3).text, Cp("На диске C занято более 75 %"));

  SetDrive('C', 1000, 873);  // 12.7 % used
  EXPECT_EQ(used.Evaluate(TData::Integer(12), "C"), 1);
  EXPECT_EQ(used.Evaluate(TData::Integer(13), "C"), 0);
}

TEST_F(DiskSpacePanelTest, PercentagesHoldOnVolumesOfManyTerabytes) {
  // Kilobyte counts past 2^31: a 32-bit count would wrap and turn 90 % into -50 %.
  SetDrive('C', 10 * kTerabyteInKb, kTerabyteInKb);
  Host used(DiskSpaceCondition::kUsedDisk);
  EXPECT_EQ(used.Evaluate(TData::Integer(89), "C"), 1);
  EXPECT_EQ(used.Evaluate(TData::Integer(90), "C"), 0);

  SetDrive('C', 10 * kTerabyteInKb, 10 * kTerabyteInKb / 4);  // 25 % free, itself past 2^31
  Host free(DiskSpaceCondition::kFreeDisk);
  EXPECT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  EXPECT_EQ(free.Evaluate(TData::Integer(25), "C"), 0);
  EXPECT_EQ(free.Evaluate(TData::Integer(26), "C"), 1);
}

TEST_F(DiskSpacePanelTest, SizeZeroIsOffLikeAnAbsentDriveWithoutDividing) {
  Host used(DiskSpaceCondition::kUsedDisk);
  Host free(DiskSpaceCondition::kFreeDisk);
  SetDrive('C', 1000, 100);  // 90 % used
  SetDrive('E', 0, 0);

  ASSERT_EQ(used.Evaluate(TData::Integer(50), "C"), 1);
  EXPECT_EQ(used.Evaluate(TData::Integer(10), "E"), 0);  // not "more than 10 % used"
  ASSERT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  EXPECT_EQ(free.Evaluate(TData::Integer(30), "E"), 0);                // nor "less than 30 % free"
  EXPECT_EQ(used.OutVar(3).text, Cp("На диске E занято более 10 %"));  // the message still follows
  ASSERT_EQ(used.Evaluate(TData::Integer(95), "C"), 0);
  EXPECT_EQ(used.Evaluate(TData::Integer(10), "E"), 0);

  // A size below one kilobyte counts as 0 too.
  drives.drives.back().space = {0, 1000};
  EXPECT_EQ(used.Evaluate(TData::Integer(10), "E"), 0);
  EXPECT_TRUE(messages.shown.empty());  // no calculation error was shown
}

TEST_F(DiskSpacePanelTest, ALetterThatIsNotPresentTurnsTheStateOff) {
  Host free(DiskSpaceCondition::kFreeDisk);
  SetDrive('C', 1000, 100);  // 10 % free

  ASSERT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  EXPECT_EQ(free.Evaluate(TData::Integer(30), "E"), 0);
  EXPECT_EQ(free.OutVar(2).text, "");  // nothing to select
  EXPECT_EQ(Mirror(free->drive_list).selection, -1);
  EXPECT_EQ(free.OutVar(3).text, Cp("На диске  свободно менее 30 %"));

  ASSERT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  EXPECT_EQ(free.Evaluate(TData::Integer(30), ""), 0);  // no letter at all

  // A drive that goes away between two cycles.
  ASSERT_EQ(free.Evaluate(TData::Integer(30), "C"), 1);
  drives.drives.pop_back();
  EXPECT_EQ(free.Evaluate(TData::Integer(30), "C"), 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DiskSpacePanelTest, DriveListIsRebuiltFromThePresentDrives) {
  Host free(DiskSpaceCondition::kFreeDisk);
  SetDrive('C', 1000, 500);
  EXPECT_TRUE(Mirror(free->drive_list).items.empty());  // no entries before the first evaluation

  free.Evaluate(TData::Integer(50), "c");
  EXPECT_EQ(Mirror(free->drive_list).items, (std::vector<std::string>{"A", "C", "D"}));
  EXPECT_EQ(Mirror(free->drive_list).selection, 1);
  EXPECT_EQ(free.OutVar(2).text, "C");

  drives.drives.erase(drives.drives.begin());
  free.Evaluate(TData::Integer(50), "D");
  free.Evaluate(TData::Integer(50), "D");
  EXPECT_EQ(Mirror(free->drive_list).items, (std::vector<std::string>{"C", "D"}));
  EXPECT_EQ(Mirror(free->drive_list).selection, 1);
}

TEST_F(DiskSpacePanelTest, UserChangesRaiseTheirEvents) {
  Host free(DiskSpaceCondition::kFreeDisk);
  SetDrive('C', 1000, 500);
  free.Evaluate(TData::Integer(50), "C");

  ASSERT_TRUE(user.Click(free->plus_button->PlatformControl()));
  ASSERT_EQ(free.threshold_changes.Count(), 1u);
  EXPECT_EQ(free.threshold_changes.Last().AsInteger(), 51);
  EXPECT_EQ(free.OutVar(1).AsInteger(), 51);
  EXPECT_EQ(Mirror(free->value_edit).text, "51");

  ASSERT_TRUE(user.PickItem(free->drive_list->PlatformControl(), 2));
  ASSERT_EQ(free.drive_changes.Count(), 1u);
  EXPECT_EQ(free.drive_changes.Last().AsInteger(), 2);
  EXPECT_EQ(free.OutVar(2).text, "D");
  EXPECT_EQ(free.threshold_changes.Count(), 1u);
  EXPECT_EQ(loop.RunningTimers(), 0u);
}

TEST_F(DiskSpacePanelTest, ThresholdsStopAtEachPanelsBounds) {
  Host free(DiskSpaceCondition::kFreeDisk);
  free.Evaluate(TData::Integer(100), "C");
  ASSERT_TRUE(user.Click(free->plus_button->PlatformControl()));
  free.Evaluate(TData::Integer(1), "C");
  ASSERT_TRUE(user.Click(free->minus_button->PlatformControl()));
  EXPECT_EQ(free.threshold_changes.Count(), 0u);
  EXPECT_EQ(free.OutVar(1).AsInteger(), 1);
  free.Evaluate(TData::Integer(99), "C");
  ASSERT_TRUE(user.Click(free->plus_button->PlatformControl()));
  EXPECT_EQ(free.threshold_changes.Last().AsInteger(), 100);

  Host used(DiskSpaceCondition::kUsedDisk);
  used.Evaluate(TData::Integer(99), "C");
  ASSERT_TRUE(user.Click(used->plus_button->PlatformControl()));
  used.Evaluate(TData::Integer(0), "C");
  ASSERT_TRUE(user.Click(used->minus_button->PlatformControl()));
  EXPECT_EQ(used.threshold_changes.Count(), 0u);
  ASSERT_TRUE(user.Click(used->plus_button->PlatformControl()));
  EXPECT_EQ(used.threshold_changes.Last().AsInteger(), 1);
}

TEST_F(DiskSpacePanelTest, WorkZeroShowsAndHidesEveryControl) {
  Host free(DiskSpaceCondition::kFreeDisk);
  Host used(DiskSpaceCondition::kUsedDisk);
  EXPECT_EQ(Mirror(free->box).geometry, (Rect{315, 79, 232, 60}));
  EXPECT_EQ(Mirror(used->box).geometry, (Rect{315, 139, 232, 60}));
  EXPECT_EQ(Mirror(free->caption_label).text, Cp("Сигнал,  если  объём  свободного  места"));
  EXPECT_EQ(Mirror(used->caption_label).text, Cp("Сигнал,  если  объём  занятого  места"));
  EXPECT_EQ(Mirror(used->caption_label).geometry, (Rect{9, 9, 201, 17}));
  EXPECT_EQ(Mirror(free->relation_label).text, Cp("менее"));
  EXPECT_EQ(Mirror(used->relation_label).text, Cp("более"));
  EXPECT_EQ(Mirror(free->drive_list).hint, Cp("Буква диска"));
  EXPECT_EQ(Mirror(free->minus_button).geometry, (Rect{163, 41, 15, 15}));

  DiskSpacePanel& p = *free;
  TElWin* controls[] = {p.caption_label, p.on_drive_label, p.drive_list,   p.relation_label,
                        p.value_edit,    p.plus_button,    p.minus_button, p.percent_label};
  free.Work(0, TData::Integer(0));
  for (TElWin* control : controls) EXPECT_FALSE(Mirror(control).visible);
  EXPECT_TRUE(Mirror(used->plus_button).visible);  // the other panel is left alone
  free.Work(0, TData::Integer(1));
  for (TElWin* control : controls) EXPECT_TRUE(Mirror(control).visible);
}

}  // namespace
}  // namespace lumi
