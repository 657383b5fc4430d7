#include "engine/timing/cadencer.h"

#include "engine/core/set_and_notify.h"
#include "engine/platform/application.h"
#include "engine/timing/asap_cadencers.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <utility>

namespace engine {

namespace {

double SecondsSinceEpoch(auto now) {
    return std::chrono::duration<double>(now.time_since_epoch()).count();
}

bool IsTimeReference(TGLCadencerTimeReference reference) {
    return reference == cmRTC || reference == cmPerformanceCounter || reference == cmExternal;
}

}  // namespace

// Pushes a frame for the running Tick and undoes the progressing counter on every exit, unless the
// cadencer was destroyed meanwhile (then nothing of it may be touched).
class TGLCadencer::TickScope {
public:
    explicit TickScope(TGLCadencer& cadencer) : m_cadencer(cadencer) {
        frame.outer = cadencer.m_tickFrames;
        cadencer.m_tickFrames = &frame;
    }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;
    ~TickScope() {
        if (frame.destroyed) {
            return;
        }
        if (negated) {
            m_cadencer.m_progressing = -m_cadencer.m_progressing;
        }
        if (counted) {
            --m_cadencer.m_progressing;
        }
        m_cadencer.m_tickFrames = frame.outer;
    }

    TickFrame frame;
    bool counted = false;
    bool negated = false;

private:
    TGLCadencer& m_cadencer;
};

TGLCadencer::TGLCadencer() {
    // Both are process-wide and must outlive every cadencer, so they are created first.
    asap_cadencers::Touch();
    Application();
    m_scene.SetOnFreed([this] { UpdateRegistration(); });
    m_originTime = RawTime();
    m_downTime = m_originTime;
}

TGLCadencer::~TGLCadencer() {
    for (TickFrame* frame = m_tickFrames; frame; frame = frame->outer) {
        frame->destroyed = true;
    }
    asap_cadencers::Unregister(this);
    if (m_idleHandle != 0) {
        Application().RemoveIdleHandler(m_idleHandle);
    }
    for (TGLCadenceAbleComponent* subscriber : m_subscribers) {
        if (subscriber) {
            subscriber->RemoveFreeObserver(this);
        }
    }
    if (m_progressing != 0) {
        Application().HandleException(
            std::make_exception_ptr(std::logic_error("Cadencer destroyed while progressing")));
    }
}

void TGLCadencer::SetScene(TGLWorld* scene) {
    if (scene == m_scene.Get()) {
        return;
    }
    m_scene.Set(scene);
    UpdateRegistration();
}

void TGLCadencer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_originTime += RawTime() - m_downTime;
    } else {
        m_downTime = RawTime();
    }
    UpdateRegistration();
}

void TGLCadencer::SetTimeReference(TGLCadencerTimeReference reference) {
    if (!IsTimeReference(reference)) {
        throw std::invalid_argument("Invalid cadencer time reference");
    }
    if (reference == m_timeReference) {
        return;
    }
    // The clocks have unrelated zeros: the new one resumes from the last step's time.
    m_timeReference = reference;
    const double multiplier = m_timeMultiplier != 0 ? m_timeMultiplier : m_savedMultiplier;
    m_downTime = RawTime();
    m_originTime = m_downTime - m_lastTime / multiplier;
}

void TGLCadencer::SetTimeMultiplier(double multiplier) {
    if (multiplier == m_timeMultiplier) {
        return;
    }
    if (multiplier == 0) {
        m_savedMultiplier = m_timeMultiplier;
        SetEnabled(false);
    } else {
        double previous = m_timeMultiplier;
        if (previous == 0) {
            previous = m_savedMultiplier;
            SetEnabled(true);
        }
        // While disabled the time stands at the down time, which is where it must stay continuous.
        const double reference = m_enabled ? RawTime() : m_downTime;
        m_originTime = reference - (reference - m_originTime) * previous / multiplier;
    }
    m_timeMultiplier = multiplier;
}

void TGLCadencer::SetMode(TGLCadencerMode mode) {
    SetAndNotify(m_mode, mode, [this] { UpdateRegistration(); });
}

double TGLCadencer::RawTime() const {
    switch (m_timeReference) {
    case cmRTC:
        return SecondsSinceEpoch(std::chrono::system_clock::now());
    case cmPerformanceCounter:
        return SecondsSinceEpoch(std::chrono::steady_clock::now());
    case cmExternal:
        return m_externalTime;
    }
    throw std::invalid_argument("Invalid cadencer time reference");
}

double TGLCadencer::MeasureTime() {
    m_currentTime = (RawTime() - m_originTime) * m_timeMultiplier;
    return m_currentTime;
}

void TGLCadencer::UpdateRegistration() {
    const bool active = m_enabled && Scene() != nullptr;
    if (active && m_mode == cmASAP) {
        asap_cadencers::Register(this);
    } else {
        asap_cadencers::Unregister(this);
    }
    if (active && m_mode == cmApplicationIdle) {
        if (m_idleHandle == 0) {
            m_idleHandle = Application().AddIdleHandler([this] {
                Tick();
                return false;  // keep the idle loop going
            });
        }
    } else if (m_idleHandle != 0) {
        Application().RemoveIdleHandler(m_idleHandle);
        m_idleHandle = 0;
    }
}

void TGLCadencer::Tick() {
    TickScope scope(*this);
    const TickFrame& frame = scope.frame;
    if (m_progressing < 0) {
        return;  // called from inside the scene's progress
    }
    if (m_enabled) {
        if (m_sleepLength >= 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(m_sleepLength));
        }
        if (m_mode == cmASAP) {
            const bool wasRegistered = asap_cadencers::Contains(this);
            Application().ProcessMessages();
            if (frame.destroyed || (wasRegistered && !asap_cadencers::Contains(this))) {
                return;
            }
        }
    }
    ++m_progressing;
    scope.counted = true;
    if (!m_enabled) {
        return;
    }
    double now = MeasureTime();
    double delta = now - m_lastTime;
    if (delta < m_minDeltaTime || delta < m_fixedDeltaTime) {
        return;
    }
    if (m_maxDeltaTime > 0 && delta > m_maxDeltaTime) {
        // The stall is dropped, not caught up: the clock moves on as if only MaxDeltaTime had passed.
        m_originTime += (delta - m_maxDeltaTime) / m_timeMultiplier;
        delta = m_maxDeltaTime;
        now = m_lastTime + delta;
        m_currentTime = now;
    }
    const double step = m_fixedDeltaTime > 0 ? m_fixedDeltaTime : delta;
    double remaining = delta;
    m_skipRemaining = false;
    while (remaining >= step) {
        m_lastTime += step;
        const TProgressTimes times{step, m_lastTime};
        if (TGLWorld* scene = Scene(); scene && step != 0) {
            m_progressing = -m_progressing;
            scope.negated = true;
            scene->AdvanceTime(times.deltaTime, times.newTime);
            if (frame.destroyed) {
                return;
            }
            m_progressing = -m_progressing;
            scope.negated = false;
        }
        if (!ProgressSubscribers(times, frame)) {
            return;
        }
        if (OnProgress) {
            const TGLProgressEvent handler = OnProgress;  // the handler may replace or destroy it
            handler(this, step, now);
            if (frame.destroyed) {
                return;
            }
        }
        if (step <= 0) {
            break;  // a zero step runs subscribers and OnProgress once
        }
        remaining -= step;
        if (std::exchange(m_skipRemaining, false)) {
            // Whole steps only: the fraction of a step left over stays due, as it would have.
            const double skipped = std::floor(remaining / step) * step;
            m_originTime += skipped / m_timeMultiplier;
            m_currentTime -= skipped;
            break;
        }
    }
}

bool TGLCadencer::ProgressSubscribers(const TProgressTimes& times, const TickFrame& frame) {
    // Unsubscribing during the walk only empties the slot; the walk's end drops empty slots.
    struct Walk {
        TGLCadencer& cadencer;
        const TickFrame& frame;
        explicit Walk(TGLCadencer& c, const TickFrame& f) : cadencer(c), frame(f) { ++c.m_walkingSubscribers; }
        ~Walk() {
            if (!frame.destroyed && --cadencer.m_walkingSubscribers == 0) {
                std::erase(cadencer.m_subscribers, nullptr);
            }
        }
    } walk(*this, frame);
    const std::size_t count = m_subscribers.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (TGLCadenceAbleComponent* subscriber = m_subscribers[i]) {
            subscriber->DoProgress(times);
            if (frame.destroyed) {
                return false;
            }
        }
    }
    return true;
}

void TGLCadencer::Subscribe(TGLCadenceAbleComponent* component) {
    if (!component || std::find(m_subscribers.begin(), m_subscribers.end(), component) != m_subscribers.end()) {
        return;
    }
    m_subscribers.push_back(component);
    component->AddFreeObserver(this);
}

void TGLCadencer::UnSubscribe(TGLCadenceAbleComponent* component) {
    auto it = std::find(m_subscribers.begin(), m_subscribers.end(), component);
    if (!component || it == m_subscribers.end()) {
        return;
    }
    component->RemoveFreeObserver(this);
    if (m_walkingSubscribers > 0) {
        *it = nullptr;
    } else {
        m_subscribers.erase(it);
    }
}

void TGLCadencer::ComponentFreed(TComponent* component) {
    auto it = std::find_if(m_subscribers.begin(), m_subscribers.end(),
                           [&](TGLCadenceAbleComponent* s) { return s && static_cast<TComponent*>(s) == component; });
    if (it == m_subscribers.end()) {
        return;
    }
    if (m_walkingSubscribers > 0) {
        *it = nullptr;
    } else {
        m_subscribers.erase(it);
    }
}

}  // namespace engine
