// Result codes as the configuration writes them.
#ifndef DECKLINK_SIM_RESULT_CODES_H
#define DECKLINK_SIM_RESULT_CODES_H

#include <string>

#include "decklink/decklink_api.h"

// Accepts a name ("E_FAIL"), hex ("0x80000009") or decimal ("-2147483639",
// "2147483657"); any 32-bit pattern can be written, so a test can return
// codes the driver never uses.
bool parseResult(const std::string& text, HRESULT* result);

#endif  // DECKLINK_SIM_RESULT_CODES_H
