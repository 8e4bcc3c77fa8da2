// The system's save dialog, shown for real and filled in from a second thread.
#include "win32/save_dialog.h"

#include <cderr.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>
#include <string>

#include "app/shell_texts.h"
#include "core/failure_classes.h"
#include "win32/dialog_answering.h"
#include "win32/test_windows.h"

namespace quillmark::win32 {
namespace {

using testing::DialogAnswerer;

// A folder of its own under the temporary folder, removed with what the test put in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::array<char, MAX_PATH> temp{};
    GetTempPathA(static_cast<DWORD>(temp.size()), temp.data());
    path_ =
        std::string(temp.data()) + "quillmark-save-dialog-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA(File(found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
  }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// The file name box: a combo box with an edit in the newer layout, a plain edit in the older.
HWND FileNameBox(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, cmb13)) return combo;
  return GetDlgItem(dialog, edt1);
}

std::string ControlText(HWND control) {
  std::array<char, MAX_PATH * 2> text{};
  SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

struct SaveDialogSeen {
  std::string proposed_name;
  int file_types = 0;
  std::string first_file_type;
  bool read_only_box_visible = false;
};

SaveDialogSeen Observe(HWND dialog) {
  SaveDialogSeen seen;
  seen.proposed_name = ControlText(FileNameBox(dialog));
  HWND types = GetDlgItem(dialog, cmb1);
  seen.file_types = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
  std::array<char, 256> first{};
  if (seen.file_types > 0) {
    SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first.data()));
  }
  seen.first_file_type = first.data();
  HWND read_only = GetDlgItem(dialog, chx1);
  seen.read_only_box_visible = read_only && IsWindowVisible(read_only);
  return seen;
}

void Choose(HWND dialog, const std::string& path) {
  SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

struct ChoiceCase {
  const char* name;
  const char* typed;
  const char* expected_file;
  bool file_exists_before;
};

const ChoiceCase kChoiceCases[] = {
    {"NameWithoutExtensionGetsIt", "chosen", "chosen.reg", false},
    {"NameWithExtensionKeepsIt", "chosen.reg", "chosen.reg", false},
    // No question before an existing file would be replaced: the dialog simply returns.
    {"ExistingFileWithoutQuestion", "existing", "existing.reg", true},
};

class SaveDialogChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(SaveDialogChoiceTest, ReturnsTheChosenPathWithTheDefaultExtension) {
  const ChoiceCase& choice = GetParam();
  testing::PumpPendingMessages();
  ScratchFolder folder;
  if (choice.file_exists_before) {
    std::ofstream(folder.File(choice.expected_file)) << "kept\n";
  }
  UniqueWindow owner = testing::CreateActiveWindow("Save owner");
  Win32SaveDialog dialog(owner.get());

  SaveDialogSeen seen;
  DialogAnswerer answerer(kExportDialog.title, "#32770", [&](HWND window) {
    seen = Observe(window);
    Choose(window, folder.File(choice.typed));
  });
  const std::optional<std::string> chosen = dialog.Execute(kExportDialog, kExportInitialName);
  ASSERT_TRUE(answerer.Finish());

  EXPECT_EQ(seen.proposed_name, kExportInitialName);
  EXPECT_EQ(seen.file_types, 1);
  EXPECT_EQ(seen.first_file_type, "registry file (*.reg)");
  EXPECT_FALSE(seen.read_only_box_visible);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folder.File(choice.expected_file));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveDialogChoiceTest, ::testing::ValuesIn(kChoiceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveDialogTest, CancelGivesNothingAndTheNextShowingProposesTheNameItIsGiven) {
  testing::PumpPendingMessages();
  UniqueWindow owner = testing::CreateActiveWindow("Save owner");
  Win32SaveDialog dialog(owner.get());

  for (const std::string proposed : {"first-name", "second-name.reg"}) {
    SaveDialogSeen seen;
    DialogAnswerer answerer(kExportDialog.title, "#32770", [&](HWND window) {
      seen = Observe(window);
      PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.Execute(kExportDialog, proposed), std::nullopt);
    ASSERT_TRUE(answerer.Finish());
    EXPECT_EQ(seen.proposed_name, proposed);
  }
}

TEST(SaveDialogTest, AProposedNameLongerThanMaxPathIsProposedWhole) {
  testing::PumpPendingMessages();
  UniqueWindow owner = testing::CreateActiveWindow("Save owner");
  Win32SaveDialog dialog(owner.get());
  const std::string proposed = std::string(300, 'n') + ".reg";
  SaveDialogSeen seen;
  DialogAnswerer answerer(kExportDialog.title, "#32770", [&](HWND window) {
    seen = Observe(window);
    PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(dialog.Execute(kExportDialog, proposed), std::nullopt);
  ASSERT_TRUE(answerer.Finish());
  EXPECT_EQ(seen.proposed_name, proposed);
}

// Wine's dialog reports no error of its own where a test could cause one (it takes no path longer
// than MAX_PATH, and one it cannot make is a plain FALSE), so the reading of the dialog's answer
// is checked on its own.
TEST(SaveDialogOutcome, ACancelIsNothingADialogErrorIsAFailureAndANameComesBackWhole) {
  std::string written(40, '\0');
  written.replace(0, 11, "C:\\mine.reg");
  EXPECT_EQ(SaveDialogOutcome(true, 0, written), "C:\\mine.reg");
  EXPECT_EQ(SaveDialogOutcome(false, 0, written), std::nullopt);

  struct Failing {
    bool chosen;
    DWORD error;
    std::string file;
    const char* failure;
  };
  const Failing failing[] = {
      {false, CDERR_DIALOGFAILURE, written,
       "GetSaveFileNameA failed with dialog error 0xFFFF (CDERR_DIALOGFAILURE)"},
      {false, FNERR_BUFFERTOOSMALL, written,
       "GetSaveFileNameA failed with dialog error 0x3003 (FNERR_BUFFERTOOSMALL)"},
      {false, 0x1234, written, "GetSaveFileNameA failed with dialog error 0x1234"},
      // A name that fills the buffer without its zero was cut.
      {true, 0, std::string(40, 'n'),
       "GetSaveFileNameA failed with dialog error 0x3003 (FNERR_BUFFERTOOSMALL)"},
  };
  for (const Failing& c : failing) {
    SCOPED_TRACE(c.failure);
    std::string failure;
    try {
      SaveDialogOutcome(c.chosen, c.error, c.file);
    } catch (const Exception& raised) {
      failure = raised.Message();
    }
    EXPECT_EQ(failure, c.failure);
  }
}

}  // namespace
}  // namespace quillmark::win32
