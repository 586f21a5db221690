#include "setup/apply_setup.h"

#include <cstdio>

#include "setup/setup_from_environment.h"

namespace {

void retireCards(SimState& state) {
  for (const auto& card : state.cards) {
    card->endOutput();
    card->retired = true;
  }
  state.cards.clear();
}

void install(SimState& state, const SimSetup& setup) {
  retireCards(state);
  state.setup = setup;
  state.hasSetup = true;
  ++state.epoch;
  state.objects.startEpoch();
  for (size_t i = 0; i < setup.cards.size(); ++i) {
    auto card = std::make_shared<CardRuntime>();
    card->setup = setup.cards[i];
    card->position = static_cast<int>(i);
    state.cards.push_back(card);
  }
  state.log.clear();
  state.overReleases = 0;
  state.misuses = 0;
  state.problems.clear();
  state.countedCalls = 0;
  state.displayed = 0;
  state.hasLastFrame = false;
  state.lastFrame.clear();
  state.lastFrame.shrink_to_fit();
  state.hasLastMetadata = false;
  state.lastMetadata = FrameMetadata();
  state.setupError.clear();
}

}  // namespace

bool applySetup(SimState& state, const SimSetup& setup, std::string* problem) {
  state.log.closeFile();
  if (!setup.logFile.empty() && !state.log.openFile(setup.logFile, problem)) {
    install(state, SimSetup());
    return false;
  }
  install(state, setup);
  return true;
}

void markReconfigured(SimState& state) {
  // Tells an audit of a file that several setups of one process wrote to
  // that the objects of the earlier setup are no longer counted.
  state.log.writeFileOnly("SIM configure");
}

bool applyEnvironmentSetup(SimState& state) {
  SimSetup setup;
  bool ok = setupFromEnvironment(&setup);
  std::string problem;
  if (!setup.logFile.empty() && !state.log.openFile(setup.logFile, &problem)) {
    // Without its log the run is still worth having: keep the cards.
    std::fprintf(stderr, "decklink-sim: %s\n", problem.c_str());
    setup.logFile.clear();
  }
  state.log.closeFile();
  const bool applied = applySetup(state, setup, &problem);
  return applied && ok;
}

void ensureSetup(SimState& state) {
  if (!state.hasSetup) applyEnvironmentSetup(state);
}
