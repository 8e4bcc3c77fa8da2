// A user without administrator rights: machine-wide keys open for reading only. Also the guard
// that keeps a deletion inside the tweaks' keys when a parent key does not open.
#include <gtest/gtest.h>

#include <string>

#include "core/ascii_case.h"
#include "registry/tregistry.h"
#include "support/engine_harness.h"
#include "support/fixtures.h"
#include "tweaks/restart_flag.h"

namespace quillmark::testing {
namespace {

using Operation = InstrumentedStore::Operation;

struct StandardUser : EngineHarness {
  StandardUser() : EngineHarness(kFreshWindows7) {
    registry.SetRights(MemoryRegistry::Rights::StandardUser);
  }
};

TEST(StandardUser, TheProbeRunFailsAtEnableLua) {
  StandardUser harness;
  harness.TickExactly("xxxxxxxxxxxxxx");
  EXPECT_EQ(RegistryFailure([&] { harness.engine.ProbeAll(); }),
            "Failed to get data for 'EnableLUA'");
  // The printers probe finds no key it may open and looks for RemoteComputer at the root.
  EXPECT_EQ(harness.list.Boxes(), "........x....x");
}

TEST(StandardUser, ApplyFailsAtTheFirstKeyWithTheFlagSetAndNothingWritten) {
  StandardUser harness;
  const std::string before = harness.Snapshot();
  restart_recommended = 0;
  harness.TickExactly("xxxxxxxxxxxxxx");
  EXPECT_EQ(RegistryFailure([&] { harness.engine.SetTweaks(); }), "Failed to set data for ''");
  EXPECT_EQ(restart_recommended, 1);
  EXPECT_EQ(harness.Snapshot(), before);
}

TEST(StandardUser, DefaultsFailsAtTheFolderVerbsDefaultValueWithNothingWritten) {
  StandardUser harness;
  const std::string before = harness.Snapshot();
  EXPECT_EQ(RegistryFailure([&] { harness.engine.WriteSystemDefaults(); }),
            "Failed to set data for ''");
  EXPECT_EQ(harness.Snapshot(), before);
}

TEST(DeletionGuard, ParentsThatDoNotOpenNeverLetANameResolveAtTheRoot) {
  const std::string namesakes =
      "[HKEY_CLASSES_ROOT\\runas]\n[HKEY_CLASSES_ROOT\\Copy To]\n[HKEY_CLASSES_ROOT\\Move To]\n"
      "[HKEY_CLASSES_ROOT\\Command Prompt Here]\n[HKEY_CLASSES_ROOT\\Delete Folder Content]\n"
      "[HKEY_CLASSES_ROOT\\Open With Notepad]\n[HKEY_LOCAL_MACHINE\\RemoteComputer]\n";
  const auto refuse_parents = [](const InstrumentedStore::Call& call) {
    const bool open =
        call.operation == Operation::OpenKey || call.operation == Operation::CreateKey;
    for (const char* parent :
         {"HKEY_CLASSES_ROOT\\AllFilesystemObjects\\shellex\\ContextMenuHandlers",
          "HKEY_CLASSES_ROOT\\*\\shell",
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer"}) {
      if (open && EqualsNoCase(call.path, parent)) return true;
    }
    // Refused only where opened without creation, so that Apply's write of its default goes on.
    return call.operation == Operation::OpenKey &&
           EqualsNoCase(call.path, "HKEY_CLASSES_ROOT\\Directory\\shell");
  };

  EngineHarness apply(std::string(kFreshWindows7) + namesakes);
  const std::string before = apply.Snapshot();
  apply.store.FailWhen(refuse_parents, kErrorAccessDenied);
  apply.TickExactly("........x.....");
  apply.engine.SetTweaks();  // unticked verbs and the ticked printers row all delete by name
  apply.store.ClearFailures();
  TRegistry registry(apply.registry);
  for (RootKey root : {RootKey::ClassesRoot, RootKey::LocalMachine}) {
    registry.SelectRoot(root);
    for (const char* name : {"runas", "Copy To", "Move To", "Command Prompt Here",
                             "Delete Folder Content", "Open With Notepad", "RemoteComputer"}) {
      const bool was_there =
          before.find("[" + std::string(RootName(root)) + "\\" + name + "]") != std::string::npos;
      EXPECT_EQ(registry.KeyPresent(name), was_there) << RootName(root) << "\\" << name;
    }
  }

  EngineHarness defaults(std::string(kFreshWindows7) + namesakes);
  defaults.store.FailWhen(refuse_parents, kErrorAccessDenied);
  EXPECT_EQ(RegistryFailure([&] { defaults.engine.WriteSystemDefaults(); }),
            "Failed to set data for ''");
  defaults.store.ClearFailures();
  TRegistry after(defaults.registry);
  after.SelectRoot(RootKey::ClassesRoot);
  for (const char* name : {"runas", "Copy To", "Move To", "Open With Notepad"}) {
    EXPECT_TRUE(after.KeyPresent(name)) << name;
  }
}

}  // namespace
}  // namespace quillmark::testing
