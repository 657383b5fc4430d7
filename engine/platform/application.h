#pragma once

#include "engine/platform/callback_list.h"
#include "engine/platform/main_thread_queue.h"

#include <SDL.h>

#include <atomic>
#include <exception>
#include <functional>

namespace engine {

// The main-thread loop. One pass (ProcessMessages) hands pending SDL events to the event handlers,
// runs the calls other threads queued for the main thread, takes one step of the frame clock, and
// paints the views that are invalid. Everything registered here runs on the main thread.
class TApplication {
public:
    using TEventHandler = std::function<void(const SDL_Event& event)>;
    using TIdleHandler = std::function<bool()>;  // returns true when it has nothing more to do
    using TFrameStep = void (*)();

    // A view: Paint runs in a pass in which Invalid answers true.
    struct TPainter {
        std::function<bool()> Invalid;
        std::function<void()> Paint;
    };

    // The thread that constructs the application is its main thread.
    TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // One pass; never blocks. Returns true when the pass had something to do.
    bool ProcessMessages();
    // One pass, then the idle handlers when the pass was empty, then a short wait for an event or a
    // queued call when nobody has work left, so an idle loop does not spin.
    void HandleMessage();
    // HandleMessage until Terminated.
    void Run();

    bool Terminated() const { return m_terminated; }
    // Any thread. SDL_QUIT terminates as well.
    void Terminate();

    bool IsMainThread() const { return m_calls.IsMainThread(); }
    TMainThreadQueue& MainThreadCalls() { return m_calls; }

    TLoopHandle AddEventHandler(TEventHandler handler) { return m_eventHandlers.Add(std::move(handler)); }
    void RemoveEventHandler(TLoopHandle handle) { m_eventHandlers.Remove(handle); }
    TLoopHandle AddPainter(TPainter painter) { return m_painters.Add(std::move(painter)); }
    void RemovePainter(TLoopHandle handle) { m_painters.Remove(handle); }
    TLoopHandle AddIdleHandler(TIdleHandler handler) { return m_idleHandlers.Add(std::move(handler)); }
    void RemoveIdleHandler(TLoopHandle handle) { m_idleHandlers.Remove(handle); }

    // The frame clock installs its step here (null removes it); platform does not know the clock.
    // While a step is installed the loop never waits.
    void SetFrameStep(TFrameStep step) { m_frameStep = step; }
    TFrameStep FrameStep() const { return m_frameStep; }

    // Hands an event to the event handlers as the pump does with what SDL queued. An event made by
    // the program itself (a replayed one) goes this way rather than through SDL's queue, which holds
    // only so many.
    void DispatchEvent(const SDL_Event& event);

    // Reports an exception that escaped a step, a call or a handler, and the loop goes on.
    void HandleException(std::exception_ptr error);
    // Default: the message on stderr.
    std::function<void(const std::exception& error)> OnException;

private:
    bool PumpEvents();
    bool Paint();
    bool RunIdleHandlers();
    void Wait();
    void WakeEventLoop() const;

    std::atomic<bool> m_terminated{false};
    const Uint32 m_wakeEvent;
    TMainThreadQueue m_calls;
    TCallbackList<TEventHandler> m_eventHandlers;
    TCallbackList<TPainter> m_painters;
    TCallbackList<TIdleHandler> m_idleHandlers;
    TFrameStep m_frameStep = nullptr;
};

// The process's application. Touch it first on the main thread (the engine's components do so in
// their constructors).
TApplication& Application();

}  // namespace engine
