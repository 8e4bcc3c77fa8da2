#include "cli/cli.h"

#include <chrono>
#include <memory>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/engine_command.h"
#include "cli/file_export.h"
#include "cli/json_output.h"
#include "cli/live_registry.h"
#include "cli/live_system.h"
#include "cli/plan.h"
#include "cli/row_names.h"
#include "cli/row_selection.h"
#include "cli/snapshot_file.h"
#include "cli/usage_errors.h"
#include "core/failure_classes.h"
#include "core/failure_report.h"
#include "fileio/file_api.h"
#include "sysinfo/operating_system_info.h"
#include "sysinfo/simulated_windows7.h"
#include "sysinfo/startup_identification.h"
#include "sysinfo/system_gate.h"
#include "tweaks/backup_script.h"
#include "tweaks/deployment_script.h"
#include "tweaks/headless_tweak_list.h"
#include "tweaks/restore_file.h"
#include "tweaks/tweak_catalogue.h"

namespace quillmark {

namespace {

struct Options {
  std::optional<std::string> registry_file;
  std::optional<std::string> backup_file;
  std::optional<std::string> part;
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
    if (arg == "--registry" || arg == "--backup" || arg == "--part") {
      std::optional<std::string>& value = arg == "--registry" ? options.registry_file
                                          : arg == "--backup" ? options.backup_file
                                                              : options.part;
      if (++i == args.size())
        throw UsageError(arg == "--part" ? kUsagePartNeedsName : kUsageNeedsFile, arg);
      if (value) throw UsageError(kUsageGivenTwice, arg);
      value = args[i];
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

// The failure of a file the user named, as the error box shows it, after the file's name.
int FailWithFile(std::ostream& err, const std::string& name, const Exception& failure) {
  return Fail(err, name + ": " + FailureBoxText(failure.Message()));
}

// The command and its arguments, and the options only some commands take; raises UsageError.
void CheckCommand(const Options& options, EngineCommand& engine, ScriptPart& part) {
  if (options.words.empty()) throw UsageError(kUsageNoCommand);
  const std::string& command = options.words[0];
  const std::size_t arguments = options.words.size() - 1;
  if (command == "apply") {
    if (arguments == 0) throw UsageError(kUsageApplyNeedsRows);
    if (arguments > 1) throw UsageError(kUsageOneArgument, command);
    engine.kind = EngineCommand::Kind::Apply;
    engine.boxes = ParseRows(options.words[1]);
  } else if (command == "plan") {
    if (arguments == 0) throw UsageError(kUsagePlanNeedsRows);
    if (arguments > 1) throw UsageError(kUsageOneArgument, command);
    if (options.words[1] == "defaults") {
      engine.kind = EngineCommand::Kind::Defaults;
    } else {
      engine.kind = EngineCommand::Kind::Apply;
      engine.boxes = ParseRows(options.words[1]);
    }
  } else if (command == "script") {
    if (arguments != 2) throw UsageError(kUsageScriptArguments);
    engine.kind = EngineCommand::Kind::Apply;
    engine.boxes = ParseRows(options.words[1]);
  } else if (command == "export" || command == "backup") {
    if (arguments == 0) throw UsageError(kUsageNeedsFile, command);
    if (arguments > 1) throw UsageError(kUsageOneArgument, command);
  } else if (command == "defaults") {
    if (arguments != 0) throw UsageError(kUsageNoArguments, command);
    engine.kind = EngineCommand::Kind::Defaults;
  } else if (command == "list" || command == "status" || command == "system") {
    if (arguments != 0) throw UsageError(kUsageNoArguments, command);
  } else {
    throw UsageError(kUsageUnknownCommand, command);
  }
  if (options.json && command != "list" && command != "status" && command != "apply" &&
      command != "defaults") {
    throw UsageError(kUsageJsonNotHere);
  }
  if (options.backup_file && command != "apply" && command != "defaults") {
    throw UsageError(kUsageBackupNotHere);
  }
  if (options.part) {
    if (command != "script") throw UsageError(kUsagePartNotHere);
    if (*options.part == "machine") {
      part = ScriptPart::Machine;
    } else if (*options.part == "user") {
      part = ScriptPart::User;
    } else {
      throw UsageError(kUsageNoSuchPart, *options.part);
    }
  }
}

// Prints what the command left: the rows read back, or after a failure the check boxes as they
// stand, said to be no read-back; the failure goes to err. The exit status.
int Finish(const Options& options, const HeadlessTweakList& list,
           const std::optional<std::string>& failure, std::ostream& out, std::ostream& err) {
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

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  EngineCommand engine;
  ScriptPart part = ScriptPart::Whole;
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
    CheckCommand(options, engine, part);
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
      out << RowOf(row.tweak) << '\t' << row.caption << '\t' << row.information << '\t'
          << kRowNames[static_cast<std::size_t>(RowOf(row.tweak))] << '\n';
    }
    return 0;
  }
  if (command == "export") {
    try {
      ExportRestoreFileReplacing(options.words[1]);
    } catch (const Exception& failure) {
      return FailWithFile(err, options.words[1], failure);
    }
    return 0;
  }
  if (command == "script") {
    // Reads no registry: the engine runs over one of its own.
    try {
      WriteTextFileReplacing(options.words[2], DeploymentScript(engine.boxes, part));
    } catch (const Exception& failure) {
      return FailWithFile(err, options.words[2], failure);
    }
    return 0;
  }

  if (command == "system") return PrintSystem(options, out, err);

  std::unique_ptr<RegistryApi> live;
  std::optional<MemoryRegistry> read_only;  // a backup only reads a snapshot, never holds it
  std::optional<SnapshotFile> snapshot;     // held until the command ends
  if (options.registry_file) {
    try {
      if (command == "backup") {
        read_only.emplace(ReadSnapshotFile(*options.registry_file));
      } else {
        // A plan holds and checks the file as the real command would, and never writes it.
        snapshot.emplace(SnapshotFile::OpenForChange(*options.registry_file));
        if (options.user) snapshot->Registry().SetRights(MemoryRegistry::Rights::StandardUser);
      }
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
  RegistryApi& store = read_only ? *read_only : snapshot ? snapshot->Registry() : *live;

  // The backup reads only; before apply or defaults it comes first, and nothing changes when it
  // cannot be written.
  if (command == "backup" || options.backup_file) {
    const std::string& name = command == "backup" ? options.words[1] : *options.backup_file;
    try {
      WriteTextFileReplacing(name,
                             BackupScript(store, BackupTime(std::chrono::system_clock::now())));
    } catch (const Exception& failure) {
      return FailWithFile(err, name, failure);
    }
    if (command == "backup") return 0;
  }

  HeadlessTweakList list;
  if (command == "plan") {
    OverlayRegistry::RootRights rights;
    if (snapshot) {
      const MemoryRegistry& registry = snapshot->Registry();
      rights = [&registry](RootKey root, std::uint32_t access) {
        return registry.Grants(root, access);
      };
    }
    const Plan plan = MakePlan(store, rights, engine, list);
    for (const std::string& line : plan.changes) out << line << '\n';
    return Finish(options, list, plan.failure, out, err);
  }

  std::optional<std::string> failure = RunEngineCommand(store, engine, list);
  // The registry keeps what was written before a failure, so the file does too; when it cannot,
  // that is said as well.
  if (snapshot) {
    try {
      snapshot->WriteBackIfChanged();
    } catch (const Exception& raised) {
      failure = failure ? *failure + "; " + raised.Message() : raised.Message();
    }
  }
  return Finish(options, list, failure, out, err);
}

}  // namespace quillmark
