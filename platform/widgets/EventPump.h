#pragma once
// Bounded waits that keep the user interface alive: events are dispatched (and idle
// processing runs) until a condition holds or the time is up. Works with or without a
// running event loop, so tests and start-up code can use it too.
#include <functional>

namespace tev {

// True as soon as `done()` holds; false when `timeoutMs` passed first.
bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs);

// Dispatches events for `milliseconds`.
void PumpEventsFor(int milliseconds);

} // namespace tev
