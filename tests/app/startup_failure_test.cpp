// Start-up steps that fail: whatever a step throws reaches the error box, a missing main window
// ends the program with exit code 1, and a missing about box leaves the program running.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/headless_shell.h"
#include "support/project_version.h"

namespace quillmark::testing {
namespace {

using Events = std::vector<std::string>;

enum class Step { MainWindow, AboutBox, Loop };
enum class Thrown { Failure, StandardException, Other };

// The headless shell with one step that throws instead of doing its work.
class FailingShell final : public ShellPlatform {
 public:
  FailingShell(HeadlessShell& shell, Step step, Thrown thrown)
      : shell_(shell), step_(step), thrown_(thrown) {}

  void IdentifySystem() override { shell_.IdentifySystem(); }
  const IdentificationResults& Identification() override { return shell_.Identification(); }
  void InitializeApplication() override { shell_.InitializeApplication(); }
  void SetMainWindowOnTaskBar() override { shell_.SetMainWindowOnTaskBar(); }
  void SetApplicationTitle(const std::string& title) override { shell_.SetApplicationTitle(title); }
  MainWindowControls CreateMainWindow() override {
    if (step_ == Step::MainWindow) Throw();
    return shell_.CreateMainWindow();
  }
  void CreateAboutBox() override {
    if (step_ == Step::AboutBox) Throw();
    shell_.CreateAboutBox();
  }
  void RunMessageLoop(TForm1& form) override {
    if (step_ == Step::Loop) Throw();
    shell_.RunMessageLoop(form);
  }
  RegistryApi& Registry() override { return shell_.Registry(); }
  FailureBoxApi& FailureBox() override { return shell_.FailureBox(); }

 private:
  void Throw() {
    if (thrown_ == Thrown::Failure) throw Exception("The window could not be created");
    if (thrown_ == Thrown::StandardException) throw std::runtime_error("out of memory");
    throw 42;
  }

  HeadlessShell& shell_;
  Step step_;
  Thrown thrown_;
};

const std::string kUltimate =
    std::string(kFreshWindows7) +
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
    "\"EditionID\"=\"Ultimate\"\n";
const char* const kBox = "error box \"" QUILLMARK_PROJECT_TITLE "\": ";

TEST(StartUpFailure, EveryKindOfFailureOfAStepIsReportedAndOnlyAMissingWindowEndsTheProgram) {
  const Events start = {"identify", "initialize application", "main window on the task bar",
                        "title " QUILLMARK_PROJECT_TITLE};
  struct Case {
    Step step;
    Thrown thrown;
    const char* shown;
    int exit_code;
    Events after_start;  // the failure box marked by "*"
  };
  const Case cases[] = {
      {Step::MainWindow, Thrown::Failure, "The window could not be created.", 1, {"*"}},
      {Step::MainWindow, Thrown::StandardException, "out of memory.", 1, {"*"}},
      {Step::MainWindow, Thrown::Other, "An unknown failure stopped the last action.", 1, {"*"}},
      {Step::AboutBox,
       Thrown::Failure,
       "The window could not be created.",
       0,
       {"create main window", "*", "show main window", "loop runs"}},
      {Step::AboutBox,
       Thrown::Other,
       "An unknown failure stopped the last action.",
       0,
       {"create main window", "*", "show main window", "loop runs"}},
      {Step::Loop,
       Thrown::Other,
       "An unknown failure stopped the last action.",
       1,
       {"create main window", "create about box", "*"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step) * 10 + static_cast<int>(c.thrown));
    HeadlessShell headless(kUltimate);
    FailingShell shell(headless, c.step, c.thrown);
    EXPECT_EQ(RunProgram(shell), c.exit_code);
    Events expected = start;
    for (const std::string& event : c.after_start)
      expected.push_back(event == "*" ? kBox + std::string(c.shown) : event);
    EXPECT_EQ(headless.Events(), expected);
    EXPECT_EQ(headless.FailureBoxes(),
              (Events{"cancel mouse capture", kBox + std::string(c.shown)}));
  }
}

}  // namespace
}  // namespace quillmark::testing
