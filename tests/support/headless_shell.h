// A shell without windows: it records what start-up asks of it, in order, and answers every
// message dialog with a chosen button.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/startup_sequence.h"
#include "app/tform1.h"
#include "regfile/registry_script.h"
#include "stores/memory_registry.h"
#include "support/instrumented_store.h"
#include "support/recording_failure_box.h"
#include "sysinfo/simulated_windows7.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/text_memo.h"

namespace quillmark::testing {

class HeadlessShell final : public ShellPlatform,
                            public MessageDialog,
                            public StatusBar,
                            public ApplicationControl,
                            public FormWindow,
                            public SaveDialog,
                            public AboutBoxWindow {
 public:
  explicit HeadlessShell(const std::string& script)
      : registry(LoadSnapshot(script)), store(registry) {}

  // The shell's own record, failure boxes included, in the order things happened.
  const std::vector<std::string>& Events() const { return events_; }

  void IdentifySystem() override {
    events_.push_back("identify");
    if (use_given_identification) return;
    SimulatedWindows7 system(store);
    Identify(system, identification);
  }
  const IdentificationResults& Identification() override { return identification; }
  void InitializeApplication() override { events_.push_back("initialize application"); }
  void SetMainWindowOnTaskBar() override { events_.push_back("main window on the task bar"); }
  void SetApplicationTitle(const std::string& title) override {
    events_.push_back("title " + title);
  }
  MainWindowControls CreateMainWindow() override {
    events_.push_back("create main window");
    return {list, memo, *this, *this, *this, *this, *this, *this, *files, failure_box_};
  }
  void CreateAboutBox() override { events_.push_back("create about box"); }
  void RunMessageLoop(TForm1& f) override {
    form = &f;
    events_.push_back("show main window");
    events_.push_back(terminated_ ? "loop ends at its first turn" : "loop runs");
  }
  RegistryApi& Registry() override { return store; }
  FailureBoxApi& FailureBox() override { return failure_box_; }

  int Show(DialogKind kind, const std::string& text, unsigned buttons) override {
    const char* kinds[] = {"error", "information", "confirmation"};
    events_.push_back(std::string("dialog ") + kinds[static_cast<int>(kind)] + " [" +
                      std::to_string(buttons) + "]: " + text);
    if (dialog_answers.empty()) return dialog_answer;
    const int answer = dialog_answers.front();
    dialog_answers.pop_front();
    return answer;
  }
  void SetText(const std::string& text) override { status_ = text; }
  std::string Text() const override { return status_; }
  void Terminate() override {
    events_.push_back("terminate");
    terminated_ = true;
  }

  // Only noted: what a real window does with the request is for the Windows tests.
  void Close() override { events_.push_back("close request"); }
  std::optional<std::string> Execute(const SaveDialogSettings& settings,
                                     const std::string& proposed_name) override {
    events_.push_back(std::string("save dialog \"") + settings.title + "\" (" +
                      settings.filter_description + "|" + settings.filter_pattern + ", ." +
                      settings.default_extension + ") proposing " + proposed_name);
    return save_answer;
  }
  void ShowModal() override {
    events_.push_back("about box shown");
    if (during_about) during_about();
  }

  const std::vector<std::string>& FailureBoxes() const { return failure_box_.Events(); }
  void ForgetEvents() { events_.clear(); }

  MemoryRegistry registry;
  InstrumentedStore store;  // what the shell hands out
  IdentificationResults identification;
  bool use_given_identification = false;
  int dialog_answer = kDialogOk;
  std::deque<int> dialog_answers;  // answered first, in order; then dialog_answer
  std::optional<std::string> save_answer;
  std::function<void()> during_about;
  FileApi* files = &SystemFiles();
  TForm1* form = nullptr;
  HeadlessTweakList list;
  HeadlessTextMemo memo;

 private:
  // Failure boxes land in the same record as everything else.
  class Box final : public FailureBoxApi {
   public:
    explicit Box(std::vector<std::string>& events) : events_(events) {}
    void CancelMouseCapture() override { recorder_.CancelMouseCapture(); }
    void ShowErrorBox(const std::string& text, const std::string& title) override {
      recorder_.ShowErrorBox(text, title);
      events_.push_back(recorder_.Events().back());
    }
    const std::vector<std::string>& Events() const { return recorder_.Events(); }

   private:
    std::vector<std::string>& events_;
    RecordingFailureBox recorder_;
  };

  std::vector<std::string> events_;
  Box failure_box_{events_};
  std::string status_;
  bool terminated_ = false;
};

}  // namespace quillmark::testing
