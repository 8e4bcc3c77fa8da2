// The difference of two registries as lines: what was made, changed and removed, in key order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regfile/registry_difference.h"
#include "regfile/registry_script.h"

namespace quillmark::testing {
namespace {

using Lines = std::vector<std::string>;

Lines Difference(const std::string& before, const std::string& after) {
  const std::string header = "Windows Registry Editor Version 5.00\n";
  return RegistryDifference(LoadSnapshot(header + before), LoadSnapshot(header + after));
}

TEST(RegistryDifference, ListsEveryKindOfChangeInKeyOrder) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
    Lines lines;
  };
  const Case cases[] = {
      {"a key respelt",
       "[HKEY_CURRENT_USER\\a]\n\"v\"=\"1\"\n",
       "[HKEY_CURRENT_USER\\A]\n\"V\"=\"1\"\n",
       {"- [HKEY_CURRENT_USER\\a]", "+ [HKEY_CURRENT_USER\\A]",
        "+ [HKEY_CURRENT_USER\\A] \"V\"=\"1\""}},
      {"the same",
       "[HKEY_CURRENT_USER\\a]\n\"v\"=\"1\"\n",
       "[HKEY_CURRENT_USER\\a]\n\"v\"=\"1\"\n",
       {}},
      {"a value of each kind",
       "[HKEY_CURRENT_USER\\k]\n\"changed\"=\"400\"\n\"gone\"=dword:1\n\"type\"=\"1\"\n",
       "[HKEY_CURRENT_USER\\k]\n@=\"none\"\n\"changed\"=\"8\"\n\"type\"=dword:1\n\"new\"=hex:01\n",
       {"+ [HKEY_CURRENT_USER\\k] @=\"none\"",
        "~ [HKEY_CURRENT_USER\\k] \"changed\"=\"8\" (was \"400\")",
        "- [HKEY_CURRENT_USER\\k] \"gone\" (was dword:00000001)",
        "+ [HKEY_CURRENT_USER\\k] \"new\"=hex:01",
        "~ [HKEY_CURRENT_USER\\k] \"type\"=dword:00000001 (was \"1\")"}},
      {"a tree removed, parents first, without its values",
       "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\n@=\"x\"\n[HKEY_CLASSES_ROOT\\*\\shell\\a]\n",
       "[HKEY_CLASSES_ROOT\\*\\shell\\a]\n",
       {"- [HKEY_CLASSES_ROOT\\*\\shell\\runas]",
        "- [HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]"}},
      {"a tree made, with its values",
       "[HKEY_LOCAL_MACHINE\\S]\n",
       "[HKEY_LOCAL_MACHINE\\S\\R\\N]\n@=\"Printers\"\n[HKEY_CURRENT_USER\\M]\n\"T\"=\"50\"\n",
       {"+ [HKEY_CURRENT_USER\\M]", "+ [HKEY_CURRENT_USER\\M] \"T\"=\"50\"",
        "+ [HKEY_LOCAL_MACHINE\\S\\R]", "+ [HKEY_LOCAL_MACHINE\\S\\R\\N]",
        "+ [HKEY_LOCAL_MACHINE\\S\\R\\N] @=\"Printers\""}},
      {"a value respelt",
       "[HKEY_CURRENT_USER\\k]\n\"abc\"=\"1\"\n",
       "[HKEY_CURRENT_USER\\k]\n\"ABC\"=\"1\"\n",
       {"- [HKEY_CURRENT_USER\\k] \"abc\" (was \"1\")", "+ [HKEY_CURRENT_USER\\k] \"ABC\"=\"1\""}},
      {"siblings in order: a key before its subkeys, subkeys before a later sibling",
       "[HKEY_CURRENT_USER\\a b]\n[HKEY_CURRENT_USER\\a\\z]\n",
       "",
       {"- [HKEY_CURRENT_USER\\a]", "- [HKEY_CURRENT_USER\\a\\z]", "- [HKEY_CURRENT_USER\\a b]"}},
      {"data in hex on one line",
       "[HKEY_CURRENT_USER\\k]\n\"p\"=hex(2):25,00\n",
       "[HKEY_CURRENT_USER\\k]\n",
       {"- [HKEY_CURRENT_USER\\k] \"p\" (was hex(2):25,00)"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Difference(c.before, c.after), c.lines) << c.what;
  }
}

}  // namespace
}  // namespace quillmark::testing
