#include "platform/widgets/EventPump.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <chrono>
#include <memory>

namespace tev {
namespace {

void DispatchOnce(wxEventLoopBase* loop, PumpedEvents events) {
    if (events == PumpedEvents::WithoutUserInput) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
        return;
    }
    loop->YieldFor(wxEVT_CATEGORY_ALL);
    if (wxTheApp) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

} // namespace

bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs, PumpedEvents events) {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoopBase> own;
    std::unique_ptr<wxEventLoopActivator> activator;
    if (!loop) {
        wxAppTraits* traits = wxTheApp ? wxTheApp->GetTraits() : nullptr;
        if (!traits)
            return done();
        own.reset(traits->CreateEventLoop());
        activator = std::make_unique<wxEventLoopActivator>(own.get());
        loop = own.get();
    }
    const bool all = events == PumpedEvents::All;
    if (!all && loop->IsYielding())
        return done();
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    if (all)
        DispatchOnce(loop, events);
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        wxMilliSleep(all ? 5 : 2);
        DispatchOnce(loop, events);
    }
}

void PumpEventsFor(int milliseconds) {
    PumpEventsUntil([] { return false; }, milliseconds);
}

} // namespace tev
