// qmdrive: drives the program's real windows from outside, for the end-to-end tests. It runs in
// the program's Wine prefix and display, does the commands it is given in order and prints their
// results on stdout as UTF-8 lines ending in \n. Exit status: 0 done, 1 failed or timed out (with
// a message on stderr), 2 bad usage; the first command that fails ends the run.
//
// qmdrive [--desktop NAME] COMMAND [ARGS...] [; COMMAND [ARGS...]]...: --desktop works in the
// named desktop of a program started with explorer /desktop=NAME,WxH; without it, in the default
// one. Commands are separated by an argument ";": one run for several saves a Wine start each.
//
// WINDOW names a visible top-level window: a handle as printed by wait-window (0x...), "main"
// (the window of class TForm1), or an exact title. When several windows share the title, the
// first enabled one in z-order wins, so a modal box is found in front of the window it blocks.
// Commands that take a WINDOW wait for it to appear. ID is a control identifier in the main
// window; ROW is a list row from 0. SECONDS bounds every wait and is 30 unless given. In the
// tab-separated outputs a line break or tab inside a text shows as \n, \r or \t.
//
//   windows                              every visible top-level window: HANDLE\tCLASS\tTITLE
//   wait-window CLASS|* TITLE|* [SECONDS]
//                                        waits for a visible top-level window; prints its handle
//   wait-gone WINDOW [SECONDS]           waits until no visible window matches
//   tree WINDOW [SECONDS]                the window's descendants, one a line, indented by depth:
//                                        HANDLE\tCLASS\tID\tv|-\tTEXT (v: visible)
//   rows                                 list view 1001: INDEX\tx|.\tCAPTION (x: checked)
//   selected                             the selected row, or -1
//   check ROW on|off [--set-state]       clicks the row's check box, unless it already reads so,
//                                        and waits until it does; --set-state sets the state
//                                        image with LVM_SETITEMSTATE instead of clicking
//   select ROW                           clicks the row's caption; waits until it is selected
//   text ID                              the control's text, with \r\n read as \n; a status bar
//                                        gives its simple text, or part 0's when it has parts
//   wait-text ID EXPECTED [SECONDS]      waits until the text equals EXPECTED, where \n, \r and
//                                        \\ stand for line feed, carriage return and backslash
//                                        (other backslashes are kept); \r\n reads as \n unless
//                                        EXPECTED has a \r
//   wait-contains ID PART [SECONDS]      waits until the text contains PART (same escapes)
//   click ID                             presses a button without waiting for what it opens
//   hover ID                             moves the pointer onto the control's centre
//   leave ID                             moves the pointer off it, onto the bare main window
//   dialog WINDOW [SECONDS]              class\tCLASS, title\tTITLE, task\tyes|no (a task
//                                        dialog?), then one line per visible child: text\tTEXT,
//                                        button|check|radio|group\tID\tCAPTION, edit\tID\tTEXT
//                                        (captions keep their &)
//   answer WINDOW ID|escape|close [SECONDS]
//                                        presses the button with that ID (BM_CLICK; for a task
//                                        dialog TDM_CLICK_BUTTON), or presses Escape,
//                                        or closes it from its system menu; then waits until the
//                                        window is gone. Wine's task dialogs ignore Escape unless
//                                        they have a Cancel button; close works on those that
//                                        allow cancelling
//   save-name [SECONDS]                  the file name the save dialog proposes
//   save-as PATH [SECONDS]               types PATH (a Windows path) into the save dialog and
//                                        presses Save; waits until the dialog is gone, and fails
//                                        if the dialog asks a question instead
//   save-cancel [SECONDS]                presses Cancel in the save dialog
//   close WINDOW [SECONDS]               posts WM_CLOSE
//   rect WINDOW [SECONDS]                LEFT TOP RIGHT BOTTOM of the window in screen pixels
//   pause SECONDS                        waits that long, for what the program may still do
//   focus                                the window that has the program's keyboard focus:
//                                        ID\tCLASS\tTEXT (ID 0 for a window that is no control)
//   key KEY                              posts a key press to the program's focus, as typed:
//                                        tab, down, up, space, enter, a letter, or alt+LETTER

#include <windows.h>
//
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double kDefaultSeconds = 30;
// A sent message that takes this long means the program is stuck.
constexpr UINT kSendTimeoutMs = 20000;
constexpr int kTextChars = 4096;
constexpr wchar_t kMainClass[] = L"TForm1";
constexpr wchar_t kSaveTitle[] = L"Save Default Settings";
constexpr int kListId = 1001;
// The common file dialog's file-name combo box, or its edit box in the older layout.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;
// TDM_CLICK_BUTTON, which commctrl.h hides below _WIN32_WINNT 0x0600.
constexpr UINT kTdmClickButton = WM_USER + 102;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

void Print(std::wstring_view line) {
  std::string out = Utf8(line);
  out += '\n';
  fwrite(out.data(), 1, out.size(), stdout);
}

std::wstring Hex(HWND window) {
  wchar_t text[32];
  swprintf(text, 32, L"0x%llx",
           static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
  return text;
}

// Shows a text in messages with its line breaks visible.
std::wstring Quoted(std::wstring_view text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\r') {
      out += L"\\r";
    } else if (c == L'\t') {
      out += L"\\t";
    } else if (c == L'"' || c == L'\\') {
      out += L'\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + L"\"";
}

[[noreturn]] void Fail(std::wstring_view message) { throw Failure(Utf8(message)); }

// Only \n, \r and \\: Windows paths are full of other backslashes.
std::wstring Unescape(std::wstring_view text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
    if (text[i] == L'\\' && (next == L'n' || next == L'r' || next == L'\\')) {
      out += next == L'n' ? L'\n' : next == L'r' ? L'\r' : L'\\';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A text as one field of one output line.
std::wstring OneLine(std::wstring_view text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    if (text[i] == L'\n') {
      out += L"\\n";
    } else if (text[i] == L'\r') {
      out += L"\\r";
    } else if (text[i] == L'\t') {
      out += L"\\t";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::wstring WithoutCarriageReturns(std::wstring text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    out += text[i];
  }
  return out;
}

int ParseInt(std::wstring_view text, const char* what) {
  std::wstring copy(text);
  wchar_t* end = nullptr;
  long value = std::wcstol(copy.c_str(), &end, 10);
  if (copy.empty() || *end != L'\0') throw UsageError(std::string(what) + " must be a number");
  return static_cast<int>(value);
}

double ParseSeconds(std::wstring_view text) {
  std::wstring copy(text);
  wchar_t* end = nullptr;
  double value = std::wcstod(copy.c_str(), &end);
  if (copy.empty() || *end != L'\0' || !(value > 0)) {
    throw UsageError("SECONDS must be a positive number");
  }
  return value;
}

class Deadline {
 public:
  explicit Deadline(double seconds) : end_(GetTickCount64() + ULONGLONG(seconds * 1000)) {}
  bool Passed() const { return GetTickCount64() >= end_; }

 private:
  ULONGLONG end_;
};

// Calls done() every 50 ms until it is true or the time is up; says which.
template <typename Done>
bool PollUntil(double seconds, Done done) {
  Deadline deadline(seconds);
  for (;;) {
    if (done()) return true;
    if (deadline.Passed()) return false;
    Sleep(50);
  }
}

// A sent message that never returns would hang the test run; this one gives up instead.
LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    wchar_t text[96];
    swprintf(text, 96, L"window %ls did not answer message 0x%x", Hex(window).c_str(), message);
    Fail(text);
  }
  return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!PostMessageW(window, message, wparam, lparam)) {
    wchar_t text[96];
    swprintf(text, 96, L"cannot post message 0x%x to window %ls", message, Hex(window).c_str());
    Fail(text);
  }
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

bool IsClass(HWND window, std::wstring_view name) {
  return _wcsicmp(ClassOf(window).c_str(), std::wstring(name).c_str()) == 0;
}

// A top-level window's caption, kept by the system: asking for it cannot hang.
std::wstring TitleOf(HWND window) {
  wchar_t title[512] = L"";
  GetWindowTextW(window, title, 512);
  return title;
}

// WM_GETTEXT, unlike GetWindowText, reaches the control's own text in another process.
std::wstring TextOf(HWND window) {
  LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(length + 1, L'\0');
  LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : size_t(copied));
  return text;
}

// Enumeration callbacks are stdcall on i686, which a lambda cannot be.
BOOL CALLBACK CollectVisible(HWND window, LPARAM found) noexcept {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND window, LPARAM found) noexcept {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectAll, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsHandle(std::wstring_view designator) {
  return designator.size() > 2 && designator[0] == L'0' &&
         (designator[1] == L'x' || designator[1] == L'X');
}

// The window a WINDOW argument names, or null while there is none.
HWND Lookup(std::wstring_view designator) {
  if (designator.empty()) throw UsageError("WINDOW is empty");
  if (IsHandle(designator)) {
    std::wstring copy(designator.substr(2));
    wchar_t* end = nullptr;
    auto value = std::wcstoull(copy.c_str(), &end, 16);
    if (*end != L'\0') throw UsageError("a window handle is 0x and hex digits");
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(value));
    return IsWindow(window) && IsWindowVisible(window) ? window : nullptr;
  }
  HWND first = nullptr;
  for (HWND window : TopLevelWindows()) {
    bool match =
        designator == L"main" ? IsClass(window, kMainClass) : TitleOf(window) == designator;
    if (!match) continue;
    if (IsWindowEnabled(window)) return window;
    if (!first) first = window;
  }
  return first;
}

HWND WaitFor(std::wstring_view designator, double seconds) {
  HWND window = nullptr;
  if (!PollUntil(seconds, [&] { return (window = Lookup(designator)) != nullptr; })) {
    Fail(L"no visible window " + Quoted(designator));
  }
  return window;
}

HWND MainWindow() { return WaitFor(L"main", kDefaultSeconds); }

HWND Control(int id) {
  HWND main = MainWindow();
  if (HWND direct = GetDlgItem(main, id)) return direct;
  // The control may sit inside a panel.
  for (HWND window : Descendants(main)) {
    if (GetDlgCtrlID(window) == id) return window;
  }
  Fail(L"the main window has no control " + std::to_wstring(id));
}

// Memory in the process that owns a window, for the messages whose arguments are pointers.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (!process_) Fail(L"cannot open process " + std::to_wstring(pid));
    // The structures passed are this driver's own: the program must be of the same bitness.
    BOOL target_wow64 = FALSE, own_wow64 = FALSE;
    if (IsWow64Process(process_, &target_wow64) &&
        IsWow64Process(GetCurrentProcess(), &own_wow64) && target_wow64 != own_wow64) {
      CloseHandle(process_);
      Fail(L"the program and this driver differ in bitness; drive it with the driver of its build");
    }
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!base_) {
      CloseHandle(process_);
      Fail(L"cannot allocate memory in process " + std::to_wstring(pid));
    }
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }

  // The address, in the other process, of offset bytes into the block.
  template <typename T = void>
  T* At(size_t offset = 0) const {
    return reinterpret_cast<T*>(base_ + offset);
  }
  LPARAM Param(size_t offset = 0) const { return reinterpret_cast<LPARAM>(base_ + offset); }

  void Write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    if (!WriteProcessMemory(process_, base_ + offset, data, size, &done) || done != size) {
      Fail(L"cannot write to the program's memory");
    }
  }
  void Read(const void* remote, void* data, size_t size) const {
    SIZE_T done = 0;
    if (!ReadProcessMemory(process_, remote, data, size, &done) || done != size) {
      Fail(L"cannot read the program's memory");
    }
  }
  template <typename T>
  T Read(size_t offset = 0) const {
    T value;
    Read(base_ + offset, &value, sizeof value);
    return value;
  }
  std::wstring ReadText(const wchar_t* remote, size_t chars) const {
    std::wstring text(chars, L'\0');
    if (chars) Read(remote, text.data(), chars * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};

// List view 1001 and the process memory its messages need.
class List {
 public:
  List() : window_(Control(kListId)), memory_(window_, sizeof(LVITEMW) + kTextChars * 2) {
    if (!IsClass(window_, WC_LISTVIEWW)) Fail(L"control 1001 is not a list view");
  }

  int Count() { return static_cast<int>(Send(window_, LVM_GETITEMCOUNT, 0, 0)); }

  void RequireRow(int row) {
    int count = Count();
    if (row < 0 || row >= count) {
      Fail(L"row " + std::to_wstring(row) + L" is not in the list of " + std::to_wstring(count));
    }
  }

  std::wstring Caption(int row) {
    LVITEMW item{};
    item.pszText = memory_.At<wchar_t>(sizeof item);
    item.cchTextMax = kTextChars;
    memory_.Write(0, &item, sizeof item);
    auto length = static_cast<size_t>(Send(window_, LVM_GETITEMTEXTW, row, memory_.Param()));
    // The list view may point pszText at its own copy instead of filling the buffer.
    item = memory_.Read<LVITEMW>();
    return memory_.ReadText(item.pszText, length < size_t(kTextChars) ? length : kTextChars);
  }

  bool Checked(int row) {
    auto state = static_cast<UINT>(Send(window_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  }

  int Selected() {
    return static_cast<int>(Send(window_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  }

  RECT ItemRect(int row, int part) {
    RECT rect{part, 0, 0, 0};
    memory_.Write(0, &rect, sizeof rect);
    if (!Send(window_, LVM_GETITEMRECT, row, memory_.Param())) {
      Fail(L"the list view gives no rectangle for row " + std::to_wstring(row));
    }
    return memory_.Read<RECT>();
  }

  LVHITTESTINFO HitTest(POINT point) {
    LVHITTESTINFO info{};
    info.pt = point;
    memory_.Write(0, &info, sizeof info);
    Send(window_, LVM_HITTEST, 0, memory_.Param());
    return memory_.Read<LVHITTESTINFO>();
  }

  void SetState(int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    memory_.Write(0, &item, sizeof item);
    Send(window_, LVM_SETITEMSTATE, row, memory_.Param());
  }

  // The middle of the run of points on the row's line that hit what is wanted.
  POINT PointOn(int row, UINT wanted, std::wstring_view what) {
    Send(window_, LVM_ENSUREVISIBLE, row, FALSE);
    RECT bounds = ItemRect(row, LVIR_BOUNDS);
    int y = (bounds.top + bounds.bottom) / 2;
    int first = -1, last = -1;
    for (int x = bounds.left; x < bounds.right; ++x) {
      LVHITTESTINFO hit = HitTest({x, y});
      // The row's very edge can answer every part at once; that is no place to click.
      bool on = hit.iItem == row && (hit.flags & LVHT_ONITEM) == wanted;
      if (on && first < 0) first = x;
      if (on) last = x;
      if (!on && first >= 0) break;
    }
    if (first < 0) Fail(L"row " + std::to_wstring(row) + L" shows no " + std::wstring(what));
    return {(first + last) / 2, y};
  }

  void Click(POINT point) {
    // Posted clicks would reach a disabled list; a user's would not.
    if (!IsWindowEnabled(window_) || !IsWindowEnabled(GetAncestor(window_, GA_ROOT))) {
      Fail(L"the list view or the main window is disabled");
    }
    LPARAM where = MAKELPARAM(point.x, point.y);
    Post(window_, WM_LBUTTONDOWN, MK_LBUTTON, where);
    Post(window_, WM_LBUTTONUP, 0, where);
  }

 private:
  HWND window_;
  RemoteMemory memory_;
};

std::wstring StatusPartText(HWND bar, WPARAM part) {
  size_t length = LOWORD(Send(bar, SB_GETTEXTLENGTHW, part, 0));
  if (length == 0) return {};
  RemoteMemory memory(bar, (length + 1) * sizeof(wchar_t));
  Send(bar, SB_GETTEXTW, part, memory.Param());
  return memory.ReadText(memory.At<wchar_t>(), length);
}

// WM_GETTEXT is no use here: Wine's status bar answers it with nothing.
std::wstring StatusText(HWND bar) {
  if (!Send(bar, SB_ISSIMPLE, 0, 0)) return StatusPartText(bar, 0);
  // Wine gives the simple text as part 0 and nothing as SB_SIMPLEID.
  std::wstring text = StatusPartText(bar, SB_SIMPLEID);
  return text.empty() ? StatusPartText(bar, 0) : text;
}

std::wstring ControlText(int id) {
  HWND control = Control(id);
  return IsClass(control, STATUSCLASSNAMEW) ? StatusText(control) : TextOf(control);
}

// Optional trailing SECONDS after the fixed arguments.
double SecondsArg(const std::vector<std::wstring>& args, size_t fixed) {
  if (args.size() > fixed + 1) throw UsageError("too many arguments");
  return args.size() == fixed + 1 ? ParseSeconds(args[fixed]) : kDefaultSeconds;
}

void Need(const std::vector<std::wstring>& args, size_t count) {
  if (args.size() < count) throw UsageError("missing arguments");
}

void NoMore(const std::vector<std::wstring>& args, size_t count) {
  if (args.size() > count) throw UsageError("too many arguments");
}

void WaitGone(HWND window, double seconds) {
  bool gone = PollUntil(seconds, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
  if (!gone) {
    Fail(L"window " + Quoted(TitleOf(window)) + L" (" + Hex(window) + L") is still open");
  }
}

// A visible, enabled window that a dialog owns: the question it asks before it closes.
HWND OwnedBox(HWND owner) {
  for (HWND window : TopLevelWindows()) {
    if (GetWindow(window, GW_OWNER) == owner && IsWindowEnabled(window)) return window;
  }
  return nullptr;
}

std::wstring ChildTexts(HWND window) {
  std::wstring texts;
  for (HWND child : Descendants(window)) {
    if (!IsWindowVisible(child) || !IsClass(child, L"Static")) continue;
    std::wstring text = TextOf(child);
    if (!text.empty()) texts += (texts.empty() ? L"" : L" ") + text;
  }
  return texts;
}

// Wine builds task dialogs from ordinary controls and marks them with this property; Windows
// draws theirs in one DirectUIHWND child.
bool IsTaskDialog(HWND dialog) {
  if (!IsClass(dialog, L"#32770")) return false;
  if (GetPropW(dialog, L"TaskDialogInfo")) return true;
  for (HWND child : Descendants(dialog)) {
    if (IsClass(child, L"DirectUIHWND")) return true;
  }
  return false;
}

void PressButton(HWND dialog, int id) {
  HWND button = nullptr;
  bool any_button = false;
  for (HWND child : Descendants(dialog)) {
    if (!IsClass(child, L"Button") || !IsWindowVisible(child)) continue;
    any_button = true;
    if (GetDlgCtrlID(child) == id) {
      button = child;
      break;
    }
  }
  bool task = IsTaskDialog(dialog);
  // TDM_CLICK_BUTTON ends a task dialog with any ID, so it is checked against the buttons shown
  // wherever they are windows.
  if (!button && (!task || any_button)) {
    Fail(L"window " + Quoted(TitleOf(dialog)) + L" has no button " + std::to_wstring(id));
  }
  if (button && !IsWindowEnabled(button)) {
    Fail(L"button " + std::to_wstring(id) + L" is disabled");
  }
  if (task) {
    Post(dialog, kTdmClickButton, id, 0);
  } else {
    Post(button, BM_CLICK, 0, 0);
  }
}

void PressEscape(HWND dialog) {
  // The key goes where the keyboard would send it: the dialog's focus, so that the program's
  // message loop sees it as typed.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  HWND target = dialog;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui) && gui.hwndFocus &&
      (gui.hwndFocus == dialog || IsChild(dialog, gui.hwndFocus))) {
    target = gui.hwndFocus;
  }
  UINT scan = MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC);
  Post(target, WM_KEYDOWN, VK_ESCAPE, 1 | (scan << 16));
  Post(target, WM_KEYUP, VK_ESCAPE, 1 | (scan << 16) | (3u << 30));
}

HWND SaveDialog(double seconds) {
  HWND found = nullptr;
  bool up = PollUntil(seconds, [&] {
    for (HWND window : TopLevelWindows()) {
      if (IsClass(window, L"#32770") && TitleOf(window) == kSaveTitle) {
        found = window;
        return true;
      }
    }
    return false;
  });
  if (!up) Fail(L"no save dialog " + Quoted(kSaveTitle));
  return found;
}

HWND FileNameBox(HWND dialog) {
  for (int id : {kFileNameCombo, kFileNameEdit}) {
    for (HWND child : Descendants(dialog)) {
      if (GetDlgCtrlID(child) == id && IsWindowVisible(child)) return child;
    }
  }
  Fail(L"the save dialog has no file name box");
}

POINT Centre(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void MovePointer(POINT point) {
  // Wine moves the display's pointer only when its own idea of the position changes, and that
  // idea can be stale in a virtual desktop: a step beside the target first makes both moves real.
  // The step stays in the target's window, so that no other control sees the pointer pass.
  HWND target = WindowFromPoint(point);
  POINT beside{point.x + 1, point.y};
  for (POINT step : {POINT{point.x + 1, point.y}, POINT{point.x - 1, point.y},
                     POINT{point.x, point.y + 1}, POINT{point.x, point.y - 1}}) {
    if (WindowFromPoint(step) == target) {
      beside = step;
      break;
    }
  }
  if (!SetCursorPos(beside.x, beside.y) || !SetCursorPos(point.x, point.y)) {
    Fail(L"cannot move the pointer");
  }
  POINT now{};
  bool there =
      PollUntil(5, [&] { return GetCursorPos(&now) && now.x == point.x && now.y == point.y; });
  if (!there) Fail(L"the pointer did not move");
}

bool IsSelfOrChild(HWND window, HWND parent) { return window == parent || IsChild(parent, window); }

// A point of the main window where no control is, to rest the pointer on.
POINT BarePoint(HWND main) {
  RECT client;
  GetClientRect(main, &client);
  for (int y = client.top + 2; y < client.bottom; y += 4) {
    for (int x = client.left + 2; x < client.right; x += 4) {
      POINT point{x, y};
      ClientToScreen(main, &point);
      if (WindowFromPoint(point) == main) return point;
    }
  }
  Fail(L"the main window has no bare spot to rest the pointer on");
}

// --- commands ---

void Windows(const std::vector<std::wstring>& args) {
  NoMore(args, 0);
  for (HWND window : TopLevelWindows()) {
    Print(Hex(window) + L"\t" + ClassOf(window) + L"\t" + OneLine(TitleOf(window)));
  }
}

void WaitWindow(const std::vector<std::wstring>& args) {
  Need(args, 2);
  const std::wstring &wanted_class = args[0], &title = args[1];
  double seconds = SecondsArg(args, 2);
  HWND found = nullptr;
  bool up = PollUntil(seconds, [&] {
    for (HWND window : TopLevelWindows()) {
      if ((wanted_class == L"*" || IsClass(window, wanted_class)) &&
          (title == L"*" || TitleOf(window) == title)) {
        found = window;
        return true;
      }
    }
    return false;
  });
  if (!up) Fail(L"no window of class " + Quoted(wanted_class) + L" titled " + Quoted(title));
  Print(Hex(found));
}

void WaitGoneCommand(const std::vector<std::wstring>& args) {
  Need(args, 1);
  double seconds = SecondsArg(args, 1);
  if (!PollUntil(seconds, [&] { return Lookup(args[0]) == nullptr; })) {
    Fail(L"window " + Quoted(args[0]) + L" is still open");
  }
}

void Tree(const std::vector<std::wstring>& args) {
  Need(args, 1);
  HWND root = WaitFor(args[0], SecondsArg(args, 1));
  for (HWND window : Descendants(root)) {
    std::wstring indent;
    for (HWND up = GetParent(window); up && up != root; up = GetParent(up)) indent += L"  ";
    Print(indent + Hex(window) + L"\t" + ClassOf(window) + L"\t" +
          std::to_wstring(GetDlgCtrlID(window)) + L"\t" + (IsWindowVisible(window) ? L"v" : L"-") +
          L"\t" + OneLine(TextOf(window)));
  }
}

void Rows(const std::vector<std::wstring>& args) {
  NoMore(args, 0);
  List list;
  int count = list.Count();
  for (int row = 0; row < count; ++row) {
    Print(std::to_wstring(row) + L"\t" + (list.Checked(row) ? L"x" : L".") + L"\t" +
          OneLine(list.Caption(row)));
  }
}

void SelectedCommand(const std::vector<std::wstring>& args) {
  NoMore(args, 0);
  List list;
  Print(std::to_wstring(list.Selected()));
}

void Check(const std::vector<std::wstring>& args) {
  Need(args, 2);
  if (args.size() > 3 || (args.size() == 3 && args[2] != L"--set-state")) {
    throw UsageError("check ROW on|off [--set-state]");
  }
  int row = ParseInt(args[0], "ROW");
  if (args[1] != L"on" && args[1] != L"off") throw UsageError("check takes on or off");
  bool want = args[1] == L"on";
  List list;
  list.RequireRow(row);
  if (list.Checked(row) == want) return;
  if (args.size() == 3) {
    list.SetState(row, INDEXTOSTATEIMAGEMASK(want ? 2 : 1), LVIS_STATEIMAGEMASK);
  } else {
    list.Click(list.PointOn(row, LVHT_ONITEMSTATEICON, L"check box"));
  }
  if (!PollUntil(kDefaultSeconds, [&] { return list.Checked(row) == want; })) {
    Fail(L"row " + std::to_wstring(row) + L" did not turn " + args[1]);
  }
}

void Select(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  int row = ParseInt(args[0], "ROW");
  List list;
  list.RequireRow(row);
  list.Click(list.PointOn(row, LVHT_ONITEMLABEL, L"caption"));
  if (!PollUntil(kDefaultSeconds, [&] { return list.Selected() == row; })) {
    Fail(L"row " + std::to_wstring(row) + L" did not become selected");
  }
}

void Text(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  Print(WithoutCarriageReturns(ControlText(ParseInt(args[0], "ID"))));
}

void WaitText(const std::vector<std::wstring>& args, bool whole) {
  Need(args, 2);
  int id = ParseInt(args[0], "ID");
  std::wstring expected = Unescape(args[1]);
  double seconds = SecondsArg(args, 2);
  bool raw = expected.find(L'\r') != std::wstring::npos;
  std::wstring text;
  bool met = PollUntil(seconds, [&] {
    text = ControlText(id);
    if (!raw) text = WithoutCarriageReturns(text);
    return whole ? text == expected : text.find(expected) != std::wstring::npos;
  });
  if (!met) {
    Fail(L"control " + args[0] + L" reads " + Quoted(text) + L", not " +
         (whole ? L"" : L"containing ") + Quoted(expected));
  }
}

void Click(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  int id = ParseInt(args[0], "ID");
  HWND button = Control(id);
  if (!IsWindowVisible(button)) Fail(L"control " + args[0] + L" is hidden");
  if (!IsWindowEnabled(button)) Fail(L"control " + args[0] + L" is disabled");
  // A modal box disables the main window; a user could not click through it.
  if (!IsWindowEnabled(GetAncestor(button, GA_ROOT))) Fail(L"the main window is disabled");
  // Posted: the click may open a modal box, and a sent BM_CLICK would wait for it to close.
  Post(button, BM_CLICK, 0, 0);
}

void Hover(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  HWND control = Control(ParseInt(args[0], "ID"));
  POINT centre = Centre(control);
  if (!IsSelfOrChild(WindowFromPoint(centre), control)) {
    Fail(L"control " + args[0] + L" is covered at its centre");
  }
  MovePointer(centre);
}

void Leave(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  HWND control = Control(ParseInt(args[0], "ID"));
  MovePointer(BarePoint(MainWindow()));
  POINT now{};
  GetCursorPos(&now);
  if (IsSelfOrChild(WindowFromPoint(now), control)) Fail(L"the pointer is still on the control");
}

void Dialog(const std::vector<std::wstring>& args) {
  Need(args, 1);
  HWND dialog = WaitFor(args[0], SecondsArg(args, 1));
  Print(L"class\t" + ClassOf(dialog));
  Print(L"title\t" + OneLine(TitleOf(dialog)));
  Print(std::wstring(L"task\t") + (IsTaskDialog(dialog) ? L"yes" : L"no"));
  for (HWND child : Descendants(dialog)) {
    if (!IsWindowVisible(child)) continue;
    std::wstring id = std::to_wstring(GetDlgCtrlID(child));
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if (IsClass(child, L"Static") || IsClass(child, L"SysLink")) {
      UINT kind = style & SS_TYPEMASK;
      if (IsClass(child, L"Static") && (kind == SS_ICON || kind == SS_BITMAP)) continue;
      std::wstring text = TextOf(child);
      if (!text.empty()) Print(L"text\t" + OneLine(text));
    } else if (IsClass(child, L"Button")) {
      UINT kind = style & BS_TYPEMASK;
      const wchar_t* name = L"button";
      if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
          kind == BS_AUTO3STATE) {
        name = L"check";
      } else if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
        name = L"radio";
      } else if (kind == BS_GROUPBOX) {
        name = L"group";
      }
      Print(std::wstring(name) + L"\t" + id + L"\t" + OneLine(TextOf(child)));
    } else if (IsClass(child, L"Edit")) {
      Print(L"edit\t" + id + L"\t" + OneLine(TextOf(child)));
    }
  }
}

void Answer(const std::vector<std::wstring>& args) {
  Need(args, 2);
  double seconds = SecondsArg(args, 2);
  HWND dialog = WaitFor(args[0], seconds);
  if (args[1] == L"escape") {
    PressEscape(dialog);
  } else if (args[1] == L"close") {
    Post(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  } else {
    PressButton(dialog, ParseInt(args[1], "the answer"));
  }
  WaitGone(dialog, seconds);
}

void SaveName(const std::vector<std::wstring>& args) {
  double seconds = SecondsArg(args, 0);
  Print(TextOf(FileNameBox(SaveDialog(seconds))));
}

void SaveAs(const std::vector<std::wstring>& args) {
  Need(args, 1);
  double seconds = SecondsArg(args, 1);
  HWND dialog = SaveDialog(seconds);
  HWND box = FileNameBox(dialog);
  Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[0].c_str()));
  if (TextOf(box) != args[0]) Fail(L"the file name box did not take " + Quoted(args[0]));
  PressButton(dialog, IDOK);
  HWND question = nullptr;
  bool closed = PollUntil(seconds, [&] {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
    question = OwnedBox(dialog);
    return question != nullptr;
  });
  if (!closed) Fail(L"the save dialog is still open");
  if (question) {
    Fail(L"the save dialog asks " + Quoted(TitleOf(question)) + L": " +
         Quoted(ChildTexts(question)));
  }
}

void SaveCancel(const std::vector<std::wstring>& args) {
  double seconds = SecondsArg(args, 0);
  HWND dialog = SaveDialog(seconds);
  PressButton(dialog, IDCANCEL);
  WaitGone(dialog, seconds);
}

void Close(const std::vector<std::wstring>& args) {
  Need(args, 1);
  Post(WaitFor(args[0], SecondsArg(args, 1)), WM_CLOSE, 0, 0);
}

void Rect(const std::vector<std::wstring>& args) {
  Need(args, 1);
  RECT rect;
  GetWindowRect(WaitFor(args[0], SecondsArg(args, 1)), &rect);
  Print(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
        std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
}

void Pause(const std::vector<std::wstring>& args) {
  NoMore(args, 1);
  if (args.empty()) throw UsageError("pause SECONDS");
  Sleep(static_cast<DWORD>(ParseSeconds(args[0]) * 1000));
}

// The window holding the keyboard focus in the main window's thread, which shows its dialogs too.
HWND ProgramFocus() {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), nullptr), &gui) || !gui.hwndFocus) {
    Fail(L"no window of the program has the keyboard focus");
  }
  return gui.hwndFocus;
}

void Focus(const std::vector<std::wstring>& args) {
  NoMore(args, 0);
  HWND focus = ProgramFocus();
  Print(std::to_wstring(GetDlgCtrlID(focus)) + L"\t" + ClassOf(focus) + L"\t" +
        OneLine(TextOf(focus)));
}

void Key(const std::vector<std::wstring>& args) {
  Need(args, 1);
  NoMore(args, 1);
  const std::wstring& name = args[0];
  struct Named {
    const wchar_t* name;
    WORD key;
  };
  constexpr Named kKeys[] = {{L"tab", VK_TAB},
                             {L"down", VK_DOWN},
                             {L"up", VK_UP},
                             {L"space", VK_SPACE},
                             {L"enter", VK_RETURN}};
  WORD key = 0;
  wchar_t typed = 0;
  bool alt = false;
  for (const Named& named : kKeys) {
    if (name == named.name) key = named.key;
  }
  std::wstring_view letter = name;
  if (letter.substr(0, 4) == L"alt+") {
    alt = true;
    letter.remove_prefix(4);
  }
  if (!key && letter.size() == 1 && iswalpha(letter[0])) {
    typed = towlower(letter[0]);
    key = static_cast<WORD>(towupper(letter[0]));
  }
  if (!key || (alt && !typed))
    throw UsageError("key takes tab, down, up, space, enter, a letter or alt+LETTER");
  if (key == VK_SPACE || key == VK_RETURN) typed = key == VK_SPACE ? L' ' : L'\r';
  HWND target = ProgramFocus();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  // With Alt held the keys are system keys, and bit 29 says so.
  const LPARAM context = alt ? (1 << 29) : 0;
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
  Post(target, down, key, 1 | scan | context);
  if (typed) Post(target, alt ? WM_SYSCHAR : WM_CHAR, typed, 1 | scan | context);
  Post(target, up, key, 1 | scan | context | (3u << 30));
}

struct Command {
  const wchar_t* name;
  void (*run)(const std::vector<std::wstring>&);
};

const Command kCommands[] = {
    {L"windows", Windows},
    {L"wait-window", WaitWindow},
    {L"wait-gone", WaitGoneCommand},
    {L"tree", Tree},
    {L"rows", Rows},
    {L"selected", SelectedCommand},
    {L"check", Check},
    {L"select", Select},
    {L"text", Text},
    {L"wait-text", [](const std::vector<std::wstring>& args) { WaitText(args, true); }},
    {L"wait-contains", [](const std::vector<std::wstring>& args) { WaitText(args, false); }},
    {L"click", Click},
    {L"hover", Hover},
    {L"leave", Leave},
    {L"dialog", Dialog},
    {L"answer", Answer},
    {L"save-name", SaveName},
    {L"save-as", SaveAs},
    {L"save-cancel", SaveCancel},
    {L"close", Close},
    {L"rect", Rect},
    {L"pause", Pause},
    {L"focus", Focus},
    {L"key", Key},
};

// Runs one command; its exit status.
int Run(const std::wstring& name, const std::vector<std::wstring>& args) {
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    try {
      command.run(args);
      fflush(stdout);
      return 0;
    } catch (const UsageError& error) {
      fprintf(stderr, "qmdrive %s: %s\n", Utf8(name).c_str(), error.what());
      return 2;
    } catch (const Failure& error) {
      fflush(stdout);
      fprintf(stderr, "qmdrive %s: %s\n", Utf8(name).c_str(), error.what());
      return 1;
    }
  }
  fprintf(stderr, "qmdrive: no command %s\n", Utf8(name).c_str());
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Plain \n line ends, whatever reads the pipe.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // Screen pixels, for the screenshots cut out of the display.
  SetProcessDPIAware();
  int first = 1;
  if (argc > 2 && std::wstring_view(argv[1]) == L"--desktop") {
    // A named virtual desktop (explorer /desktop=NAME,WxH) keeps its windows to itself.
    HDESK desktop = OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL);
    if (!desktop || !SetThreadDesktop(desktop)) {
      fprintf(stderr, "qmdrive: cannot enter desktop %s\n", Utf8(argv[2]).c_str());
      return 1;
    }
    first = 3;
  }
  if (argc <= first) {
    fputs("usage: qmdrive [--desktop NAME] COMMAND [ARGS...]; see qmdrive.cpp for the commands\n",
          stderr);
    return 2;
  }
  std::vector<std::wstring> words(argv + first, argv + argc);
  for (size_t begin = 0; begin <= words.size();) {
    size_t end = begin;
    while (end < words.size() && words[end] != L";") ++end;
    if (end == begin) {
      fputs("qmdrive: a \";\" with no command before or after it\n", stderr);
      return 2;
    }
    const std::vector<std::wstring> args(words.begin() + begin + 1, words.begin() + end);
    if (int status = Run(words[begin], args); status != 0) return status;
    begin = end + 1;
  }
  return 0;
}
