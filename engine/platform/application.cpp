#include "engine/platform/application.h"

#include <array>
#include <iostream>
#include <stdexcept>
#include <vector>

namespace engine {

namespace {

namespace loop {
// Long enough not to spin, short enough that a flag set without a wake is still seen promptly.
constexpr int kIdleWaitMs = 10;
constexpr int kEventBatch = 64;
constexpr Uint32 kNoEvent = static_cast<Uint32>(-1);
}  // namespace loop

bool EventsRunning() {
    return SDL_WasInit(SDL_INIT_EVENTS) != 0;
}

}  // namespace

TApplication::TApplication()
    : m_wakeEvent(SDL_RegisterEvents(1)), m_calls([this] { WakeEventLoop(); }) {}

TApplication& Application() {
    static TApplication application;
    return application;
}

bool TApplication::ProcessMessages() {
    bool busy = PumpEvents();
    if (m_calls.RunPending([this](std::exception_ptr error) { HandleException(error); }) > 0) {
        busy = true;
    }
    if (m_frameStep) {
        try {
            m_frameStep();
        } catch (...) {
            HandleException(std::current_exception());
        }
        busy = true;
    }
    return Paint() || busy;
}

void TApplication::HandleMessage() {
    if (ProcessMessages()) {
        return;
    }
    if (!RunIdleHandlers() || m_frameStep || m_terminated) {
        return;
    }
    Wait();
}

void TApplication::Run() {
    while (!m_terminated) {
        HandleMessage();
    }
}

void TApplication::Terminate() {
    m_terminated = true;
    m_calls.Wake();
}

void TApplication::HandleException(std::exception_ptr error) {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            if (!OnException) {
                throw;
            }
            OnException(e);
        } catch (...) {
            const std::runtime_error unknown("Unknown exception");
            if (!OnException) {
                throw unknown;
            }
            OnException(unknown);
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
    } catch (...) {
        std::cerr << "Unknown exception\n";
    }
}

bool TApplication::PumpEvents() {
    if (!EventsRunning()) {
        return false;
    }
    // Take only what is queued now: events a handler pushes wait for the next pass.
    SDL_PumpEvents();
    std::vector<SDL_Event> events;
    std::array<SDL_Event, loop::kEventBatch> batch;
    int got;
    do {
        got = SDL_PeepEvents(batch.data(), loop::kEventBatch, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (int i = 0; i < got; ++i) {
            if (batch[i].type != m_wakeEvent) {
                events.push_back(batch[i]);
            }
        }
    } while (got == loop::kEventBatch);

    for (const SDL_Event& event : events) {
        DispatchEvent(event);
    }
    return !events.empty();
}

void TApplication::DispatchEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        Terminate();
    }
    m_eventHandlers.ForEach([&](TEventHandler& handler) {
        try {
            handler(event);
        } catch (...) {
            HandleException(std::current_exception());
        }
    });
}

bool TApplication::Paint() {
    bool painted = false;
    m_painters.ForEach([&](TPainter& painter) {
        try {
            if (painter.Invalid && painter.Invalid()) {
                painted = true;
                painter.Paint();
            }
        } catch (...) {
            HandleException(std::current_exception());
        }
    });
    return painted;
}

bool TApplication::RunIdleHandlers() {
    bool done = true;
    m_idleHandlers.ForEach([&](TIdleHandler& handler) {
        try {
            if (!handler()) {
                done = false;
            }
        } catch (...) {
            HandleException(std::current_exception());
        }
    });
    return done;
}

void TApplication::Wait() {
    if (EventsRunning() && m_wakeEvent != loop::kNoEvent) {
        // Posting threads push a wake event, so SDL's wait also ends for a queued call.
        if (m_calls.PendingCount() == 0) {
            SDL_WaitEventTimeout(nullptr, loop::kIdleWaitMs);
        }
        return;
    }
    m_calls.WaitForCall(std::chrono::milliseconds(loop::kIdleWaitMs));
}

void TApplication::WakeEventLoop() const {
    if (m_wakeEvent == loop::kNoEvent || !EventsRunning()) {
        return;
    }
    SDL_Event event{};
    event.type = m_wakeEvent;
    SDL_PushEvent(&event);
}

}  // namespace engine
