#pragma once

#include "engine/core/component.h"
#include "engine/core/progress_times.h"
#include "engine/platform/callback_list.h"
#include "engine/scene/world.h"

#include <cstdint>
#include <vector>

namespace engine {

enum TGLCadencerMode : std::uint8_t { cmManual, cmASAP, cmApplicationIdle };
enum TGLCadencerTimeReference : std::uint8_t { cmRTC, cmPerformanceCounter, cmExternal };

// The frame clock: measures elapsed time and, as often as the main loop allows, progresses the scene,
// then its subscribers, then fires OnProgress. Cadencer time = (raw time - origin) x TimeMultiplier;
// it starts near 0 and stands still while the cadencer is disabled.
class TGLCadencer : public TComponent, private TFreeObserver {
public:
    TGLCadencer();
    ~TGLCadencer() override;

    // The scene to progress; cleared when the scene is destroyed.
    TGLWorld* Scene() const { return m_scene.Get(); }
    void SetScene(TGLWorld* scene);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

    TGLCadencerTimeReference TimeReference() const { return m_timeReference; }
    // Throws std::invalid_argument for a value outside the three references.
    void SetTimeReference(TGLCadencerTimeReference reference);

    // Scales elapsed time; 0 pauses (and disables), leaving 0 re-enables.
    double TimeMultiplier() const { return m_timeMultiplier; }
    void SetTimeMultiplier(double multiplier);

    double MaxDeltaTime() const { return m_maxDeltaTime; }
    void SetMaxDeltaTime(double seconds) { m_maxDeltaTime = seconds; }
    double MinDeltaTime() const { return m_minDeltaTime; }
    void SetMinDeltaTime(double seconds) { m_minDeltaTime = seconds; }
    double FixedDeltaTime() const { return m_fixedDeltaTime; }
    void SetFixedDeltaTime(double seconds) { m_fixedDeltaTime = seconds; }

    TGLCadencerMode Mode() const { return m_mode; }
    void SetMode(TGLCadencerMode mode);

    // Milliseconds slept before each progress; negative: none.
    std::int32_t SleepLength() const { return m_sleepLength; }
    void SetSleepLength(std::int32_t milliseconds) { m_sleepLength = milliseconds; }

    // The cadencer time last measured.
    double CurrentTime() const { return m_currentTime; }
    // Sets the raw clock read with cmExternal, in seconds.
    void SetCurrentTime(double rawSeconds) { m_externalTime = rawSeconds; }

    // Positive while a step runs, negative while the scene is being progressed.
    std::int32_t Progressing() const { return m_progressing; }

    // One progress step; the only trigger in cmManual.
    void Tick();
    // Asked from a step's handler: the whole steps still due in this tick are not taken, and the
    // time they stood for is dropped, never caught up, so the clock goes on from the last step taken.
    void SkipRemainingSteps() { m_skipRemaining = true; }

    // Appends a component to the progress list (never twice); destroying either side removes it.
    void Subscribe(TGLCadenceAbleComponent* component);
    void UnSubscribe(TGLCadenceAbleComponent* component);

    // Sender = this cadencer, deltaTime = the step, newTime = the cadencer time measured for this call.
    TGLProgressEvent OnProgress;

private:
    // Each running Tick keeps one on its stack, so the destructor can tell them to touch nothing more.
    struct TickFrame {
        TickFrame* outer = nullptr;
        bool destroyed = false;
    };
    class TickScope;

    void ComponentFreed(TComponent* component) override;
    double RawTime() const;
    double MeasureTime();
    void UpdateRegistration();
    bool ProgressSubscribers(const TProgressTimes& times, const TickFrame& frame);

    TComponentLink<TGLWorld> m_scene;
    bool m_enabled = true;
    TGLCadencerTimeReference m_timeReference = cmPerformanceCounter;
    double m_timeMultiplier = 1.0;
    double m_savedMultiplier = 1.0;
    double m_maxDeltaTime = 0.0;
    double m_minDeltaTime = 0.0;
    double m_fixedDeltaTime = 0.0;
    TGLCadencerMode m_mode = cmASAP;
    std::int32_t m_sleepLength = -1;
    double m_externalTime = 0.0;
    double m_originTime = 0.0;
    double m_downTime = 0.0;
    double m_lastTime = 0.0;
    double m_currentTime = 0.0;
    std::int32_t m_progressing = 0;
    bool m_skipRemaining = false;
    std::vector<TGLCadenceAbleComponent*> m_subscribers;  // null: removed during a walk
    int m_walkingSubscribers = 0;
    TickFrame* m_tickFrames = nullptr;
    TLoopHandle m_idleHandle = 0;
};

}  // namespace engine
