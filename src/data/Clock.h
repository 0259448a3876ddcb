#pragma once
// What today is. Every "today" and "now" of the program reads it, so tests can pin it.

#include <QDate>
#include <QDateTime>

namespace Clock {
QDateTime now();
QDate today();
// Tests: fix the clock at a moment (it then stands still) or let it run again.
void pin(const QDateTime& moment);
void unpin();
}
