// Any bytes, as a hive file, either open as a store or are refused with the store's own failure;
// a hive that opens walks whole through the store: every key opens, lists its subkeys and
// values, and every value reads.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/failure_classes.h"
#include "hive/hive_registry.h"
#include "registry/registry_key_handle.h"

namespace {

using quillmark::RegKey;
using quillmark::RegStatus;

[[noreturn]] void Broken(const char* what, const std::string& detail) {
  std::fprintf(stderr, "hive_fuzz: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// A file of this process's own for the input, removed when it ends.
class InputFile {
 public:
  InputFile() : path_("/tmp/hive_fuzz." + std::to_string(::getpid()) + ".hive") {}
  ~InputFile() { std::remove(path_.c_str()); }
  const std::string& Write(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
      Broken("cannot write the input file", path_);
    }
    return path_;
  }

 private:
  std::string path_;
};

void Walk(quillmark::RegistryApi& store, RegKey key, const std::string& path) {
  for (std::uint32_t index = 0;; ++index) {
    char name[512];
    std::uint32_t length = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const RegStatus status = store.EnumValue(key, index, name, &length, &type, nullptr, &size);
    if (status == quillmark::kErrorNoMoreItems) break;
    if (status == quillmark::kErrorMoreData) continue;  // a name longer than this buffer
    if (status != quillmark::kErrorSuccess) Broken("a value does not list", path);
    std::vector<std::uint8_t> data(size + 1);
    std::uint32_t room = size;
    if (store.QueryValue(key, name, &type, data.data(), &room) != quillmark::kErrorSuccess &&
        std::string(name).find('?') == std::string::npos) {
      Broken("a listed value does not read", path + " " + name);
    }
  }
  std::vector<std::string> subkeys;
  for (std::uint32_t index = 0;; ++index) {
    char name[512];
    std::uint32_t length = sizeof name;
    const RegStatus status = store.EnumKey(key, index, name, &length);
    if (status == quillmark::kErrorNoMoreItems) break;
    if (status == quillmark::kErrorMoreData) continue;  // a name longer than this buffer
    if (status != quillmark::kErrorSuccess) Broken("a subkey does not list", path);
    subkeys.emplace_back(name, length);
  }
  for (const std::string& name : subkeys) {
    // An empty name, or one of separators, names the key itself or a path; characters the code
    // page lacks read as '?'. Every other name opens its key.
    if (name.empty() || name.size() > 255 || name.find_first_of("?\\") != std::string::npos) {
      continue;
    }
    RegKey sub = 0;
    if (store.OpenKey(key, name.c_str(), quillmark::kKeyRead, &sub) != quillmark::kErrorSuccess) {
      Broken("a listed subkey does not open", path + "\\" + name);
    }
    quillmark::RegistryKeyHandle held(store, sub);
    Walk(store, sub, path + "\\" + name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static InputFile input;
  const std::string& path = input.Write(data, size);
  try {
    quillmark::HiveRegistry hive(path, quillmark::RootKey::LocalMachine,
                                 quillmark::HiveRegistry::Use::Read);
    Walk(hive, quillmark::RootHandle(quillmark::RootKey::LocalMachine), "");
  } catch (const quillmark::Exception&) {
    // Refused with its reason: a clean failure.
  }
  return 0;
}
