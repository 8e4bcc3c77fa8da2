// quillmark-cli commands and what they leave behind, their results and the file, as one text:
// commands run at once on one file must leave what the same commands leave one after the
// other in some order.
#pragma once

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/files.h"

namespace quillmark::testing {

struct CommandResult {
  int code = -1;
  std::string out;
  std::string err;
  std::string Text() const { return std::to_string(code) + "|" + out + "|" + err; }
};

inline CommandResult RunCommand(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

// The file, then each command's result in the order the commands are listed.
inline std::string Outcome(const std::string& file, const std::vector<std::string>& results) {
  std::string text = ReadWholeFile(file);
  for (const std::string& result : results) text += "\n--\n" + result;
  return text;
}

// What the commands leave in every order, each run from the state prepare makes.
inline std::set<std::string> OutcomesOfEveryOrder(
    const std::vector<std::vector<std::string>>& commands, const std::function<void()>& prepare,
    const std::string& file) {
  std::set<std::string> outcomes;
  std::vector<std::size_t> order(commands.size());
  std::iota(order.begin(), order.end(), 0);
  do {
    prepare();
    std::vector<std::string> results(commands.size());
    for (std::size_t i : order) results[i] = RunCommand(commands[i]).Text();
    outcomes.insert(Outcome(file, results));
  } while (std::next_permutation(order.begin(), order.end()));
  return outcomes;
}

}  // namespace quillmark::testing
