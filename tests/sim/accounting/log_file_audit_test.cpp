// The log file and its audit: lines prefixed by the writing process, whole
// up to the moment a process is killed, and audited per process.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

using ::testing::HasSubstr;

class LogFileAuditTest : public SimTest {
 protected:
  void SetUp() override {
    logPath = scratch.file("calls.log");
    configure("[device]\nname = A\n[log]\nfile = " + logPath + "\n");
  }

  std::string fileText() const {
    std::ifstream file(logPath);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  long audit(long pid, std::string* report) {
    const char* text = nullptr;
    long problems = decklink_sim_audit_log_file(logPath.c_str(), pid, &text);
    *report = text != nullptr ? text : "(null)";
    return problems;
  }

  std::string logPath;
};

TEST_F(LogFileAuditTest, FileLinesAreTheMemoryLinesPrefixedByThePid) {
  IDeckLink* card = device(0);
  card->Release();
  std::istringstream memory(decklink_sim_log());
  std::istringstream file(fileText());
  const std::string pid = std::to_string(getpid()) + " ";
  std::string fileLine;
  ASSERT_TRUE(std::getline(file, fileLine));
  EXPECT_EQ(pid + "SIM configure", fileLine);
  int lines = 0;
  for (std::string memoryLine; std::getline(memory, memoryLine); ++lines) {
    ASSERT_TRUE(std::getline(file, fileLine));
    EXPECT_EQ(pid + memoryLine, fileLine);
  }
  EXPECT_EQ(4, lines);  // entry point, Next, and the two Releases
  std::string report;
  EXPECT_EQ(0, audit(0, &report));
  EXPECT_EQ("", report);
}

TEST_F(LogFileAuditTest, FindsWhatAKilledChildNeverReleased) {
  int ready[2];
  ASSERT_EQ(0, pipe(ready));
  pid_t child = fork();
  if (child == 0) {
    IDeckLink* card = device(0);
    void* output = nullptr;
    card->QueryInterface(IID_IDeckLinkOutput, &output);
    card->Release();
    card->Release();  // one too many
    (void)!write(ready[1], "r", 1);
    pause();  // killed here, holding the output
    _exit(0);
  }
  ASSERT_GT(child, 0);
  char byte;
  ASSERT_EQ(1, read(ready[0], &byte, 1));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);

  // The parent's own calls are clean.
  IDeckLink* card = device(0);
  card->Release();
  std::string report;
  EXPECT_EQ(0, audit(getpid(), &report)) << report;

  EXPECT_EQ(2, audit(child, &report));
  const std::string prefix = "pid " + std::to_string(child) + ": ";
  EXPECT_THAT(report, HasSubstr(prefix + "Device#"));
  EXPECT_THAT(report, HasSubstr(" released past zero\n"));
  EXPECT_THAT(report, HasSubstr(prefix + "Output#"));
  EXPECT_THAT(report, HasSubstr(" never released (count 1)\n"));
  EXPECT_EQ(2, audit(0, &report));
}

TEST_F(LogFileAuditTest, ReportsMisuseLines) {
  expectOverReleasesAtEnd(1);
  expectMisusesAtEnd(1);
  IDeckLink* card = device(0);
  card->Release();
  card->Release();
  DeckLinkString name = nullptr;
  card->GetDisplayName(&name);  // a call through a released card: no name
  std::string report;
  EXPECT_EQ(2, audit(0, &report));
  EXPECT_THAT(report, HasSubstr("MISUSE Device#"));
}

TEST_F(LogFileAuditTest, AConfigureStartsTheCountAgain) {
  IDeckLink* leaked = device(0);
  std::string report;
  EXPECT_EQ(1, audit(0, &report));
  configure("[device]\nname = A\n[log]\nfile = " + logPath + "\n");
  EXPECT_EQ(0, audit(0, &report)) << report;
  leaked->Release();
}

TEST_F(LogFileAuditTest, AnUnreadableFileIsMinusOne) {
  const char* report = nullptr;
  EXPECT_EQ(-1, decklink_sim_audit_log_file(scratch.file("none.log").c_str(), 0, &report));
}

TEST(LogAuditText, ReadsCountsFromEveryKindOfLine) {
  ScratchDir scratch;
  const std::string path = scratch.file("hand-written.log");
  std::ofstream(path) << "7 API CreateDeckLinkIteratorInstance() = Iterator#1\n"
                         "7 Iterator#1 Next() = 0x00000000 Device#2\n"
                         "7 Device#2 GetDisplayName() = 0x00000000 \"Frame#9 ) = x\"\n"
                         "7 Device#2 QueryInterface(IDeckLink) = 0x00000000 Device#2\n"
                         "7 Device#2 QueryInterface(IDeckLinkOutput) = 0x80000004 null\n"
                         "7 Iterator#1 Release() = 0\n"
                         "8 API CreateDeckLinkIteratorInstance() = Iterator#1\n"
                         "7 Device#2 Release() = 1\n"
                         "not a log line\n";
  const char* report = nullptr;
  EXPECT_EQ(1, decklink_sim_audit_log_file(path.c_str(), 7, &report));
  EXPECT_STREQ("pid 7: Device#2 never released (count 1)\n", report);
  EXPECT_EQ(1, decklink_sim_audit_log_file(path.c_str(), 8, &report));
  EXPECT_STREQ("pid 8: Iterator#1 never released (count 1)\n", report);
  EXPECT_EQ(0, decklink_sim_audit_log_file(path.c_str(), 9, &report));
}

}  // namespace
