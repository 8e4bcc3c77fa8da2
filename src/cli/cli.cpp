#include "cli/cli.h"

#include <chrono>
#include <memory>
#include <optional>

#include "cli/cli_texts.h"
#include "cli/engine_command.h"
#include "cli/live_registry.h"
#include "cli/live_system.h"
#include "cli/plan.h"
#include "cli/snapshot_file.h"
#include "platform/failure_classes.h"
#include "platform/failure_report.h"
#include "platform/file_api.h"
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
  std::vector<std::string> words;  // the command and its arguments
};

// Parses the options; false on bad usage.
bool ParseOptions(const std::vector<std::string>& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--registry" || arg == "--backup" || arg == "--part") {
      std::optional<std::string>& value = arg == "--registry" ? options.registry_file
                                          : arg == "--backup" ? options.backup_file
                                                              : options.part;
      if (++i == args.size() || value) return false;
      value = args[i];
    } else if (arg == "--user") {
      options.user = true;
    } else if (arg == "--any-system") {
      options.any_system = true;
    } else if (arg == "--help") {
      options.help = true;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      options.words.push_back(arg);
    }
  }
  return !options.user || options.registry_file.has_value();
}

// "none", "all", or comma-separated row indexes; false when anything else.
bool ParseRows(const std::string& text, std::string& boxes) {
  boxes.assign(kTweakCount, '.');
  if (text == "none") return true;
  if (text == "all") {
    boxes.assign(kTweakCount, 'x');
    return true;
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma - start);
    if (item.empty() || item.size() > 2 || item.find_first_not_of("0123456789") != item.npos) {
      return false;
    }
    const int row = std::stoi(item);
    if (row >= kTweakCount) return false;
    boxes[static_cast<std::size_t>(row)] = 'x';
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

void PrintRows(const HeadlessTweakList& list, std::ostream& out) {
  for (int row = 0; row < list.RowCount(); ++row) {
    out << row << (list.Checked(row) ? " [x] " : " [ ] ") << list.Caption(row) << '\n';
  }
}

int Usage(std::ostream& err) {
  err << kCliUsage;
  return 2;
}

int Fail(std::ostream& err, const std::string& message) {
  err << kCliErrorPrefix << message << '\n';
  return 1;
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

// The text-file failure as the error box shows it, as the export reports it.
int FailWithFile(std::ostream& err, const Exception& failure) {
  return Fail(err, FailureBoxText(failure.Message()));
}

// The words of a command line, checked: the command and its arguments, and the options only
// some commands take.
bool CheckCommand(const Options& options, EngineCommand& engine, ScriptPart& part) {
  const std::vector<std::string>& words = options.words;
  if (words.empty()) return false;
  const std::string& command = words[0];
  const std::size_t arguments = words.size() - 1;
  const bool takes_backup = command == "apply" || command == "defaults";
  if (options.backup_file && !takes_backup) return false;
  if (options.part && command != "script") return false;
  if (options.part) {
    if (*options.part == "machine") {
      part = ScriptPart::Machine;
    } else if (*options.part == "user") {
      part = ScriptPart::User;
    } else {
      return false;
    }
  }
  if (command == "apply") {
    engine.kind = EngineCommand::Kind::Apply;
    return arguments == 1 && ParseRows(words[1], engine.boxes);
  }
  if (command == "plan") {
    if (arguments != 1) return false;
    if (words[1] == "defaults") {
      engine.kind = EngineCommand::Kind::Defaults;
      return true;
    }
    engine.kind = EngineCommand::Kind::Apply;
    return ParseRows(words[1], engine.boxes);
  }
  if (command == "script") return arguments == 2 && ParseRows(words[1], engine.boxes);
  if (command == "defaults") {
    engine.kind = EngineCommand::Kind::Defaults;
    return arguments == 0;
  }
  if (command == "export" || command == "backup") return arguments == 1;
  return (command == "list" || command == "status" || command == "system") && arguments == 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  if (!ParseOptions(args, options)) return Usage(err);
  if (options.help) {
    out << kCliUsage;
    return 0;
  }
  EngineCommand engine;
  ScriptPart part = ScriptPart::Whole;
  if (!CheckCommand(options, engine, part)) return Usage(err);
  const std::string& command = options.words[0];

  if (command == "list") {
    for (const TweakRow& row : kTweakRows) {
      out << row.index << '\t' << row.caption << '\t' << row.information << '\n';
    }
    return 0;
  }
  if (command == "export") {
    try {
      WriteRestoreFile(SystemFiles(), options.words[1]);
    } catch (const Exception& failure) {
      return FailWithFile(err, failure);
    }
    return 0;
  }
  if (command == "script") {
    // Reads no registry: the engine runs over one of its own.
    try {
      WriteDeploymentScript(SystemFiles(), options.words[2], engine.boxes, part);
    } catch (const Exception& failure) {
      return FailWithFile(err, failure);
    }
    return 0;
  }

  if (command == "system") return PrintSystem(options, out, err);

  std::unique_ptr<RegistryApi> store;
  MemoryRegistry* snapshot = nullptr;
  if (options.registry_file) {
    try {
      auto loaded = std::make_unique<MemoryRegistry>(ReadSnapshotFile(*options.registry_file));
      if (options.user) loaded->SetRights(MemoryRegistry::Rights::StandardUser);
      snapshot = loaded.get();
      store = std::move(loaded);
    } catch (const Exception& failure) {
      return Fail(err, failure.Message());
    }
  } else {
    std::string why_not;
    store = OpenLiveRegistry(why_not);
    if (!store) return Fail(err, why_not);
    if (!options.any_system) {
      // The live registry is changed only on the systems the program itself runs on.
      std::string refusal;
      if (!LiveSystemPasses(refusal)) return Fail(err, refusal);
    }
  }

  // The backup reads only; before apply or defaults it comes first, and nothing changes when
  // it cannot be written.
  if (command == "backup" || options.backup_file) {
    try {
      WriteBackup(SystemFiles(), command == "backup" ? options.words[1] : *options.backup_file,
                  *store, std::chrono::system_clock::now());
    } catch (const Exception& failure) {
      return FailWithFile(err, failure);
    }
    if (command == "backup") return 0;
  }

  HeadlessTweakList list;
  if (command == "plan") {
    OverlayRegistry::RootRights rights;
    if (snapshot != nullptr) {
      rights = [snapshot](RootKey root, std::uint32_t access) {
        return snapshot->Grants(root, access);
      };
    }
    const Plan plan = MakePlan(*store, rights, engine, list);
    for (const std::string& line : plan.changes) out << line << '\n';
    PrintRows(list, out);
    return plan.failure ? Fail(err, *plan.failure) : 0;
  }

  std::optional<std::string> failure = RunEngineCommand(*store, engine, list);
  PrintRows(list, out);

  // The registry keeps what was written before a failure, so the file does too.
  if (snapshot != nullptr) {
    try {
      WriteSnapshotFile(*options.registry_file, *snapshot);
    } catch (const Exception& raised) {
      if (!failure) failure = raised.Message();
    }
  }
  return failure ? Fail(err, *failure) : 0;
}

}  // namespace quillmark
