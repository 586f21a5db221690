// Result codes as the configuration writes them and as the log shows them.
#ifndef DECKLINK_SIM_RESULT_CODES_H
#define DECKLINK_SIM_RESULT_CODES_H

#include <string>

#include "decklink/decklink_api.h"

// Accepts a name ("E_FAIL"), hex ("0x80000009") or decimal ("-2147483639",
// "2147483657"); any 32-bit pattern can be written, so a test can return
// codes the driver never uses.
bool parseResult(const std::string& text, HRESULT* result);

// "0x%08X": the form log lines use, so one pattern matches every result.
std::string resultText(HRESULT result);

// A FourCC as its four letters when they are printable ("r210"), otherwise
// as hex, so an arbitrary value never puts odd bytes into a log line.
std::string fourCCText(uint32_t value);

#endif  // DECKLINK_SIM_RESULT_CODES_H
