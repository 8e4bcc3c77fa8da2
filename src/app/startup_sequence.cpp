#include "app/startup_sequence.h"

#include "app/tform1.h"
#include "platform/application_title.h"

namespace quillmark {

int RunProgram(ShellPlatform& shell) {
  // A system that cannot be identified is reported, and with no edition the gate refuses it.
  ReportFailures(shell.FailureBox(), [&] { shell.IdentifySystem(); });
  shell.InitializeApplication();
  shell.SetMainWindowOnTaskBar();
  shell.SetApplicationTitle(kApplicationTitle);
  TForm1 form(shell.Registry(), shell.CreateMainWindow(), shell.Identification());
  // The creation step reports a failure of the handler and completes the window all the same.
  ReportFailures(shell.FailureBox(), [&] { form.FormCreate(); });
  shell.CreateAboutBox();
  shell.RunMessageLoop(form);
  return 0;
}

}  // namespace quillmark
