// Registry snapshots: reading every value kind, the canonical form they are saved in, and the
// faults that make a script load nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regfile/registry_script.h"
#include "registry/tregistry.h"
#include "stores/memory_registry.h"
#include "support/store_fixture.h"

namespace quillmark::testing {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

// The type and bytes of one value of a loaded registry, as the store hands them out.
std::string Stored(MemoryRegistry& registry, const char* key_path, const char* name,
                   std::uint32_t* type) {
  RegKey key = 0;
  if (registry.OpenKey(RootHandle(RootKey::CurrentUser), key_path, kKeyRead, &key) !=
      kErrorSuccess) {
    return "no key";
  }
  std::uint8_t data[64];
  std::uint32_t size = sizeof data;
  const RegStatus status = registry.QueryValue(key, name, type, data, &size);
  registry.CloseKey(key);
  if (status != kErrorSuccess) return "error " + std::to_string(status);
  return std::string(reinterpret_cast<char*>(data), size);
}

TEST(RegistryScript, EveryValueLineGivesItsTypeAndBytes) {
  struct Case {
    const char* line;
    const char* name;
    std::uint32_t type;
    std::string bytes;
  };
  const Case cases[] = {
      {"\"MenuShowDelay\"=\"400\"", "MenuShowDelay", kRegSz, std::string("400\0", 4)},
      {"@=\"Take Ownership\"", "", kRegSz, std::string("Take Ownership\0", 15)},
      {"\"NoWorkingDirectory\"=\"\"", "NoWorkingDirectory", kRegSz, std::string(1, '\0')},
      {R"("cmd"="cmd /c cd /d \"%1\" && del /s /q *.*")", "cmd", kRegSz,
       std::string("cmd /c cd /d \"%1\" && del /s /q *.*\0", 35)},
      {R"("back\\slash\"quote"="C:\\Windows")", "back\\slash\"quote", kRegSz,
       std::string("C:\\Windows\0", 11)},
      {"\"eight bit\"=\"caf\xe9\"", "eight bit", kRegSz, std::string("caf\xe9\0", 5)},
      {"\"EnableLUA\"=dword:00000001", "EnableLUA", kRegDword, std::string("\1\0\0\0", 4)},
      {"\"big\"=dword:FFFFfffe", "big", kRegDword, "\xfe\xff\xff\xff"},
      {"\"short digits\"=dword:1f", "short digits", kRegDword, std::string("\x1f\0\0\0", 4)},
      {"\"bin\"=hex:00,ff,10", "bin", kRegBinary, std::string("\0\xff\x10", 3)},
      {"\"empty bin\"=hex:", "empty bin", kRegBinary, ""},
      {"\"expand\"=hex(2):25,00", "expand", kRegExpandSz, std::string("%\0", 2)},
      {"\"qword\"=hex(b):01,00,00,00,00,00,00,00", "qword", 11, std::string("\1\0\0\0\0\0\0\0", 8)},
      {"\"short dword\"=hex(4):34,12", "short dword", kRegDword, "\x34\x12"},
      {"\"no zero\"=hex(1):61,62", "no zero", kRegSz, "ab"},
      {"\"odd\"=hex(12345):", "odd", 0x12345, ""},
      {"\"spaced\" = hex: 01 , 02 ", "spaced", kRegBinary, "\1\2"},
  };
  for (const Case& c : cases) {
    MemoryRegistry registry = LoadSnapshot(std::string("Windows Registry Editor Version 5.00\n") +
                                           "[HKEY_CURRENT_USER\\k]\n" + c.line + "\n");
    std::uint32_t type = 0;
    EXPECT_EQ(Stored(registry, "k", c.name, &type), c.bytes) << c.line;
    EXPECT_EQ(type, c.type) << c.line;
  }
}

TEST(RegistryScript, HexDataContinuesOnLinesEndingInABackslash) {
  MemoryRegistry registry = LoadSnapshot(
      "Windows Registry Editor Version 5.00\r\n"
      "[HKEY_CURRENT_USER\\k]\r\n"
      "\"bin\"=hex:01,02,\\\r\n"
      "  03,\\\n"
      "\t04\r\n"
      "\"after\"=\"x\"\r\n");
  std::uint32_t type = 0;
  EXPECT_EQ(Stored(registry, "k", "bin", &type), "\1\2\3\4");
  EXPECT_EQ(Stored(registry, "k", "after", &type), std::string("x\0", 2));
}

TEST(RegistryScript, CanonicalScriptsSurviveARoundTripUnchanged) {
  const std::string scripts[] = {
      kHeader,
      std::string(kHeader) +
          "[HKEY_CLASSES_ROOT]\r\n"
          "\"at the root\"=\"yes\"\r\n\r\n"
          "[HKEY_CLASSES_ROOT\\*]\r\n\r\n"
          "[HKEY_CLASSES_ROOT\\*\\shell]\r\n\r\n"
          "[HKEY_CLASSES_ROOT\\*\\shell\\runas]\r\n"
          "@=\"Take Ownership\"\r\n"
          "\"NoWorkingDirectory\"=\"\"\r\n\r\n"
          "[HKEY_CLASSES_ROOT\\*\\shell\\runas\\command]\r\n"
          "@=\"cmd.exe /c takeown /f \\\"%V\\\" && icacls \\\"%V\\\" /grant administrators:F\"\r\n"
          "\"IsolatedCommand\"=\"x\"\r\n\r\n"
          "[HKEY_CURRENT_USER\\Empty]\r\n\r\n"
          "[HKEY_CURRENT_USER\\Empty\\Deeper]\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\software]\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\software\\system]\r\n"
          "\"ConsentPromptBehaviorAdmin\"=dword:00000000\r\n"
          "\"EnableLUA\"=dword:ffffffff\r\n\r\n",
      std::string(kHeader) +
          "[HKEY_CURRENT_USER\\Kinds]\r\n"
          "@=hex(1):\r\n"
          "\"bin\"=hex:de,ad\r\n"
          "\"crlf\"=hex(1):61,0d,0a,00\r\n"
          "\"empty bin\"=hex:\r\n"
          "\"expand\"=hex(2):25,56,25,00\r\n"
          "\"inner zero\"=hex(1):61,00,62,00\r\n"
          "\"multi\"=hex(7):61,00,62,00,00\r\n"
          "\"name \\\\ with \\\" escapes\"=\"\xe9t\xe9\"\r\n"
          "\"none\"=hex(0):\r\n"
          "\"odd\"=hex(12345):01\r\n"
          "\"short dword\"=hex(4):01,02\r\n"
          "\"wide\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
          "  16,17,18,19,1a,1b,1c,1d\r\n\r\n",
  };
  for (const std::string& script : scripts) {
    EXPECT_EQ(SaveSnapshot(LoadSnapshot(script)), script);
  }
}

TEST(RegistryScript, AnyScriptIsSavedInTheCanonicalForm) {
  MemoryRegistry registry = LoadSnapshot(
      "Windows Registry Editor Version 5.00\n"
      "; a comment, then blank lines\n"
      "\n"
      "   \n"
      "[hkey_current_user\\b\\Zeta]\n"
      "\"z\"=\"1\"\n"
      "\"A\"=\"2\"\n"
      "@=\"default\"\n"
      "[HKEY_CURRENT_USER\\a]\n"
      "[HKEY_CURRENT_USER\\b\\zeta]\n"
      "\"A\"=dword:2\n"
      "\"gone\"=\"x\"\n"
      "\"gone\"=-\n"
      "[HKEY_CURRENT_USER\\b\\alpha\\old]\n"
      "[-HKEY_CURRENT_USER\\b\\alpha]\n"
      "[-HKEY_CURRENT_USER\\never\\there]\n");
  EXPECT_EQ(SaveSnapshot(registry), std::string(kHeader) +
                                        "[HKEY_CURRENT_USER\\a]\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\b]\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\b\\Zeta]\r\n"
                                        "@=\"default\"\r\n"
                                        "\"A\"=dword:00000002\r\n"
                                        "\"z\"=\"1\"\r\n\r\n");
}

TEST(RegistryScript, LinesEndAtCrLfLfOrALoneCr) {
  const std::string expected = std::string(kHeader) +
                               "[HKEY_CURRENT_USER\\k]\r\n"
                               "\"a\"=\"1\"\r\n"
                               "\"b\"=hex:01,02\r\n\r\n";
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string script = std::string("Windows Registry Editor Version 5.00") + end + end +
                               "[HKEY_CURRENT_USER\\k]" + end + "\"a\"=\"1\"" + end +
                               "\"b\"=hex:01,\\" + end + "  02" + end;
    EXPECT_EQ(SaveSnapshot(LoadSnapshot(script)), expected) << ::testing::PrintToString(end);
  }
  // A lone CR between a CR LF and a LF: four lines, the fault on the fourth.
  try {
    LoadSnapshot("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\k]\r\n\rv\n");
    ADD_FAILURE() << "loaded";
  } catch (const SnapshotError& error) {
    EXPECT_EQ(error.Line(), 4);
  }
}

TEST(RegistryScript, ADocumentKeepsTheSectionsBelowOtherRootsAsWritten) {
  const SnapshotDocument document = LoadSnapshotDocument(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_CURRENT_USER\\k]\n"
      "\"a\"=\"1\"\n"
      "[HKEY_USERS\\.DEFAULT\\Software\\Kept]\n"
      "; comments go, as everywhere\n"
      "  \"Spaced\" = \"as written\"  \n"
      "\"Wide\"=hex:01,\\\n"
      "  02\n"
      "[hkey_current_config]\n"
      "[-HKEY_USERS\\S-1-5-18\\Gone]\n"
      "[HKEY_LOCAL_MACHINE\\m]\n"
      "@=\"x\"\n");
  EXPECT_EQ(SaveSnapshot(document.registry), std::string(kHeader) +
                                                 "[HKEY_CURRENT_USER\\k]\r\n"
                                                 "\"a\"=\"1\"\r\n\r\n"
                                                 "[HKEY_LOCAL_MACHINE\\m]\r\n"
                                                 "@=\"x\"\r\n\r\n");
  const std::vector<std::string> kept = {
      "[HKEY_USERS\\.DEFAULT\\Software\\Kept]\r\n"
      "  \"Spaced\" = \"as written\"  \r\n"
      "\"Wide\"=hex:01,\\\r\n"
      "  02",
      "[hkey_current_config]",
      "[-HKEY_USERS\\S-1-5-18\\Gone]",
  };
  EXPECT_EQ(document.kept_sections, kept);
  const std::string saved = SaveSnapshotDocument(document);
  EXPECT_EQ(saved, SaveSnapshot(document.registry) + kept[0] + "\r\n\r\n" + kept[1] + "\r\n\r\n" +
                       kept[2] + "\r\n\r\n");
  EXPECT_EQ(SaveSnapshotDocument(LoadSnapshotDocument(saved)), saved);

  // Their lines are checked as any others; outside a document they are faults.
  struct Case {
    std::string script;
    const char* message;
  };
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const Case faults[] = {
      {header + "[HKEY_USERS\\k]\n\"v\"=dword:xyz\n", "line 3: dword: must be followed"},
      {header + "[-HKEY_USERS\\k]\n\"v\"=\"x\"\n", "line 3: a value must follow a key line"},
      {header + "[-HKEY_CURRENT_CONFIG]\n", "line 2: a root key cannot be removed"},
      {header + "[HKEY_USERS\\a\\\\b]\n", "line 2: a key path has an empty key name"},
      {header + "[HKEY_PERFORMANCE_DATA\\k]\n", "line 2: unknown root key"},
  };
  for (const Case& c : faults) {
    try {
      LoadSnapshotDocument(c.script);
      ADD_FAILURE() << "loaded: " << c.script;
    } catch (const SnapshotError& error) {
      EXPECT_EQ(error.Message().rfind(c.message, 0), 0u) << error.Message();
    }
  }
  EXPECT_THROW(LoadSnapshot(header + "[HKEY_CURRENT_CONFIG\\k]\n"), SnapshotError);
}

TEST(RegistryScript, AFaultyScriptNamesTheLineAndLoadsNothing) {
  struct Case {
    std::string script;
    const char* message;
  };
  const std::string header = "Windows Registry Editor Version 5.00\n";
  const std::string key = header + "[HKEY_CURRENT_USER\\k]\n";
  const Case cases[] = {
      {"", "line 1: the first line must be \"Windows Registry Editor Version 5.00\""},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\k]\n", "line 1: the first line must be"},
      {header + "\"v\"=\"x\"\n", "line 2: a value must follow a key line"},
      {header + "[-HKEY_CURRENT_USER\\k]\n\"v\"=\"x\"\n", "line 3: a value must follow a key line"},
      {header + "[HKEY_CURRENT_USER\\k\n", "line 2: a key line must end with \"]\""},
      {header + "[HKEY_USERS\\k]\n", "line 2: unknown root key \"HKEY_USERS\""},
      {header + "[HKEY_CURRENT_USER\\a\\\\b]\n", "line 2: a key path has an empty key name"},
      {header + "[HKEY_CURRENT_USER\\a\\]\n", "line 2: a key path has an empty key name"},
      {header + "[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\n",
       "line 2: a key name is longer than 255 characters"},
      {header + "[-HKEY_LOCAL_MACHINE]\n", "line 2: a root key cannot be removed"},
      {header + std::string("[-HKEY_CURRENT_USER\\\0]\n", 23),
       "line 2: a key name holds a zero byte"},
      {key + std::string("\"a\0b\"=\"x\"\n", 10), "line 3: a value name holds a zero byte"},
      {key + "\n\"v\"\n", "line 4: expected \"=\" after the value name"},
      {key + "\"v=\"x\"\n", "line 3: expected \"=\" after the value name"},
      {key + "\"v\"=\"x\n", "line 3: a quoted text has no closing quote"},
      {key + "\"v\"=\"x\" y\n", "line 3: unexpected text after the closing quote"},
      {key + "\"v\\n\"=\"x\"\n", "line 3: only \\\\ and \\\" may follow a backslash in quotes"},
      {key + "\"v\"=dword:123456789\n", "line 3: dword: must be followed by 1 to 8 hex digits"},
      {key + "\"v\"=dword:\n", "line 3: dword: must be followed by 1 to 8 hex digits"},
      {key + "\"v\"=dword:12g4\n", "line 3: dword: must be followed by 1 to 8 hex digits"},
      {key + "\"v\"=hex:1,2g\n", "line 3: hex data must be two-digit hex bytes"},
      {key + "\"v\"=hex:123\n", "line 3: hex data must be two-digit hex bytes"},
      {key + "\"v\"=hex:01,\n", "line 3: hex data ends with a comma"},
      {key + "\"v\"=hex:01,,02\n", "line 3: hex data must be two-digit hex bytes"},
      {key + "\"v\"=hex(x):01\n", "line 3: hex( must be followed by 1 to 8 hex digits"},
      {key + "\"v\"=hex(2)01\n", "line 3: expected \":\" after hex"},
      {key + "\"v\"=hex:01,\\\n", "line 3: hex data continues past the end of the script"},
      {key + "\"v\"=text\n", "line 3: expected \"text\", dword:, hex:, hex(N): or - after"},
      {key + "v=\"x\"\n", "line 3: expected a key line"},
      {key + "\"" + std::string(16384, 'v') + "\"=\"x\"\n",
       "line 3: a value name is longer than 16383 characters"},
  };
  for (const Case& c : cases) {
    try {
      LoadSnapshot(c.script);
      ADD_FAILURE() << "loaded: " << c.script.substr(0, 80);
    } catch (const SnapshotError& error) {
      EXPECT_EQ(error.Message().rfind(c.message, 0), 0u)
          << "got \"" << error.Message() << "\" for " << c.script.substr(0, 80);
    }
  }
}

TEST(RegistryScript, AFaultAnywhereAppliesNothing) {
  MemoryRegistry registry = LoadSnapshot(
      "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n");
  const std::string before = SaveSnapshot(registry);
  EXPECT_THROW(ApplyRegistryScript(registry,
                                   "Windows Registry Editor Version 5.00\n"
                                   "[-HKEY_CURRENT_USER\\Control Panel]\n"
                                   "[HKEY_CURRENT_USER\\New]\n"
                                   "\"v\"=dword:xyz\n"),
               SnapshotError);
  EXPECT_EQ(SaveSnapshot(registry), before);
}

TEST(RegistryScript, AStoreThatRefusesAStepStopsTheScriptThere) {
  MemoryRegistry registry;
  registry.SetRights(MemoryRegistry::Rights::StandardUser);
  try {
    ApplyRegistryScript(registry,
                        "Windows Registry Editor Version 5.00\n"
                        "[HKEY_CURRENT_USER\\Mine]\n"
                        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Theirs]\n"
                        "[HKEY_CURRENT_USER\\Later]\n");
    ADD_FAILURE() << "applied";
  } catch (const SnapshotError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_EQ(error.Message(),
              "line 3: cannot create HKEY_LOCAL_MACHINE\\SOFTWARE\\Theirs (error 5)");
  }
  EXPECT_EQ(SaveSnapshot(registry), std::string(kHeader) + "[HKEY_CURRENT_USER\\Mine]\r\n\r\n");
}

TEST(RegistryScript, NamesWithLineBreaksCannotBeSaved) {
  MemoryRegistry registry;
  RegKey key = 0;
  ASSERT_EQ(registry.CreateKey(RootHandle(RootKey::CurrentUser), "k", kKeyAllAccess, &key, nullptr),
            kErrorSuccess);
  const std::uint8_t zero = 0;
  ASSERT_EQ(registry.SetValue(key, "two\nlines", kRegSz, &zero, 1), kErrorSuccess);
  registry.CloseKey(key);
  EXPECT_THROW(SaveSnapshot(registry), SnapshotError);
}

TEST(RegistryScript, ValueDataHasOneNotationOnOneLine) {
  struct Case {
    std::uint32_t type;
    std::string bytes;
    std::string data;
  };
  std::string forty = "hex:11";
  for (int i = 1; i < 40; ++i) forty += ",11";
  const Case cases[] = {
      {kRegSz, std::string("x\0", 2), "\"x\""},
      {kRegSz, std::string("a \"b\" \\c\0", 9), "\"a \\\"b\\\" \\\\c\""},
      {kRegSz, std::string("caf\xe9\0", 5), "\"caf\xe9\""},
      {kRegSz, std::string("a\r\n\0", 4), "hex(1):61,0d,0a,00"},
      {kRegSz, "ab", "hex(1):61,62"},
      {kRegExpandSz, std::string("%V%\0", 4), "hex(2):25,56,25,00"},
      {kRegMultiSz, std::string("a\0b\0\0", 5), "hex(7):61,00,62,00,00"},
      {kRegBinary, std::string(40, '\x11'), forty},
      {kRegDword, "\x01\x02", "hex(4):01,02"},
      {kRegDword, std::string("\x05\0\0\0", 4), "dword:00000005"},
      {0x12345, "", "hex(12345):"},
  };
  for (const Case& c : cases) {
    const MemoryRegistry::StoredValue value{c.type, {c.bytes.begin(), c.bytes.end()}};
    EXPECT_EQ(ScriptData(value), c.data);
    // It reads back as the same type and bytes.
    MemoryRegistry registry = LoadSnapshot(
        std::string("Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\k]\n\"v\"=") +
        c.data + "\n");
    std::uint32_t type = 0;
    EXPECT_EQ(Stored(registry, "k", "v", &type), c.bytes) << c.data;
    EXPECT_EQ(type, c.type) << c.data;
  }
}

// The same script applied to every store, the real registry under Wine included.
using ScriptOnStores = StoreTest;

TEST_P(ScriptOnStores, AScriptPreparesKeysAndValuesInAnyStore) {
  ApplyRegistryScript(store(),
                      "Windows Registry Editor Version 5.00\n"
                      "[HKEY_CURRENT_USER\\Software\\QuillmarkTest\\Desktop]\n"
                      "\"MenuShowDelay\"=\"8\"\n"
                      "\"EnableLUA\"=dword:00000000\n"
                      "\"bin\"=hex:01,02\n"
                      "[HKEY_CURRENT_USER\\Software\\QuillmarkTest\\Old\\Deeper]\n"
                      "[-HKEY_CURRENT_USER\\Software\\QuillmarkTest\\Old]\n");
  TRegistry registry(store());
  ASSERT_TRUE(registry.OpenAsCurrent("\\Software\\QuillmarkTest\\Desktop", false));
  EXPECT_EQ(registry.ReadText("MenuShowDelay"), "8");
  EXPECT_EQ(registry.ReadNumber("EnableLUA"), 0);
  EXPECT_EQ(registry.ValueKind("bin"), RegValueKind::KindBinary);
  EXPECT_FALSE(registry.KeyPresent("\\Software\\QuillmarkTest\\Old"));
}

INSTANTIATE_TEST_SUITE_P(Stores, ScriptOnStores, ::testing::ValuesIn(AllStores()), StoreName);

}  // namespace
}  // namespace quillmark::testing
