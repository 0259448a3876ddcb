#pragma once
// The connection's sum(): the exact sum of the values it is given, each read as the decimal it
// stands for, instead of SQLite's sum in floating point (whose error reaches the fourth decimal
// over long lists).
//
// A stored amount or quantity is read as its four-decimal value; a product of two of them (the
// commission's quantity × rate) as its eight-decimal value while it is below 10,000,000 in size,
// where a double still tells those decimals apart. The values are added as integers and the
// total is rounded half-even to four decimals. Otherwise it behaves as SQLite's sum: NULLs are
// skipped and no value gives NULL; a text counts as the number it reads as (an empty text as 0);
// integers alone give an integer (an error past the 64-bit range), anything else a real, the
// double nearest the four-decimal total. A value too large to be read as money, or a real total
// past what a double holds to four decimals (about 9.0e11), is the error "数值超出范围！", never a
// wrapped or rounded result. Also a window function, as the built-in is.

struct sqlite3;

// Puts the exact sum in place of the built-in one on db (SQLite has no way back to the
// built-in on that connection). Throws DbError on failure.
void installExactSum(sqlite3* db);
