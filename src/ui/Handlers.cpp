#include "Handlers.h"

void runGuarded(const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        showCurrentError();
    }
}
