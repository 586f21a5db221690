#include "accounting/counted_object.h"

#include "accounting/call_record.h"
#include "accounting/log_values.h"
#include "interfaces/video_frame.h"
#include "state/sim_state.h"

std::string CountedObject::label() const { return std::string(kind_) + "#" + std::to_string(id_); }

std::string CountedObject::finalRelease(SimState&) { return std::string(); }

// QueryInterface, AddRef and Release, shared by every simulated object.

HRESULT simQueryInterface(CountedObject& object, const DeckLinkIID& iid, void** out) {
  StateLock lock;
  CallRecord call(lock.state(), object, "QueryInterface", iidName(iid),
                  CallRecord::Counting::kNotCounted);
  if (out != nullptr) *out = nullptr;
  if (call.refused()) return call.refusal();
  if (out == nullptr) return call.finish(kE_POINTER);
  QueryAnswer answer = object.answerQuery(lock.state(), iid);
  if (answer.object == nullptr) return call.finish(kE_NOINTERFACE, "null");
  // A new object arrives with its first reference; this one gains one.
  if (answer.object == &object) object.addReference();
  *out = answer.interface;
  return call.finish(kS_OK, answer.object->label());
}

ULONG simAddRef(CountedObject& object) {
  StateLock lock;
  SimState& state = lock.state();
  const std::string call = object.label() + " AddRef()";
  if (object.released()) {
    // Reviving a zombie would hide the bug that reached it.
    state.noteMisuse(call + ": call after its final Release");
    state.log.write(call + " = 0");
    return 0;
  }
  object.addReference();
  state.log.write(call + " = " + std::to_string(object.count()));
  return object.count();
}

namespace {

// A retired frame leaves the table through which displays recognise frames.
void forgetFrame(SimState& state, CountedObject* retired) {
  for (auto entry = state.frames.begin(); entry != state.frames.end(); ++entry) {
    if (static_cast<CountedObject*>(entry->second) == retired) {
      state.frames.erase(entry);
      return;
    }
  }
}

}  // namespace

ULONG simRelease(CountedObject& object) {
  StateLock lock;
  SimState& state = lock.state();
  const std::string call = object.label() + " Release()";
  if (object.released()) {
    state.log.write(call + " = OVER");
    state.problems += object.label() + " released past zero\n";
    ++state.overReleases;
    return 0;
  }
  object.dropReference();
  std::string line = call + " = " + std::to_string(object.count());
  if (object.released()) {
    std::string note = object.finalRelease(state);
    if (!note.empty()) line += " " + note;
    for (CountedObject* retired : state.objects.noteReleased(object, state.epoch)) {
      forgetFrame(state, retired);
      delete retired;
    }
  }
  state.log.write(line);
  return object.count();
}
