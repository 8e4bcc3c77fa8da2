#include "win32/windows_program.h"

#include <objbase.h>

#include <memory>
#include <optional>

#include "app/startup_sequence.h"
#include "app/tform1.h"
#include "registry/win32_registry.h"
#include "sysinfo/simulated_windows7.h"
#include "sysinfo/win32_system_queries.h"
#include "win32/about_box_window.h"
#include "win32/creation_failure.h"
#include "win32/handles.h"
#include "win32/main_window.h"
#include "win32/message_dialog.h"
#include "win32/save_dialog.h"
#include "win32/shell_open.h"
#include "win32/win32_failure_box.h"
#include "win32/window_class.h"

namespace quillmark::win32 {
namespace {

constexpr char kApplicationWindowClass[] = "TApplication";

class Win32Shell final : public ShellPlatform, public AboutBoxWindow {
 public:
  Win32Shell(HINSTANCE instance, int show_command, SystemIdentity identity)
      : instance_(instance), show_command_(show_command), identity_(identity) {}
  ~Win32Shell() override {
    DestroyWindows();
    if (com_initialized_) CoUninitialize();
  }

  void IdentifySystem() override {
    if (identity_ == SystemIdentity::SimulatedWindows7) {
      SimulatedWindows7 queries(registry_);
      IdentifyOnce(queries);
    } else {
      Win32SystemQueries queries;
      IdentifyOnce(queries);
    }
  }
  const IdentificationResults& Identification() override { return StartupResults(); }

  void InitializeApplication() override {
    com_initialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = instance_;
    window_class.lpszClassName = kApplicationWindowClass;
    RegisterWindowClass(window_class);
    Win32MainWindow::RegisterWindowClass(instance_);
  }

  // The hidden application window keeps an empty title and stays off the task bar; the main
  // window has the button.
  void SetMainWindowOnTaskBar() override {
    SetLastError(ERROR_SUCCESS);
    application_window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kApplicationWindowClass, "",
                                              WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                                              nullptr));
    if (!application_window_) ThrowCreationFailure("The application window");
    failure_box_.emplace(application_window_.get());
    dialog_.emplace(application_window_.get());
  }
  // The title names the error boxes; the application window's own title stays empty.
  void SetApplicationTitle(const std::string&) override {}

  MainWindowControls CreateMainWindow() override {
    main_ = std::make_unique<Win32MainWindow>(instance_, *failure_box_);
    save_dialog_.emplace(main_->Handle());
    return {main_->lv1(), main_->mmo1(), main_->stsbr1(), *dialog_,      *main_,
            *main_,       *save_dialog_, *this,           SystemFiles(), *failure_box_};
  }
  void CreateAboutBox() override {
    // The maker's address opens with the application window as owner.
    shell_open_.emplace(application_window_.get());
    about_ =
        std::make_unique<Win32AboutBox>(instance_, main_->Handle(), *shell_open_, *failure_box_);
  }
  void ShowModal() override {
    if (about_) about_->ShowModal();
  }

  void RunMessageLoop(TForm1& form) override {
    main_->AttachForm(&form);
    main_->Show(show_command_);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      ReportFailures(*failure_box_, [&] {
        HWND window = main_->Handle();
        if (window && IsDialogMessageA(window, &message)) return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      });
    }
    DestroyWindows();
  }

  RegistryApi& Registry() override { return registry_; }
  FailureBoxApi& FailureBox() override {
    if (!failure_box_) failure_box_.emplace(nullptr);
    return *failure_box_;
  }

 private:
  void DestroyWindows() {
    about_.reset();
    main_.reset();
    application_window_.reset();
  }

  HINSTANCE instance_;
  int show_command_;
  SystemIdentity identity_;
  bool com_initialized_ = false;
  Win32Registry registry_;
  UniqueWindow application_window_;
  std::optional<Win32FailureBox> failure_box_;
  std::optional<Win32MessageDialog> dialog_;
  std::unique_ptr<Win32MainWindow> main_;
  std::optional<Win32SaveDialog> save_dialog_;
  std::optional<Win32ShellOpen> shell_open_;
  std::unique_ptr<Win32AboutBox> about_;
};

}  // namespace

int RunWindowsProgram(HINSTANCE instance, int show_command, SystemIdentity identity) {
  Win32Shell shell(instance, show_command, identity);
  return RunProgram(shell);
}

}  // namespace quillmark::win32
