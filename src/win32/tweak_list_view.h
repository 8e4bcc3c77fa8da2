// The tweak list as a report-style list view with a check box per row.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include <functional>
#include <string>

#include "tweaks/tweak_list.h"
#include "win32/control.h"
#include "win32/creation_failure.h"

namespace quillmark::win32 {

class Win32TweakList final : public TweakList, public Control {
 public:
  explicit Win32TweakList(HWND list) : list_(list) {}

  // A row the list view refuses throws a failure naming the call.
  void AppendRow(const std::string& caption) override {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(caption.c_str());
    SetLastError(ERROR_SUCCESS);
    if (SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) == -1) {
      const DWORD error = GetLastError();
      ThrowCallFailure("LVM_INSERTITEMA of the row \"" + caption + "\"", error);
    }
  }
  int RowCount() const override {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
  }
  bool Checked(int row) const override { return ListView_GetCheckState(list_, row) != 0; }
  // The list view reports a real change only, through the parent's LVN_ITEMCHANGED.
  void SetChecked(int row, bool checked) override { ListView_SetCheckState(list_, row, checked); }
  int SelectedIndex() const override {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
  }
  void SetOnChange(std::function<void()> on_change) override { on_change_ = std::move(on_change); }

  // Each LVN_ITEMCHANGED of the list.
  LRESULT Notify(const NMHDR& header) override {
    if (header.code == LVN_ITEMCHANGED && on_change_) on_change_();
    return 0;
  }
  HWND Handle() const override { return list_; }

 private:
  HWND list_;
  std::function<void()> on_change_;
};

}  // namespace quillmark::win32
