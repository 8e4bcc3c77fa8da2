// The program from start to exit: identify the system, prepare the application, create the main
// window and run its creation handler, create the about box, run the message loop, exit 0.
#pragma once

#include <string>

#include "app/shell_controls.h"
#include "core/failure_report.h"
#include "registry/registry_api.h"
#include "sysinfo/startup_identification.h"

namespace quillmark {

class TForm1;

// The windowing system's side of start-up.
class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;
  // The start-up identification; the real shell runs it once per process.
  virtual void IdentifySystem() = 0;
  virtual const IdentificationResults& Identification() = 0;
  // Initialises the application object and the component-object services (single-threaded).
  virtual void InitializeApplication() = 0;
  // The main window owns the task-bar button; the hidden application window has no title.
  virtual void SetMainWindowOnTaskBar() = 0;
  virtual void SetApplicationTitle(const std::string& title) = 0;
  // Builds the main window and its controls, not yet shown.
  virtual MainWindowControls CreateMainWindow() = 0;
  virtual void CreateAboutBox() = 0;
  // Shows the main window as the show command says and dispatches messages, failures reported,
  // until termination is requested.
  virtual void RunMessageLoop(TForm1& form) = 0;
  virtual RegistryApi& Registry() = 0;
  virtual FailureBoxApi& FailureBox() = 0;
};

// Returns the exit code: 0, or 1 when the main window could not be made or start-up failed
// otherwise; every failure is reported in the error box first.
int RunProgram(ShellPlatform& shell);

}  // namespace quillmark
