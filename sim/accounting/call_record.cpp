#include "accounting/call_record.h"

#include "accounting/log_values.h"

namespace {
const char kAfterRelease[] = "call after its final Release";
}

CallRecord::CallRecord(SimState& s, const CountedObject& self, const char* method,
                       const std::string& args, Counting counting)
    : state(s), call_(self.label() + " " + method + "(" + args + ")") {
  if (self.released()) {
    misuse(kAfterRelease);
    refused_ = true;
    refusal_ = kE_FAIL;
    finish(refusal_);
    return;
  }
  bool named = false;
  for (const std::string& failing : state.setup.faults.failMethods) {
    named |= failing == std::string(self.kind()) + "." + method;
  }
  if (counting == Counting::kCounted && (state.faultDue() || named)) {
    refused_ = true;
    refusal_ = state.setup.faults.failResult;
    finish(refusal_, "injected");
  }
}

void CallRecord::misuse(const std::string& what) { state.noteMisuse(call_ + ": " + what); }

HRESULT CallRecord::finish(HRESULT result, const std::string& outputs) {
  std::string line = call_ + " = " + resultText(result);
  if (!outputs.empty()) line += " " + outputs;
  state.log.write(line);
  return result;
}

void logValueCall(SimState& state, const CountedObject& self, const char* method,
                  const std::string& value) {
  const std::string call = self.label() + " " + method + "()";
  if (self.released()) state.noteMisuse(call + ": " + kAfterRelease);
  state.log.write(call + " = " + value);
}

HRESULT notSimulatedCall(const CountedObject& self, const char* method, const std::string& args) {
  StateLock lock;
  CallRecord call(lock.state(), self, method, args);
  if (call.refused()) return call.refusal();
  return call.finish(kE_NOTIMPL);
}
