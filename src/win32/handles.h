// Move-only owners of Win32 handles: each frees its handle once, with the call that handle needs.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include <utility>

namespace quillmark::win32 {

template <typename T, auto Free, T Invalid = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Invalid));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  T release() { return std::exchange(handle_, Invalid); }
  void reset(T handle = Invalid) {
    if (handle_ != Invalid) Free(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = Invalid;
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void FreeLibraryHandle(HMODULE module) { FreeLibrary(module); }

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using UniqueLibrary = UniqueHandle<HMODULE, FreeLibraryHandle>;

// A window's device context, released to that window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a device context for a scope and puts the old one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace quillmark::win32
