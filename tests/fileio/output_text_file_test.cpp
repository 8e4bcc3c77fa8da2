// The buffered writer over a recording file API: what reaches the platform, when, and which
// codes the checks raise.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/failure_classes.h"
#include "fileio/output_text_file.h"
#include "fileio/text_file_write.h"
#include "support/recording_files.h"

namespace quillmark::testing {
namespace {

using Calls = std::vector<std::string>;

Calls operator+(Calls first, const Calls& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// The calls that open a disk file under name: looked at, left as it is, and a fresh file made
// beside it.
Calls Opening(const std::string& name) {
  return {"open " + name, "kind", "close", "create " + name + ".*.tmp like " + name};
}

// The calls that put the fresh file in the place of the one under name.
Calls Finishing(const std::string& name) {
  return {"flush", "close", "replace " + name + ".*.tmp " + name, "sync " + name};
}

// The code and message CheckIoResult raises, or "none".
std::string Check() {
  try {
    CheckIoResult();
  } catch (const EInOutError& failure) {
    return std::to_string(failure.ErrorCode()) + " " + failure.Message();
  }
  return "none";
}

TEST(OutputTextFile, DiskFilesGetFullBlocksWhileWritingAndTheRestAtClose) {
  RecordingFiles files;
  OutputTextFile file(files);
  file.BindName("C:\\out.reg");
  file.OpenForWriting();
  file.PutString(std::string(300, 'a'));
  file.PutLineEnd();
  EXPECT_EQ(files.calls, (Opening("C:\\out.reg") + Calls{"write 128", "write 128"}));
  file.CloseFile();
  EXPECT_EQ(Check(), "none");
  EXPECT_EQ(files.calls, (Opening("C:\\out.reg") + Calls{"write 128", "write 128", "write 46"} +
                          Finishing("C:\\out.reg")));
  EXPECT_EQ(files.Written(), std::string(300, 'a') + "\r\n");
  EXPECT_FALSE(file.IsOpen());
}

TEST(OutputTextFile, ExactlyOneBlockIsPassedOnOnceAndNothingAtClose) {
  RecordingFiles files;
  OutputTextFile file(files);
  file.BindName("f");
  file.OpenForWriting();
  file.PutString(std::string(126, 'b'));
  file.PutLineEnd();
  file.CloseFile();
  EXPECT_EQ(files.calls, (Opening("f") + Calls{"write 128"} + Finishing("f")));
}

TEST(OutputTextFile, ACharacterDeviceGetsEveryLineAtItsEnd) {
  RecordingFiles files;
  files.kind = FileApi::Kind::Character;
  OutputTextFile file(files);
  file.BindName("CON");
  file.OpenForWriting();
  file.PutString("ab");
  file.PutLineEnd();
  file.PutString("");
  file.PutLineEnd();
  file.CloseFile();
  EXPECT_EQ(files.calls, (Calls{"open CON", "kind", "write 4", "write 2", "close"}));
  EXPECT_EQ(files.Written(), "ab\r\n\r\n");
}

TEST(OutputTextFile, AHandleOfUnknownKindIsClosedWithCode105) {
  RecordingFiles files;
  files.kind = FileApi::Kind::Unknown;
  OutputTextFile file(files);
  file.BindName("odd");
  file.OpenForWriting();
  EXPECT_EQ(files.calls, (Calls{"open odd", "kind", "close"}));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(Check(), "105 I/O error 105");
}

TEST(OutputTextFile, StatementsOnAFileNotOpenGive105And103) {
  RecordingFiles files;
  OutputTextFile file(files);
  file.BindName("never opened");
  file.PutString("x");
  EXPECT_EQ(Check(), "105 I/O error 105");
  file.PutLineEnd();
  EXPECT_EQ(Check(), "103 I/O error 103");
  file.CloseFile();
  EXPECT_EQ(Check(), "103 I/O error 103");
  EXPECT_EQ(files.calls, Calls{});
}

TEST(OutputTextFile, AWriteRefusedInTheMiddleKeepsTheFullBlocksAndLosesTheBuffer) {
  RecordingFiles files;
  files.refuse_write = 2;
  OutputTextFile file(files);
  file.BindName("f");
  file.OpenForWriting();
  file.PutString(std::string(100, '1'));
  file.PutLineEnd();
  EXPECT_EQ(Check(), "none");
  file.PutString(std::string(100, '2'));
  file.PutLineEnd();
  EXPECT_EQ(Check(), "none");
  file.PutString(std::string(100, '3'));  // the second block is refused here
  file.PutLineEnd();
  EXPECT_EQ(Check(), "112 I/O error 112");
  EXPECT_EQ(files.Written(), std::string(100, '1') + "\r\n" + std::string(26, '2'));
  EXPECT_EQ(Check(), "none");  // the raising check cleared the code
}

TEST(OutputTextFile, APartWrittenBlockIsADiskFull) {
  RecordingFiles files;
  files.short_write = 1;
  OutputTextFile file(files);
  file.BindName("f");
  file.OpenForWriting();
  file.PutString("short");
  file.CloseFile();
  EXPECT_EQ(Check(), "101 Disk full");
  EXPECT_TRUE(file.IsOpen());  // the handle was not closed after the failed write
}

TEST(OutputTextFile, ARefusedCloseReportsThePlatformCodeAndNeverClosesTheHandleAgain) {
  RecordingFiles files;
  files.refuse_close = 2;  // the first closes what was under the name
  {
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    file.PutString("text");
    file.CloseFile();
    EXPECT_EQ(Check(), "6 I/O error 6");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(files.Written(), "text");
    file.CloseFile();
    EXPECT_EQ(Check(), "103 I/O error 103");
  }
  EXPECT_EQ(files.calls, (Opening("f") + Calls{"write 4", "flush", "close", "remove f.*.tmp"}));
  EXPECT_EQ(Check(), "none");
}

TEST(OutputTextFile, AWriterLeftOpenClosesItsFileWithoutTheWaitingBytes) {
  RecordingFiles files;
  {
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    file.PutString("waiting");
  }
  EXPECT_EQ(files.calls, (Opening("f") + Calls{"close", "remove f.*.tmp"}));
  EXPECT_EQ(Check(), "none");
}

TEST(OutputTextFile, AWriterLeftOpenWhoseCloseIsRefusedLeavesTheCodePending) {
  RecordingFiles files;
  files.refuse_close = 2;
  files.refuse_close_code = 5;
  {
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
  }
  EXPECT_EQ(files.calls, (Opening("f") + Calls{"close", "remove f.*.tmp"}));
  EXPECT_EQ(Check(), "5 File access denied");
}

TEST(OutputTextFile, ARefusedCloseAtTheEndKeepsAnEarlierPendingCode) {
  RecordingFiles files;
  files.refuse_write = 1;
  files.refuse_close = 2;
  {
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    file.PutString("text");
    file.CloseFile();  // the write is refused, the file stays open
    EXPECT_TRUE(file.IsOpen());
  }
  EXPECT_EQ(files.calls, (Opening("f") + Calls{"write 4", "close", "remove f.*.tmp"}));
  EXPECT_EQ(Check(), "112 I/O error 112");
  EXPECT_EQ(Check(), "none");
}

TEST(OutputTextFile, ARefusedOpenReportsThePlatformCodeAndLeavesTheWriterClosed) {
  struct Case {
    std::uint32_t code;
    const char* check;
  };
  for (const Case& c : {Case{3, "3 Invalid filename"}, Case{5, "5 File access denied"},
                        Case{2, "2 File not found"}, Case{4, "4 Too many open files"},
                        Case{32, "32 I/O error 32"}, Case{112, "112 I/O error 112"}}) {
    RecordingFiles files;
    files.refuse_create = c.code;
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Check(), c.check);
  }
}

TEST(OutputTextFile, NamesLongerThanTheFieldAreInvalidAndNeverReachThePlatform) {
  RecordingFiles files;
  OutputTextFile file(files);
  file.BindName(std::string(260, 'n'));
  file.OpenForWriting();
  EXPECT_EQ(Check(), "3 Invalid filename");
  file.BindName(std::string("cut\0short", 9));
  file.OpenForWriting();
  EXPECT_EQ(Check(), "3 Invalid filename");
  EXPECT_EQ(files.calls, Calls{});
  file.BindName(std::string(259, 'n'));
  file.OpenForWriting();
  EXPECT_EQ(Check(), "none");
  EXPECT_EQ(files.calls, Opening(std::string(259, 'n')));
}

TEST(OutputTextFile, EachThreadHasItsOwnPendingCode) {
  RecordingFiles files;
  OutputTextFile file(files);
  file.CloseFile();  // 103 pending here
  std::string elsewhere;
  std::thread([&] { elsewhere = Check(); }).join();
  EXPECT_EQ(elsewhere, "none");
  EXPECT_EQ(Check(), "103 I/O error 103");
}

TEST(OutputTextFile, WhatIsUnderTheNameIsOpenedInPlaceOnlyWhenItIsADeviceOrAPipe) {
  struct Case {
    FileApi::Kind kind;
    std::uint32_t refuse_open;
    Calls calls;
  };
  const Case cases[] = {
      {FileApi::Kind::Disk, 0, Opening("f") + Calls{"write 3"} + Finishing("f")},
      {FileApi::Kind::Character, 0, {"open f", "kind", "write 3", "close"}},
      {FileApi::Kind::Pipe, 0, {"open f", "kind", "write 3", "close"}},
      // Nothing there, or no folder either: made fresh, or refused as the fresh file is.
      {FileApi::Kind::Disk, kFileNotFound,
       Calls{"open f", "create f.*.tmp like f", "write 3"} + Finishing("f")},
      {FileApi::Kind::Disk, kPathNotFound,
       Calls{"open f", "create f.*.tmp like f", "write 3"} + Finishing("f")},
  };
  for (const Case& c : cases) {
    RecordingFiles files;
    files.kind = c.kind;
    files.refuse_open = c.refuse_open;
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    file.PutString("abc");
    file.CloseFile();
    EXPECT_EQ(Check(), "none");
    EXPECT_EQ(files.calls, c.calls) << ::testing::PrintToString(c.calls);
    EXPECT_EQ(files.Written(), "abc");
  }
}

TEST(OutputTextFile, FreshNamesAreBesideTheFileRandomAndTakenOnesAreSkipped) {
  RecordingFiles files;
  files.names_taken = 2;
  OutputTextFile file(files);
  file.BindName("C:\\dir\\out.reg");
  file.OpenForWriting();
  EXPECT_EQ(Check(), "none");
  ASSERT_EQ(files.made.size(), 3u);
  for (const std::string& name : files.made) {
    ASSERT_EQ(name.size(), std::string("C:\\dir\\out.reg.0123456789abcdef.tmp").size()) << name;
    EXPECT_EQ(name.rfind("C:\\dir\\out.reg.", 0), 0u) << name;
    EXPECT_EQ(name.find_first_not_of("0123456789abcdef", 15), 31u) << name;
  }
  EXPECT_NE(files.made[0], files.made[1]);
  EXPECT_NE(files.made[1], files.made[2]);
}

// Each step refused in turn: the code it gave, and the calls, which never touch the file under
// the name but to rename the whole fresh one over it, and remove the fresh one that failed.
TEST(OutputTextFile, EachRefusedStepLeavesTheFileUnderTheNameAndNoFreshFile) {
  struct Case {
    const char* step;
    void (*refuse)(RecordingFiles&);
    const char* outcome;
    Calls calls;
  };
  const Calls wrote = Opening("f") + Calls{"write 3"};
  const Case cases[] = {
      {"open",
       [](RecordingFiles& f) { f.refuse_open = kAccessDenied; },
       "5 File access denied",
       {"open f"}},
      {"open shared",
       [](RecordingFiles& f) { f.refuse_open = kSharingViolation; },
       "32 I/O error 32",
       {"open f"}},
      {"create", [](RecordingFiles& f) { f.refuse_create = kAccessDenied; }, "5 File access denied",
       Opening("f")},
      {"write", [](RecordingFiles& f) { f.refuse_write = 1; }, "112 I/O error 112",
       wrote + Calls{"close", "remove f.*.tmp"}},
      {"short write", [](RecordingFiles& f) { f.short_write = 1; }, "101 Disk full",
       wrote + Calls{"close", "remove f.*.tmp"}},
      {"flush", [](RecordingFiles& f) { f.refuse_flush = 1117; }, "1117 I/O error 1117",
       wrote + Calls{"flush", "close", "remove f.*.tmp"}},
      {"close", [](RecordingFiles& f) { f.refuse_close = 2; }, "6 I/O error 6",
       wrote + Calls{"flush", "close", "remove f.*.tmp"}},
      {"replace", [](RecordingFiles& f) { f.refuse_replace = kAccessDenied; },
       "5 File access denied",
       wrote + Calls{"flush", "close", "replace f.*.tmp f", "remove f.*.tmp"}},
      // Renamed, the file is whole in its place: a folder that will not sync changes nothing.
      {"sync", [](RecordingFiles& f) { f.refuse_sync = 87; }, "written", wrote + Finishing("f")},
  };
  for (const Case& c : cases) {
    RecordingFiles files;
    c.refuse(files);
    std::string outcome = "written";
    try {
      WriteTextFile(files, "f", "abc");
    } catch (const EInOutError& failure) {
      outcome = std::to_string(failure.ErrorCode()) + " " + failure.Message();
    }
    EXPECT_EQ(outcome, c.outcome) << c.step;
    EXPECT_EQ(files.calls, c.calls) << c.step;
    EXPECT_EQ(Check(), "none") << c.step;
  }
}

TEST(OutputTextFile, DiscardGivesTheFileUpAndRemovesOnlyAFreshOne) {
  struct Case {
    FileApi::Kind kind;
    std::uint32_t refuse_create;
    Calls calls;
  };
  const Case cases[] = {
      {FileApi::Kind::Disk, 0, Opening("f") + Calls{"write 3", "close", "remove f.*.tmp"}},
      {FileApi::Kind::Character, 0, {"open f", "kind", "write 3", "close"}},
      {FileApi::Kind::Pipe, 0, {"open f", "kind", "write 3", "close"}},
      {FileApi::Kind::Disk, kAccessDenied, Opening("f")},
  };
  for (const Case& c : cases) {
    RecordingFiles files;
    files.kind = c.kind;
    files.refuse_create = c.refuse_create;
    files.refuse_write = 1;
    OutputTextFile file(files);
    file.BindName("f");
    file.OpenForWriting();
    file.PutString("x");
    file.PutLineEnd();
    file.CloseFile();
    Check();
    file.Discard();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Check(), "none");
    file.Discard();  // nothing left to close or remove
    EXPECT_EQ(files.calls, c.calls) << ::testing::PrintToString(c.calls);
  }
}

TEST(IoErrorMessage, TheFixedMessagesAndTheRest) {
  EXPECT_EQ(IoErrorMessage(100), "Read beyond end of file");
  EXPECT_EQ(IoErrorMessage(106), "Invalid numeric input");
  EXPECT_EQ(IoErrorMessage(0), "I/O error 0");
  EXPECT_EQ(IoErrorMessage(1117), "I/O error 1117");
}

}  // namespace
}  // namespace quillmark::testing
