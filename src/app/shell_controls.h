// What the main window's logic needs of its controls and of the application, as small
// interfaces: the Win32 layer implements them with real windows, the tests headless.
#pragma once

#include <string>

#include "tweaks/text_memo.h"
#include "tweaks/tweak_list.h"

namespace quillmark {

enum class DialogKind { Error, Information, Confirmation };

// The buttons of a message dialog, combined with |.
enum DialogButtons : unsigned { kButtonYes = 1, kButtonNo = 2, kButtonOk = 4 };

// What a message dialog returns: the button pressed, or kDialogClosed without one.
inline constexpr int kDialogYes = 6;
inline constexpr int kDialogNo = 7;
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogClosed = 2;

class MessageDialog {
 public:
  virtual ~MessageDialog() = default;
  virtual int Show(DialogKind kind, const std::string& text, unsigned buttons) = 0;
};

class StatusBar {
 public:
  virtual ~StatusBar() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
};

class ApplicationControl {
 public:
  virtual ~ApplicationControl() = default;
  // Posts a quit request: the message loop ends when it takes it.
  virtual void Terminate() = 0;
};

struct MainWindowControls {
  TweakList& lv1;
  TextMemo& mmo1;
  StatusBar& stsbr1;
  MessageDialog& dialog;
  ApplicationControl& application;
};

}  // namespace quillmark
