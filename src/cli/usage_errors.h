// Bad usage of quillmark-cli: what was wrong, said in one line, and the line that points to the
// usage. %s stands for the word at fault.
#pragma once

#include <cstdio>
#include <exception>
#include <string>

namespace quillmark {

inline constexpr const char* kUsageNoCommand = "no command given";
inline constexpr const char* kUsageUnknownCommand = "unknown command %s";
inline constexpr const char* kUsageUnknownOption = "unknown option %s";
inline constexpr const char* kUsageNeedsFile = "%s needs a FILE";
inline constexpr const char* kUsageGivenTwice = "%s is given twice";
inline constexpr const char* kUsageUserNeedsRegistry = "--user works only with --registry FILE";
inline constexpr const char* kUsageJsonNotHere =
    "--json works only with list, status, apply and defaults";
inline constexpr const char* kUsageNoArguments = "%s takes no arguments";
inline constexpr const char* kUsageApplyNeedsRows = "apply needs ROWS";
inline constexpr const char* kUsagePlanNeedsRows = "plan needs ROWS or defaults";
inline constexpr const char* kUsageScriptArguments = "script takes ROWS and a FILE";
inline constexpr const char* kUsageBackupNotHere = "--backup works only with apply and defaults";
inline constexpr const char* kUsagePartNotHere = "--part works only with script";
inline constexpr const char* kUsagePartNeedsName = "--part needs machine or user";
inline constexpr const char* kUsageNoSuchPart = "no part %s: --part takes machine or user";
inline constexpr const char* kUsageOneArgument = "%s takes one argument";
inline constexpr const char* kUsageNoSuchRow = "no row %s: rows are 0 to 13";
inline constexpr const char* kUsageNoRowNamed = "no row named %s: list shows the names";
inline constexpr const char* kUsageEmptyRow = "an empty row in \"%s\"";
inline constexpr const char* kUsageBackwardRange = "the range %s runs backwards";
inline constexpr const char* kUsageStandsAlone = "%s stands alone: give it as the whole of ROWS";

inline constexpr const char* kUsagePointer = "see quillmark-cli --help";

class UsageError : public std::exception {
 public:
  UsageError(const char* text, const std::string& word = "") {
    char line[256];
    std::snprintf(line, sizeof line, text, word.c_str());
    message_ = line;
  }
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace quillmark
