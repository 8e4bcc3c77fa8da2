// A store over another for tests: refuses chosen calls (failure injection) and logs every call
// with the key's path, the value name and the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "registry/registry_api.h"

namespace quillmark::testing {

class InstrumentedStore final : public RegistryApi {
 public:
  enum class Operation {
    OpenKey,
    CreateKey,
    CloseKey,
    FlushKey,
    QueryValue,
    SetValue,
    DeleteValue,
    DeleteKey,
    EnumKey,
    EnumValue,
    QueryInfoKey,
  };

  // What a call is about: the key's full path ("HKEY_CURRENT_USER\Control Panel\Desktop", the
  // part below the handle spelt as the caller gave it, separators tidied), the value name, and
  // the rights an open or create asks for.
  struct Call {
    Operation operation;
    std::string path;
    std::string value_name;
    std::uint32_t access = 0;
  };

  struct LoggedCall {
    Call call;
    RegStatus result;
  };

  explicit InstrumentedStore(RegistryApi& store) : store_(store) {}

  RegStatus OpenKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result) override;
  RegStatus CreateKey(RegKey base, const char* sub, std::uint32_t access, RegKey* result,
                      std::uint32_t* disposition) override;
  RegStatus CloseKey(RegKey key) override;
  RegStatus FlushKey(RegKey key) override;
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override;
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus DeleteValue(RegKey key, const char* name) override;
  RegStatus DeleteKey(RegKey base, const char* sub) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, char* name,
                    std::uint32_t* name_length) override;
  RegStatus EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* name_length,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
  RegStatus QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                         std::uint32_t* max_subkey_length) override;
  bool DoubleByteCharacters() const override { return store_.DoubleByteCharacters(); }

  // Refuses the n-th call from now (1 is the next call) with the given code.
  void FailCall(std::size_t n, RegStatus code);
  // Refuses every call for which match returns true. The predicate may also throw, to make a
  // call raise instead of failing.
  void FailWhen(std::function<bool(const Call&)> match, RegStatus code);
  void ClearFailures() { failures_.clear(); }

  const std::vector<LoggedCall>& CallLog() const { return log_; }
  void ClearCallLog() { log_.clear(); }
  std::size_t CallCount() const { return calls_; }
  // Forgets every call so far, and the failures set up.
  void ForgetCalls();

  // Handles handed out through this store and not yet closed.
  std::size_t OpenHandleCount() const { return paths_.size(); }

 private:
  struct FailureRule {
    std::optional<std::size_t> call_number;
    std::function<bool(const Call&)> match;
    RegStatus code;
  };

  // The code of the failure rule the call meets, or success.
  RegStatus Begin(const Call& call);
  RegStatus Finish(Call&& call, RegStatus result);
  std::string DescribeKey(RegKey key) const;
  std::string DescribePath(RegKey base, const char* sub) const;
  void Opened(RegStatus status, RegKey* result, std::string path);

  RegistryApi& store_;
  std::unordered_map<RegKey, std::string> paths_;  // open handles and their keys' paths
  std::vector<FailureRule> failures_;
  std::vector<LoggedCall> log_;
  std::size_t calls_ = 0;
};

std::string_view OperationName(InstrumentedStore::Operation operation);

}  // namespace quillmark::testing
