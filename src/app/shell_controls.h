// What the main window's logic needs of its controls and of the application, as small
// interfaces: the Win32 layer implements them with real windows, the tests headless.
#pragma once

#include <optional>
#include <string>

#include "core/failure_report.h"
#include "fileio/file_api.h"
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

// The one modal dialog of the shell.
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

// The main window as a whole.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  // The same close request as the title bar's close box: it runs FormCloseQuery, then the
  // window closes and the program ends.
  virtual void Close() = 0;
};

// How the save dialog is set up; the file name it proposes is passed on each showing.
struct SaveDialogSettings {
  const char* title;
  const char* filter_description;
  const char* filter_pattern;
  const char* default_extension;
};

// The platform's save-file dialog, modal to the main window.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> Execute(const SaveDialogSettings& settings,
                                             const std::string& proposed_name) = 0;
};

// The about box window: shown modally, hidden again when it closes, whichever way.
class AboutBoxWindow {
 public:
  virtual ~AboutBoxWindow() = default;
  virtual void ShowModal() = 0;
};

struct MainWindowControls {
  TweakList& lv1;
  TextMemo& mmo1;
  StatusBar& stsbr1;
  MessageDialog& dialog;
  ApplicationControl& application;
  FormWindow& window;
  SaveDialog& SaveDialog1;
  AboutBoxWindow& about_box;
  FileApi& files;
  FailureBoxApi& failure_box;
};

}  // namespace quillmark
