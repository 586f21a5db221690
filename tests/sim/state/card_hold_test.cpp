// The cross-process hold: while one process has a card's output enabled,
// another process is refused with E_ACCESSDENIED, until the holder
// disables it or dies.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/card_calls.h"
#include "support/sim_test.h"

namespace {

class CardHoldTest : public SimTest {
 protected:
  void SetUp() override {
    configure("[device]\nname = A\nid = shared-card\n[device]\nname = B\nid = other-card\n");
    ASSERT_EQ(0, pipe(toParent));
    ASSERT_EQ(0, pipe(toChild));
  }
  void TearDown() override {
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) close(fd);
    SimTest::TearDown();
  }

  // Runs `body` in a child process that reports one byte to the parent and
  // then waits for the parent's word before it exits.
  template <class Body>
  pid_t startChild(Body body) {
    pid_t child = fork();
    if (child == 0) {
      char report = body();
      (void)!write(toParent[1], &report, 1);
      char byte;
      (void)!read(toChild[0], &byte, 1);
      _exit(0);
    }
    return child;
  }

  char childReport() {
    char report = 0;
    EXPECT_EQ(1, read(toParent[0], &report, 1));
    return report;
  }

  // Enables card `index` at HD through a fresh output; the output is
  // returned still referenced (null when the enable failed).
  IDeckLinkOutput* enable(int index, HRESULT* result) {
    IDeckLink* card = device(index);
    IDeckLinkOutput* output = outputOf(card);
    card->Release();
    *result = output->EnableVideoOutput(bmdModeHD1080p24, 0);
    if (*result == kS_OK) return output;
    output->Release();
    return nullptr;
  }

  int toParent[2] = {-1, -1};
  int toChild[2] = {-1, -1};
};

TEST_F(CardHoldTest, AnotherProcessIsRefusedUntilTheHolderDies) {
  pid_t child = startChild([this] {
    HRESULT result;
    return enable(0, &result) != nullptr ? 'y' : 'n';
  });
  ASSERT_GT(child, 0);
  ASSERT_EQ('y', childReport());

  HRESULT result = kS_OK;
  EXPECT_EQ(nullptr, enable(0, &result));
  EXPECT_EQ(kE_ACCESSDENIED, result);
  EXPECT_EQ(1u, logLinesWith("= 0x80000009 held-by-another-process pid " +
                             std::to_string(child)).size());
  // Another card is free.
  IDeckLinkOutput* other = enable(1, &result);
  EXPECT_EQ(kS_OK, result);

  // Killed, not exited: the kernel ends the hold all the same.
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  IDeckLinkOutput* output = enable(0, &result);
  EXPECT_EQ(kS_OK, result);
  for (IDeckLinkOutput* held : {output, other}) {
    if (held == nullptr) continue;
    held->DisableVideoOutput();
    held->Release();
  }
}

TEST_F(CardHoldTest, DisableEndsTheHoldForOtherProcesses) {
  HRESULT result;
  IDeckLinkOutput* output = enable(0, &result);
  ASSERT_NE(nullptr, output);
  EXPECT_EQ(kS_OK, output->DisableVideoOutput());
  pid_t child = startChild([this] {
    HRESULT childResult;
    return enable(0, &childResult) != nullptr ? 'y' : 'n';
  });
  ASSERT_GT(child, 0);
  EXPECT_EQ('y', childReport());
  EXPECT_EQ(1, write(toChild[1], "x", 1));
  waitpid(child, nullptr, 0);
  output->Release();
}

TEST_F(CardHoldTest, AForkedChildDoesNotInheritOrEndItsParentsHold) {
  HRESULT result;
  IDeckLinkOutput* output = enable(0, &result);
  ASSERT_NE(nullptr, output);
  pid_t child = startChild([this, output] {
    // The child sees the card as not enabled here; enabling is refused
    // because the parent holds it, and its Disable must not end the
    // parent's hold.
    if (decklink_sim_output_enabled(0, nullptr)) return 'e';
    if (output->DisableVideoOutput() != kS_OK) return 'd';
    HRESULT childResult;
    IDeckLinkOutput* mine = enable(0, &childResult);
    return mine == nullptr && childResult == kE_ACCESSDENIED ? 'y' : 'n';
  });
  ASSERT_GT(child, 0);
  EXPECT_EQ('y', childReport());
  EXPECT_EQ(1, write(toChild[1], "x", 1));
  waitpid(child, nullptr, 0);
  EXPECT_EQ(1, decklink_sim_output_enabled(0, nullptr));
  output->DisableVideoOutput();
  output->Release();
}

TEST_F(CardHoldTest, ConfigureEndsTheHoldsOfTheSetupItReplaces) {
  HRESULT result;
  IDeckLinkOutput* output = enable(0, &result);
  ASSERT_NE(nullptr, output);
  configure("[device]\nname = A\nid = shared-card\n");
  EXPECT_EQ(0, decklink_sim_output_enabled(0, nullptr));
  IDeckLinkOutput* again = enable(0, &result);
  EXPECT_EQ(kS_OK, result);
  // The old output belongs to a replaced card, which cannot be enabled again.
  EXPECT_EQ(kE_FAIL, output->EnableVideoOutput(bmdModeHD1080p24, 0));
  output->Release();
  if (again != nullptr) {
    again->DisableVideoOutput();
    again->Release();
  }
}

}  // namespace
