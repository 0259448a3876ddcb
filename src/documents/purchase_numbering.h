#pragma once
// Numbers of purchase documents: "CG" + the entry day as yyyyMMdd + a three-digit daily
// sequence (13 characters). A day has at most 999 numbers.

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class TDM1;

// The daily sequence of a number: characters 11 to 13 read as an integer; -1 when the
// number is shorter or those characters are not all digits.
int purchaseSequence(const QString& dh);

// "CG" + day + the sequence padded to three digits.
QString purchaseNumber(const QDate& day, int sequence);

// The headers entered on `day`: "SELECT * FROM cgglz", "where kdrq='<day>'", "order by dh".
QStringList purchaseHeadersOfDay(const QDate& day);

// The number of a new document entered on `today`. Re-points DM1.AQcgz1 at the headers
// entered that day (purchaseHeadersOfDay) with its display frozen; the sequence follows the
// last of them (in number order) whose sequence is valid, "001" when there is none. A number
// that a header, line, ledger or payment row already names (cgglz, cgglc, cgfx, fkfx) is
// stepped over. nullopt when the day's numbers are used up (999).
std::optional<QString> nextPurchaseNumber(TDM1& dm, const QDate& today);

// The number after a save: the sequence of the number in hand plus one, with today's date,
// stepping over numbers already named as above. A number in hand without a valid
// sequence falls back to nextPurchaseNumber. nullopt past 999.
std::optional<QString> nextPurchaseNumberAfter(TDM1& dm, const QString& inHand, const QDate& today);
