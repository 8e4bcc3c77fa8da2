// The rows of the tweak list and the information memo that follows the selected row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/engine_harness.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(Catalogue, SetLvItemsAppendsTheFourteenRowsUntickedInIndexOrder) {
  EngineHarness harness;
  ASSERT_EQ(harness.list.RowCount(), 14);
  EXPECT_EQ(harness.list.Boxes(), "..............");
  EXPECT_EQ(harness.list.SelectedIndex(), -1);
  EXPECT_EQ(harness.list.Caption(0),
            "Add \"Copy To\" option in files and folders context menu (right click)");
  EXPECT_EQ(harness.list.Caption(8), "Speed up the Explorer navigation");
  EXPECT_EQ(harness.list.Caption(13), "Disable UAC (User Account Control)");
  for (int row = 0; row < 14; ++row)
    EXPECT_EQ(RowOf(kTweakRows[static_cast<std::size_t>(row)].tweak), row);
}

TEST(Catalogue, TheMemoShowsTheSelectedRowsTextWhateverRowChanged) {
  EngineHarness harness;
  harness.memo.AddLine("general text");
  harness.list.SetChecked(3, true);  // nothing selected: the memo stays
  EXPECT_EQ(harness.memo.Lines(), Lines{"general text"});

  harness.list.Select(8);
  EXPECT_EQ(harness.memo.Lines(),
            Lines{"Speeds up Windows 7 by disabling network printers and scheduled tasks on "
                  "Windows "});
  harness.memo.Clear();
  harness.list.SetChecked(2, true);  // another row's box
  EXPECT_EQ(harness.memo.Lines().size(), 1u);
  EXPECT_EQ(harness.memo.Lines()[0].back(), ' ');

  harness.list.Select(13);
  EXPECT_EQ(harness.memo.Lines(), Lines{"Disables (Turn Off) Annoying UAC (User Account Control) "
                                        "and suppress UAC consent prompt dialog"});
}

TEST(Catalogue, OnlyRealChangesOfABoxAreReported) {
  EngineHarness harness;
  harness.list.SetChecked(5, false);
  EXPECT_EQ(harness.changes, 0);
  harness.list.SetChecked(5, true);
  harness.list.SetChecked(5, true);
  EXPECT_EQ(harness.changes, 1);
  harness.list.Select(5);
  harness.list.Select(5);
  EXPECT_EQ(harness.changes, 2);
}

}  // namespace
}  // namespace quillmark::testing
