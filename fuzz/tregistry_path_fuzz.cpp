// Runs the input as a short program of registry-object operations over a small in-memory
// registry and checks what must hold whatever the paths and names: presence tests leave the
// access mask alone, no handle outlives the object, what was made is there and what was removed
// is gone, what was written reads back, and the registry still saves as a snapshot that loads.
//
// One operation a line: a letter, an optional space, then its argument (a path, a name, or
// "name=data"). In an argument "*N" repeats the character before it to N in all and "@N" repeats
// everything before it N times, so that long names and deep paths take few bytes. Letters:
//   r ROOT   SelectRoot (HKCR, HKCU, HKLM)   o PATH  OpenAsCurrent      O PATH  ... with create
//   x        CloseCurrent                    m PATH  MakeKey            k PATH  KeyPresent
//   d PATH   RemoveKey                       v NAME  ValuePresent       s NAME  ValueSize/Kind
//   t NAME   ReadText                        T N=TEXT WriteText         n NAME  ReadNumber
//   N N=INT  WriteNumber                     B N=CAP ReadBytes          e NAME  RemoveValue
//   l        ListSubkeys                     u / a   standard user / administrator rights
//   M HEX    SetAccessMask                   f       flush on close on/off
//   b        double-byte names on/off        z       a new registry object in place of the old
//   ! N[=C]  the N-th call from now (closes aside) fails with error C
// Any other line is ignored, so "#" starts a comment.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ascii_case.h"
#include "core/failure_classes.h"
#include "regfile/registry_script.h"
#include "registry/tregistry.h"
#include "stores/memory_registry.h"
#include "support/instrumented_store.h"

namespace {

using namespace quillmark;
using quillmark::testing::InstrumentedStore;

constexpr std::string_view kSystem =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Directory\\shell]\r\n"
    "@=\"none\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers]\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
    "\"MenuShowDelay\"=\"400\"\r\n"
    "\"DragFullWindows\"=dword:00000001\r\n"
    "\"Pattern\"=hex:01,02,03,04\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Quillmark\\Tweaks\\Menu]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]\r\n"
    "\"Hidden\"=dword:00000002\r\n"
    "\"Path\"=hex(2):25,00,00\r\n"
    "\r\n";

constexpr std::size_t kMaxOperations = 64;
constexpr std::size_t kMaxArgument = 2048;  // enough for 255-character names and 513 levels

constexpr RegStatus kFailureCodes[] = {kErrorAccessDenied,  kErrorFileNotFound,
                                       kErrorInvalidHandle, kErrorInvalidParameter,
                                       kErrorMoreData,      kErrorKeyDeleted};

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "tregistry_path_fuzz: %s\n", what.c_str());
  std::abort();
}

std::size_t ReadCount(std::string_view text, std::size_t& at) {
  std::size_t count = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && count < 100000) {
    count = count * 10 + static_cast<std::size_t>(text[at++] - '0');
  }
  return count;
}

bool IsDigit(std::string_view text, std::size_t at) {
  return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

std::string Expand(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size() && out.size() < kMaxArgument;) {
    const char c = text[at];
    if (c == '*' && !out.empty() && IsDigit(text, at + 1)) {
      ++at;
      const std::size_t count = ReadCount(text, at);
      const char repeated = out.back();
      for (std::size_t i = 1; i < count && out.size() < kMaxArgument; ++i) out += repeated;
    } else if (c == '@' && !out.empty() && IsDigit(text, at + 1)) {
      ++at;
      const std::size_t count = ReadCount(text, at);
      const std::string unit = out;
      for (std::size_t i = 1; i < count && out.size() < kMaxArgument; ++i) out += unit;
    } else {
      out += c;
      ++at;
    }
  }
  if (out.size() > kMaxArgument) out.resize(kMaxArgument);
  return out;
}

template <typename Number>
Number ParseNumber(std::string_view text, Number fallback, int base = 10) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() ? value : fallback;
}

struct NameAndData {
  std::string name;
  std::string data;
};

NameAndData SplitAssignment(const std::string& argument) {
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return {argument, {}};
  return {argument.substr(0, equals), argument.substr(equals + 1)};
}

RootKey ParseRoot(std::string_view text) {
  if (!text.empty() && (text.back() == 'R' || text.back() == 'r')) return RootKey::ClassesRoot;
  if (!text.empty() && (text.back() == 'M' || text.back() == 'm')) return RootKey::LocalMachine;
  return RootKey::CurrentUser;
}

class Program {
 public:
  explicit Program(MemoryRegistry& registry) : registry_(registry), store_(registry) {
    object_.emplace(store_);
  }

  void Run(char operation, const std::string& argument) {
    try {
      Step(operation, argument);
    } catch (const ERegistryException&) {
      // The registry object raises these by design; the checks below still apply.
    }
    if (registry_.OpenHandleCount() > 1) {
      Broken("more than the current key's handle is open after '" + std::string(1, operation) +
             "'");
    }
  }

  void Finish() {
    object_.reset();
    if (registry_.OpenHandleCount() != 0) Broken("a handle outlived the registry object");
  }

 private:
  TRegistry& Object() { return *object_; }

  // Injected failures make a missing key or value a possible outcome, so the cross-checks
  // only hold while there are none.
  bool Checking() const { return !failures_injected_; }

  void Step(char operation, const std::string& argument) {
    TRegistry& object = Object();
    switch (operation) {
      case 'r':
        object.SelectRoot(ParseRoot(argument));
        break;
      case 'o':
      case 'O':
        if (object.OpenAsCurrent(argument, operation == 'O')) {
          current_readable_ = (object.AccessMask() & kKeyQueryValue) != 0;
        }
        break;
      case 'x':
        object.CloseCurrent();
        break;
      case 'm': {
        const bool made = object.MakeKey(argument);
        if (made && Checking() && !object.KeyPresent(argument)) {
          Broken("MakeKey(\"" + argument + "\") succeeded, yet the key is not present");
        }
        break;
      }
      case 'k': {
        const std::uint32_t mask = object.AccessMask();
        object.KeyPresent(argument);
        if (object.AccessMask() != mask) Broken("KeyPresent changed the access mask");
        break;
      }
      case 'd':
        if (object.RemoveKey(argument) && Checking() && object.KeyPresent(argument)) {
          Broken("RemoveKey(\"" + argument + "\") succeeded, yet the key is still present");
        }
        break;
      case 'v':
        object.ValuePresent(argument);
        break;
      case 's':
        object.ValueSize(argument);
        object.ValueKind(argument);
        break;
      case 't':
        object.ReadText(argument);
        break;
      case 'T': {
        const NameAndData assignment = SplitAssignment(argument);
        object.WriteText(assignment.name, assignment.data);
        if (Checking() && current_readable_) {
          // The text is stored with a terminating zero; reading stops at the first zero.
          const std::string expected = assignment.data.substr(0, assignment.data.find('\0'));
          if (object.ReadText(assignment.name) != expected) {
            Broken("WriteText(\"" + assignment.name + "\") does not read back");
          }
        }
        break;
      }
      case 'n':
        object.ReadNumber(argument);
        break;
      case 'N': {
        const NameAndData assignment = SplitAssignment(argument);
        const auto value = ParseNumber<std::int32_t>(assignment.data, 0);
        object.WriteNumber(assignment.name, value);
        if (Checking() && current_readable_ && object.ReadNumber(assignment.name) != value) {
          Broken("WriteNumber(\"" + assignment.name + "\") does not read back");
        }
        break;
      }
      case 'B': {
        const NameAndData assignment = SplitAssignment(argument);
        // Capped: a stored value is never near the cap, and huge buffers only slow the run.
        const int capacity = std::min(ParseNumber<int>(assignment.data, 16), 1 << 16);
        // Exactly the capacity given, so that AddressSanitizer sees a write past it.
        std::vector<std::uint8_t> buffer(capacity > 0 ? static_cast<std::size_t>(capacity) : 0);
        object.ReadBytes(assignment.name, buffer.data(), capacity);
        break;
      }
      case 'e':
        object.RemoveValue(argument);
        break;
      case 'l':
        List(object);
        break;
      case 'u':
        registry_.SetRights(MemoryRegistry::Rights::StandardUser);
        break;
      case 'a':
        registry_.SetRights(MemoryRegistry::Rights::Administrator);
        break;
      case 'M':
        object.SetAccessMask(ParseNumber<std::uint32_t>(argument, kKeyAllAccess, 16));
        break;
      case 'f':
        object.SetFlushOnClose(!object.FlushOnClose());
        break;
      case 'b':
        registry_.SetDoubleByteCharacters(!registry_.DoubleByteCharacters());
        break;
      case 'z':
        object_.reset();
        if (registry_.OpenHandleCount() != 0) Broken("a handle outlived the registry object");
        object_.emplace(store_);
        current_readable_ = false;
        break;
      case '!':
        InjectFailure(argument);
        break;
      default:
        break;
    }
  }

  void List(TRegistry& object) {
    std::vector<std::string> names;
    object.ListSubkeys(names);
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i > 0 && CompareNoCase(names[i - 1], names[i]) >= 0) {
        Broken("ListSubkeys is not in strictly increasing case-insensitive order");
      }
      if (Checking() && !object.KeyPresent(names[i])) {
        Broken("a listed subkey \"" + names[i] + "\" is not present");
      }
    }
  }

  void InjectFailure(const std::string& argument) {
    const NameAndData assignment = SplitAssignment(argument);
    const auto n = ParseNumber<std::uint32_t>(assignment.name, 1) % 64 + 1;
    const auto which = ParseNumber<std::uint32_t>(assignment.data, 0);
    const RegStatus code = kFailureCodes[which % std::size(kFailureCodes)];
    // A failed close would leave a handle open by injection, not by fault: closes are spared.
    auto remaining = std::make_shared<std::uint32_t>(n);
    store_.FailWhen(
        [remaining](const InstrumentedStore::Call& call) {
          if (call.operation == InstrumentedStore::Operation::CloseKey || *remaining == 0) {
            return false;
          }
          return --*remaining == 0;
        },
        code);
    failures_injected_ = true;
  }

  MemoryRegistry& registry_;
  InstrumentedStore store_;  // the registry object's store, to inject failures
  std::optional<TRegistry> object_;
  bool current_readable_ = false;
  bool failures_injected_ = false;
};

std::string Line(std::string_view line) {
  std::string clean;
  for (char c : line) {
    if (c != '\r') clean += c;  // names stay savable: a snapshot cannot hold a line break
  }
  return clean;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  MemoryRegistry registry = LoadSnapshot(kSystem);
  {
    Program program(registry);
    std::size_t operations = 0;
    while (!input.empty() && operations < kMaxOperations) {
      const std::size_t end = input.find('\n');
      const std::string line = Line(input.substr(0, end));
      input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
      if (line.empty()) continue;
      std::string_view argument = std::string_view(line).substr(1);
      if (!argument.empty() && argument.front() == ' ') argument.remove_prefix(1);
      program.Run(line.front(), Expand(argument));
      ++operations;
    }
    program.Finish();
  }

  std::string saved;
  try {
    saved = SaveSnapshot(registry);
  } catch (const SnapshotError& error) {
    Broken("the registry no longer saves: " + error.Message());
  }
  try {
    if (SaveSnapshot(LoadSnapshot(saved)) != saved) {
      Broken("the saved registry does not save again the same:\n" + saved);
    }
  } catch (const SnapshotError& error) {
    Broken("the saved registry does not load: " + error.Message() + "\n" + saved);
  }
  return 0;
}
