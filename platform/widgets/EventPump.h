#pragma once
// Bounded waits that keep the user interface alive: events are dispatched (and idle
// processing runs) until a condition holds or the time is up. Works with or without a
// running event loop, so tests and start-up code can use it too.
#include <functional>

namespace tev {

// What a bounded wait dispatches while it waits.
enum class PumpedEvents {
    // Every event, then pending events and idle processing. One round is dispatched even
    // when the condition already holds.
    All,
    // Only the toolkit's own window events (painting, sizes; its timers still fire): no
    // clicks or keys, no queued calls, no idle processing, so the user cannot start anything
    // meanwhile. Nothing is dispatched once the condition holds, and inside a yield (the
    // toolkit refuses a second one) there is no waiting at all.
    WithoutUserInput,
};

// True as soon as `done()` holds; false when `timeoutMs` passed first.
bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs,
                     PumpedEvents events = PumpedEvents::All);

// Dispatches events for `milliseconds`.
void PumpEventsFor(int milliseconds);

} // namespace tev
