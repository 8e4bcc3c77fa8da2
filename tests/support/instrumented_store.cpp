#include "support/instrumented_store.h"

#include <utility>

#include "registry/key_path.h"

namespace quillmark::testing {

namespace {

using Operation = InstrumentedStore::Operation;

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

std::string_view OperationName(Operation operation) {
  switch (operation) {
    case Operation::OpenKey:
      return "OpenKey";
    case Operation::CreateKey:
      return "CreateKey";
    case Operation::CloseKey:
      return "CloseKey";
    case Operation::FlushKey:
      return "FlushKey";
    case Operation::QueryValue:
      return "QueryValue";
    case Operation::SetValue:
      return "SetValue";
    case Operation::DeleteValue:
      return "DeleteValue";
    case Operation::DeleteKey:
      return "DeleteKey";
    case Operation::EnumKey:
      return "EnumKey";
    case Operation::EnumValue:
      return "EnumValue";
    case Operation::QueryInfoKey:
      return "QueryInfoKey";
  }
  return "";
}

void InstrumentedStore::FailCall(std::size_t n, RegStatus code) {
  failures_.push_back({calls_ + n, nullptr, code});
}

void InstrumentedStore::FailWhen(std::function<bool(const Call&)> match, RegStatus code) {
  failures_.push_back({std::nullopt, std::move(match), code});
}

void InstrumentedStore::ForgetCalls() {
  failures_.clear();
  log_.clear();
  calls_ = 0;
}

RegStatus InstrumentedStore::Begin(const Call& call) {
  ++calls_;
  for (const FailureRule& rule : failures_) {
    if (rule.call_number ? *rule.call_number == calls_ : rule.match(call)) return rule.code;
  }
  return kErrorSuccess;
}

RegStatus InstrumentedStore::Finish(Call&& call, RegStatus result) {
  log_.push_back({std::move(call), result});
  return result;
}

std::string InstrumentedStore::DescribeKey(RegKey key) const {
  for (RootKey root : kRootKeys) {
    if (key == RootHandle(root)) return std::string(RootName(root));
  }
  auto it = paths_.find(key);
  return it == paths_.end() ? std::string() : it->second;
}

std::string InstrumentedStore::DescribePath(RegKey base, const char* sub) const {
  std::string path = DescribeKey(base);
  const std::string tidy = TidyKeyPath(OrEmpty(sub));
  if (!tidy.empty()) {
    path += '\\';
    path += tidy;
  }
  return path;
}

void InstrumentedStore::Opened(RegStatus status, RegKey* result, std::string path) {
  if (status == kErrorSuccess && result != nullptr && !IsPredefinedHandle(*result)) {
    paths_[*result] = std::move(path);
  }
}

RegStatus InstrumentedStore::OpenKey(RegKey base, const char* sub, std::uint32_t access,
                                     RegKey* result) {
  Call call{Operation::OpenKey, DescribePath(base, sub), {}, access};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.OpenKey(base, sub, access, result);
  Opened(status, result, call.path);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::CreateKey(RegKey base, const char* sub, std::uint32_t access,
                                       RegKey* result, std::uint32_t* disposition) {
  Call call{Operation::CreateKey, DescribePath(base, sub), {}, access};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.CreateKey(base, sub, access, result, disposition);
  Opened(status, result, call.path);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::CloseKey(RegKey key) {
  Call call{Operation::CloseKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.CloseKey(key);
  if (status == kErrorSuccess) paths_.erase(key);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::FlushKey(RegKey key) {
  Call call{Operation::FlushKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.FlushKey(key);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) {
  Call call{Operation::QueryValue, DescribeKey(key), OrEmpty(name)};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.QueryValue(key, name, type, data, size);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::SetValue(RegKey key, const char* name, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
  Call call{Operation::SetValue, DescribeKey(key), OrEmpty(name)};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.SetValue(key, name, type, data, size);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::DeleteValue(RegKey key, const char* name) {
  Call call{Operation::DeleteValue, DescribeKey(key), OrEmpty(name)};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.DeleteValue(key, name);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::DeleteKey(RegKey base, const char* sub) {
  Call call{Operation::DeleteKey, DescribePath(base, sub), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.DeleteKey(base, sub);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::EnumKey(RegKey key, std::uint32_t index, char* name,
                                     std::uint32_t* name_length) {
  Call call{Operation::EnumKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.EnumKey(key, index, name, name_length);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::EnumValue(RegKey key, std::uint32_t index, char* name,
                                       std::uint32_t* name_length, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
  Call call{Operation::EnumValue, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) {
    status = store_.EnumValue(key, index, name, name_length, type, data, size);
  }
  if (status == kErrorSuccess) call.value_name.assign(name, *name_length);
  return Finish(std::move(call), status);
}

RegStatus InstrumentedStore::QueryInfoKey(RegKey key, std::uint32_t* subkeys,
                                          std::uint32_t* max_subkey_length) {
  Call call{Operation::QueryInfoKey, DescribeKey(key), {}};
  RegStatus status = Begin(call);
  if (status == kErrorSuccess) status = store_.QueryInfoKey(key, subkeys, max_subkey_length);
  return Finish(std::move(call), status);
}

}  // namespace quillmark::testing
