// The driver's factories: the cards' iterator, and the driver's own
// information (its version).
#include "interfaces/api_information.h"
#include "interfaces/iterator.h"
#include "setup/apply_setup.h"
#include "state/sim_state.h"

extern "C" IDeckLinkIterator* CreateDeckLinkIteratorInstance_0004(void) {
  StateLock lock;
  SimState& state = lock.state();
  ensureSetup(state);
  if (state.setup.iterator.entryPointNull) {
    state.log.write("API CreateDeckLinkIteratorInstance() = null");
    return nullptr;
  }
  SimIterator* iterator = createObject<SimIterator>(state, state.cards, state.setup.iterator);
  state.log.write("API CreateDeckLinkIteratorInstance() = " + iterator->label());
  return iterator;
}

extern "C" IDeckLinkAPIInformation* CreateDeckLinkAPIInformationInstance_0001(void) {
  StateLock lock;
  SimState& state = lock.state();
  ensureSetup(state);
  SimApiInformation* information = createObject<SimApiInformation>(state, state.setup.api.version);
  state.log.write("API CreateDeckLinkAPIInformationInstance() = " + information->label());
  return information;
}
