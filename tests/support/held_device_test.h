// In-process tests of program code that holds a card (decklink/device_hold.h):
// the simulated card's fixture, plus opening card 0, and closing whatever
// the test left held before the end check.
#ifndef CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H
#define CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H

#include <string>

#include "decklink/failure.h"
#include "support/sim_test.h"

// The failure's code by its name ("" for no failure), with its message in
// `message`: the shape in which the tests compare failures.
std::string codeOf(const Failure& failed, std::string* message);

class HeldDeviceTest : public SimTest {
 protected:
  // Configures `text` and holds card 0 at the mode `modeName`.
  void configureAndOpen(const std::string& text, const char* modeName);
  void TearDown() override;
};

#endif  // CORVANE_TESTS_SUPPORT_HELD_DEVICE_TEST_H
