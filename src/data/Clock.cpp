#include "Clock.h"

#include <optional>

namespace {
std::optional<QDateTime>& pinned()
{
    static std::optional<QDateTime> moment;
    return moment;
}
}

namespace Clock {

QDateTime now()
{
    return pinned() ? *pinned() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void pin(const QDateTime& moment)
{
    pinned() = moment;
}

void unpin()
{
    pinned().reset();
}

} // namespace Clock
