#include "app/startup_sequence.h"

#include <optional>

#include "app/tform1.h"
#include "core/application_title.h"

namespace quillmark {

int RunProgram(ShellPlatform& shell) {
  // A system that cannot be identified is reported, and with no edition the gate refuses it.
  ReportFailures(shell.FailureBox(), [&] { shell.IdentifySystem(); });
  // Any other failure that reaches this far ends the program, reported.
  int exit_code = 1;
  ReportFailures(shell.FailureBox(), [&] {
    shell.InitializeApplication();
    shell.SetMainWindowOnTaskBar();
    shell.SetApplicationTitle(kApplicationTitle);
    // Without its window the program has nothing to show.
    std::optional<MainWindowControls> controls;
    if (!ReportFailures(shell.FailureBox(), [&] { controls.emplace(shell.CreateMainWindow()); }))
      return;
    TForm1 form(shell.Registry(), *controls, shell.Identification());
    // The creation step reports a failure of the handler and completes the window all the same.
    ReportFailures(shell.FailureBox(), [&] { form.FormCreate(); });
    // Without the about box the program works on; its button then shows nothing.
    ReportFailures(shell.FailureBox(), [&] { shell.CreateAboutBox(); });
    shell.RunMessageLoop(form);
    exit_code = 0;
  });
  return exit_code;
}

}  // namespace quillmark
