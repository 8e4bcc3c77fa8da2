#include "win32/on_demand_library.h"

#include <gtest/gtest.h>

namespace quillmark::win32 {
namespace {

// A system library that nothing else in the test program loads.
constexpr char kUnusedLibrary[] = "mscms.dll";

TEST(OnDemandLibrary, LoadsTheLibraryAtTheFirstLookUpOnly) {
  ASSERT_EQ(GetModuleHandleA(kUnusedLibrary), nullptr);
  OnDemandLibrary library(kUnusedLibrary);
  EXPECT_EQ(GetModuleHandleA(kUnusedLibrary), nullptr);
  EXPECT_NE(library.Find<FARPROC>("OpenColorProfileA"), nullptr);
  EXPECT_NE(GetModuleHandleA(kUnusedLibrary), nullptr);
}

TEST(OnDemandLibrary, FindsTheFunctionsTheProgramCallsLater) {
  OnDemandLibrary shell("shell32.dll");
  OnDemandLibrary dialogs("comdlg32.dll");
  EXPECT_NE(shell.Find<FARPROC>("ShellExecuteA"), nullptr);
  const auto last_error = dialogs.Find<DWORD(WINAPI*)()>("CommDlgExtendedError");
  ASSERT_NE(last_error, nullptr);
  EXPECT_EQ(last_error(), 0u);
}

TEST(OnDemandLibrary, AMissingFunctionOrLibraryIsNull) {
  OnDemandLibrary shell("shell32.dll");
  EXPECT_EQ(shell.Find<FARPROC>("NoSuchFunctionAnywhere"), nullptr);
  OnDemandLibrary missing("quillmark-no-such-library.dll");
  EXPECT_EQ(missing.Find<FARPROC>("ShellExecuteA"), nullptr);
}

TEST(OnDemandLibrary, FreesTheLibraryWithItsOwner) {
  {
    OnDemandLibrary library(kUnusedLibrary);
    ASSERT_NE(library.Find<FARPROC>("OpenColorProfileA"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA(kUnusedLibrary), nullptr);
}

}  // namespace
}  // namespace quillmark::win32
