// Readers for the kinds of value the setup text uses. Each returns false
// with `problem` set when the text is not a value of its kind.
#ifndef DECKLINK_SIM_SETUP_SETUP_VALUES_H
#define DECKLINK_SIM_SETUP_SETUP_VALUES_H

#include <string>

#include "decklink/decklink_api.h"

bool readBool(const std::string& text, bool* value, std::string* problem);
// A result: a name ("E_FAIL"), hex ("0x80000009") or decimal ("-2147483639",
// "2147483657"); any 32-bit pattern can be written, so a test can return
// codes the driver never uses.
bool readResult(const std::string& text, HRESULT* value, std::string* problem);
// A decimal count from `minimum` up to 2^31 - 1.
bool readCount(const std::string& text, long minimum, long* value, std::string* problem);
// A driver version, "16.0" or "16.0.1", each part 0-255, as the API
// information's word 0xMMmmpp00.
bool readVersion(const std::string& text, int64_t* value, std::string* problem);

#endif  // DECKLINK_SIM_SETUP_SETUP_VALUES_H
