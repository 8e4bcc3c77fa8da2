#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"

namespace quillmark::testing {
namespace {

TEST(CliHere, WithoutARegistryFileThereIsNothingToWorkOn) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"status"}, out, err), 1);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "error: there is no live registry on this system; use --registry FILE\n");
}

TEST(CliHere, ThereIsNoLiveSystemToIdentify) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"system"}, out, err), 1);
  EXPECT_EQ(err.str(),
            "error: this is no Windows system; use --registry FILE to ask a simulated Windows 7\n");
}

}  // namespace
}  // namespace quillmark::testing
