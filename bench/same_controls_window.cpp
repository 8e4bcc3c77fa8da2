// The yardstick for start-up: the main window's controls at the same places, in the same font,
// with the same pictures and common controls, and no logic. The list has its 14 checked rows and
// the memo its text before the window shows, as the program's have.
#include <windows.h>
//
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <utility>

#include "app/main_window_layout.h"
#include "same_controls_resources.h"

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr int kRows = 14;
// The identifiers the start-up timer looks for: the memo's is the program's.
constexpr int kIdList = 1001;
constexpr int kIdMemo = 1002;
constexpr int kIdStatus = 1003;
constexpr int kIdFirstButton = 1011;
constexpr std::array<int, 6> kPictures = {IDB_BENCH_APPLY, IDB_BENCH_CLOSE,  IDB_BENCH_REFRESH,
                                          IDB_BENCH_ABOUT, IDB_BENCH_EXPORT, IDB_BENCH_DEFAULTS};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) noexcept {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, w, l);
}

int Scale(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

struct Window {
  HWND handle;
  HINSTANCE instance;
  HFONT font;
  int dpi;

  HWND Child(const char* window_class, const char* text, DWORD style, int id,
             const quillmark::ControlPlacement& at) const {
    HWND child =
        CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | style, Scale(at.left, dpi),
                        Scale(at.top, dpi), Scale(at.width, dpi), Scale(at.height, dpi), handle,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
  }
};

// The picture with its bottom-left pixel as the transparent colour, above the caption.
HIMAGELIST PutPicture(HWND button, HINSTANCE instance, int bitmap_id) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(bitmap_id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP size{};
  GetObjectA(bitmap, sizeof size, &size);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const COLORREF transparent = GetPixel(dc, 0, size.bmHeight - 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST list = ImageList_Create(size.bmWidth, size.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
  ImageList_AddMasked(list, bitmap, transparent);
  DeleteObject(bitmap);
  BUTTON_IMAGELIST settings = {list, {0, 0, 0, 4}, BUTTON_IMAGELIST_ALIGN_TOP};
  SendMessageA(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&settings));
  return list;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_BENCH_ICON));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "SameControlsWindow";
  RegisterClassExA(&window_class);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT frame{0, 0, Scale(quillmark::kMainClientWidth, dpi),
             Scale(quillmark::kMainClientHeight, dpi)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  Window window{nullptr, instance,
                CreateFontA(-Scale(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"),
                dpi};
  window.handle = CreateWindowExA(kExStyle, "SameControlsWindow", "Same Controls", kStyle,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, instance, nullptr);

  HWND memo = window.Child("EDIT", "", WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_READONLY, kIdMemo,
                           quillmark::kMmo1Placement);
  HWND list = window.Child(WC_LISTVIEWA, "",
                           WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
                           kIdList, quillmark::kLv1Placement);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
  SendMessageA(list, LVM_SETBKCOLOR, 0, GetSysColor(COLOR_INFOBK));
  SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, GetSysColor(COLOR_INFOBK));
  RECT inside{};
  GetClientRect(list, &inside);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>("Column");
  column.cx = inside.right;
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

  std::array<HIMAGELIST, 6> pictures{};
  for (int index = 0; index < 6; ++index) {
    const quillmark::MainButton& button = quillmark::kMainButtons[index];
    HWND handle = window.Child("BUTTON", button.caption, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE,
                               kIdFirstButton + index, button.placement);
    pictures[index] = PutPicture(handle, instance, kPictures[index]);
  }
  for (auto [text, control] : {std::pair{quillmark::kLv1Label, quillmark::kLv1Placement},
                               std::pair{quillmark::kMmo1Label, quillmark::kMmo1Placement}}) {
    window.Child("STATIC", text, SS_LEFT | SS_NOTIFY, -1,
                 quillmark::BoundLabelPlacement(control, 70, 13));
  }
  HWND bar =
      CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window.handle,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatus)), instance, nullptr);
  SendMessageA(bar, SB_SIMPLE, TRUE, 0);
  SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("Status"));

  for (int row = 0; row < kRows; ++row) {
    char caption[16];
    std::snprintf(caption, sizeof caption, "Row %d", row + 1);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = caption;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    ListView_SetCheckState(list, row, TRUE);
  }
  SetWindowTextA(memo, "The first line of the memo.\r\nThe second line of the memo.");

  ShowWindow(window.handle, show_command);
  UpdateWindow(window.handle);
  SetFocus(memo);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window.handle, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  for (HIMAGELIST each : pictures) ImageList_Destroy(each);
  DeleteObject(window.font);
  return 0;
}
