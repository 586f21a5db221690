// Reading a decimal integer the way "%d" does, without its undefined
// behaviour for numbers beyond the range of int.
#ifndef CORVANE_IO_DECIMAL_INT_H
#define CORVANE_IO_DECIMAL_INT_H

// Skips white space, reads an optional sign and at least one digit, and
// moves `*cursor` past them. A number beyond the range of int saturates to
// INT_MAX or INT_MIN. Returns false, moving nothing, when no digit follows.
bool readDecimalInt(const char** cursor, int* value);

#endif  // CORVANE_IO_DECIMAL_INT_H
