// How values appear in log lines: results, FourCCs and interface IDs, each
// in a form that keeps a line printable and easy to match.
#ifndef DECKLINK_SIM_ACCOUNTING_LOG_VALUES_H
#define DECKLINK_SIM_ACCOUNTING_LOG_VALUES_H

#include <cstdint>
#include <string>

#include "decklink/decklink_api.h"

// "0x%08X": the form log lines use, so one pattern matches every result.
std::string resultText(HRESULT result);

// A FourCC as its four letters when they are printable ("r210"), otherwise
// as hex, so an arbitrary value never puts odd bytes into a log line.
std::string fourCCText(uint32_t value);

// "IDeckLinkOutput" for the IIDs the driver has had (older generations get
// a suffix such as "_v15_3_1", so a program probing the driver's age reads
// plainly in the log); any other IID as its canonical string.
std::string iidName(const DeckLinkIID& iid);

#endif  // DECKLINK_SIM_ACCOUNTING_LOG_VALUES_H
