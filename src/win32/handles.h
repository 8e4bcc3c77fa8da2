// Every owner of a Win32 handle: each frees its handle once, with the call that handle needs.
// Move-only.
#pragma once

#include <windows.h>
//
#include <commctrl.h>

#include "core/unique_owner.h"

namespace quillmark::win32 {

// Frees a handle with a plain function of the platform's.
template <auto Free>
struct FreeWith {
  template <typename T>
  void operator()(T handle) const {
    Free(handle);
  }
};

template <typename T, auto Free, T Invalid = T{}>
using UniqueHandle = UniqueOwner<T, FreeWith<Free>, Invalid>;

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
using UniqueImageList = UniqueHandle<HIMAGELIST, DestroyImageList>;

// Gives a device context back to the window it came from.
struct ReleaseToWindow {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};

// A window's device context (the screen's for a null window), released to that window.
class WindowDc : public UniqueOwner<HDC, ReleaseToWindow> {
 public:
  explicit WindowDc(HWND window) : UniqueOwner(GetDC(window), ReleaseToWindow{window}) {}
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
