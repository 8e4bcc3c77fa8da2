#include "cli/cli.h"

#include <memory>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "cli/live_registry.h"
#include "cli/live_system.h"
#include "cli/restore_file_export.h"
#include "cli/row_names.h"
#include "cli/row_selection.h"
#include "cli/snapshot_file.h"
#include "cli/usage_errors.h"
#include "platform/failure_classes.h"
#include "platform/failure_report.h"
#include "platform/file_api.h"
#include "sysinfo/operating_system_info.h"
#include "sysinfo/simulated_windows7.h"
#include "sysinfo/startup_identification.h"
#include "sysinfo/system_gate.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/restore_file.h"
#include "tweaks/text_memo.h"
#include "tweaks/tweak_catalogue.h"
#include "tweaks/tweak_engine.h"

namespace quillmark {

namespace {

struct Options {
  std::optional<std::string> registry_file;
  bool user = false;
  bool any_system = false;
  bool help = false;
  bool version = false;
  bool json = false;
  std::vector<std::string> words;  // the command and its arguments
};

// Parses the options; raises UsageError on bad usage.
void ParseOptions(const std::vector<std::string>& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--registry") {
      if (++i == args.size()) throw UsageError(kUsageNeedsFile, arg);
      if (options.registry_file) throw UsageError(kUsageGivenTwice, arg);
      options.registry_file = args[i];
    } else if (arg == "--user") {
      options.user = true;
    } else if (arg == "--any-system") {
      options.any_system = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg.size() > 1 && arg.starts_with("-")) {
      throw UsageError(kUsageUnknownOption, arg);
    } else {
      options.words.push_back(arg);
    }
  }
  if (options.user && !options.registry_file) throw UsageError(kUsageUserNeedsRegistry);
}

void PrintRows(const HeadlessTweakList& list, std::ostream& out) {
  for (int row = 0; row < list.RowCount(); ++row) {
    out << row << (list.Checked(row) ? " [x] " : " [ ] ") << list.Caption(row) << '\n';
  }
}

int Usage(std::ostream& err, const UsageError& error) {
  err << kCliErrorPrefix << error.Message() << '\n' << kUsagePointer << '\n';
  return 2;
}

int Fail(std::ostream& err, const std::string& message) {
  err << kCliErrorPrefix << message << '\n';
  return 1;
}

// A failure before any row was read: with --json, an object without rows.
int FailWithoutRows(const Options& options, const std::string& message, std::ostream& out,
                    std::ostream& err) {
  const int code = Fail(err, message);
  if (options.json) PrintRowsJson(HeadlessTweakList(), message, out);
  return code;
}

// Says that the rows are not the registry's state and where to read that.
void PrintUnreadRows(const Options& options, const HeadlessTweakList& list, std::ostream& out) {
  out << kCliNotReadBack << '\n';
  PrintRows(list, out);
  out << kCliStatusPointer << (options.registry_file ? " --registry " + *options.registry_file : "")
      << (options.any_system ? " --any-system" : "") << " status\n";
}

// The system's identification into results, as the main window's Info1 would publish it.
TOperatingSystemInfo Identified(SystemQueries& system, IdentificationResults& results) {
  Identify(system, results);
  TOperatingSystemInfo info(results);
  info.Refresh();
  return info;
}

// Identifies the live system; false with the reason when the gate refuses it or it cannot be
// identified.
bool LiveSystemPasses(std::string& refusal) {
  std::unique_ptr<SystemQueries> system = OpenLiveSystem(refusal);
  if (!system) return false;
  IdentificationResults results;
  try {
    if (SystemGatePasses(Identified(*system, results))) return true;
  } catch (const Exception& failure) {
    refusal = failure.Message();
    return false;
  }
  refusal = kGateMessage;
  return false;
}

// What the gate sees: of the live system, or of a simulated 32-bit Windows 7 over the snapshot.
int PrintSystem(const Options& options, std::ostream& out, std::ostream& err) {
  std::unique_ptr<MemoryRegistry> snapshot;
  std::unique_ptr<SystemQueries> system;
  try {
    if (options.registry_file) {
      snapshot = std::make_unique<MemoryRegistry>(ReadSnapshotFile(*options.registry_file));
      system = std::make_unique<SimulatedWindows7>(*snapshot);
    } else {
      std::string why_not;
      system = OpenLiveSystem(why_not);
      if (!system) return Fail(err, why_not);
    }
    IdentificationResults results;
    const TOperatingSystemInfo info = Identified(*system, results);
    out << "major version: " << info.MajorVersion() << '\n'
        << "minor version: " << info.MinorVersion() << '\n'
        << "build number: " << info.BuildNumber() << '\n'
        << "platform: " << results.version.platform << '\n'
        << "OS name: " << info.OSName() << '\n'
        << "edition: " << info.OSEdition() << '\n'
        << "WOW64: " << (results.wow64 ? "yes" : "no") << '\n'
        << "processor architecture: " << results.processor_architecture << '\n'
        << "gate: " << (SystemGatePasses(info) ? "passes" : "refuses") << '\n';
  } catch (const Exception& failure) {
    return Fail(err, failure.Message());
  }
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  std::string boxes;
  try {
    ParseOptions(args, options);
    if (options.help) {
      out << kCliUsage;
      return 0;
    }
    if (options.version) {
      out << kCliVersion << '\n';
      return 0;
    }
    if (options.words.empty()) throw UsageError(kUsageNoCommand);
    const std::string& command = options.words[0];
    const std::size_t arguments = options.words.size() - 1;
    if (command == "apply") {
      if (arguments == 0) throw UsageError(kUsageApplyNeedsRows);
      if (arguments > 1) throw UsageError(kUsageOneArgument, command);
      boxes = ParseRows(options.words[1]);
    } else if (command == "export") {
      if (arguments == 0) throw UsageError(kUsageExportNeedsFile);
      if (arguments > 1) throw UsageError(kUsageOneArgument, command);
    } else if (command == "list" || command == "status" || command == "defaults" ||
               command == "system") {
      if (arguments != 0) throw UsageError(kUsageNoArguments, command);
    } else {
      throw UsageError(kUsageUnknownCommand, command);
    }
    if (options.json && (command == "export" || command == "system")) {
      throw UsageError(kUsageJsonNotHere);
    }
  } catch (const UsageError& error) {
    return Usage(err, error);
  }
  const std::string& command = options.words[0];

  if (command == "list") {
    if (options.json) {
      PrintCatalogueJson(out);
      return 0;
    }
    for (const TweakRow& row : kTweakRows) {
      out << row.index << '\t' << row.caption << '\t' << row.information << '\t'
          << kRowNames[static_cast<std::size_t>(row.index)] << '\n';
    }
    return 0;
  }
  if (command == "export") {
    try {
      ExportRestoreFileReplacing(options.words[1]);
    } catch (const Exception& failure) {
      // As the error box shows it, after the file's name.
      return Fail(err, options.words[1] + ": " + FailureBoxText(failure.Message()));
    }
    return 0;
  }

  if (command == "system") return PrintSystem(options, out, err);

  std::unique_ptr<RegistryApi> live;
  std::optional<SnapshotFile> snapshot;  // held until the command ends
  if (options.registry_file) {
    try {
      snapshot.emplace(SnapshotFile::OpenForChange(*options.registry_file));
      if (options.user) snapshot->Registry().SetRights(MemoryRegistry::Rights::StandardUser);
    } catch (const Exception& failure) {
      return FailWithoutRows(options, failure.Message(), out, err);
    }
  } else {
    std::string why_not;
    live = OpenLiveRegistry(why_not);
    if (!live) return FailWithoutRows(options, why_not, out, err);
    if (!options.any_system) {
      // The live registry is changed only on the systems the program itself runs on.
      std::string refusal;
      if (!LiveSystemPasses(refusal)) return FailWithoutRows(options, refusal, out, err);
    }
  }

  RegistryApi& store = snapshot ? snapshot->Registry() : *live;
  HeadlessTweakList list;
  HeadlessTextMemo memo;
  TweakEngine engine(store, list, memo);
  engine.SetLvItems();
  std::optional<std::string> failure;
  try {
    if (command == "apply") {
      for (int row = 0; row < kTweakCount; ++row) {
        list.SetChecked(row, boxes[static_cast<std::size_t>(row)] == 'x');
      }
      engine.SetTweaks();
    } else if (command == "defaults") {
      engine.WriteSystemDefaults();
    }
    engine.ProbeAll();
  } catch (const Exception& raised) {
    failure = raised.Message();
  }

  // The registry keeps what was written before a failure, so the file does too; when it cannot,
  // that is said as well.
  if (snapshot) {
    try {
      snapshot->WriteBackIfChanged();
    } catch (const Exception& raised) {
      failure = failure ? *failure + "; " + raised.Message() : raised.Message();
    }
  }
  const int code = failure ? Fail(err, *failure) : 0;
  if (options.json) {
    PrintRowsJson(list, failure, out);
  } else if (failure) {
    PrintUnreadRows(options, list, out);
  } else {
    PrintRows(list, out);
  }
  return code;
}

}  // namespace quillmark
