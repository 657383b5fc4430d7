#include "engine/viewer/frame_statistics.h"

namespace engine {

void TFrameStatistics::FrameStarted(std::int64_t now) {
    if (!m_firstFrameTime) {
        m_firstFrameTime = now;
    }
}

void TFrameStatistics::FrameEnded(std::int64_t frameStart, std::int64_t now, std::int64_t frequency) {
    // A reset while the frame was drawn (from one of its events) lets this frame open the period,
    // rather than measuring from counter value 0.
    if (!m_firstFrameTime) {
        m_firstFrameTime = frameStart;
    }
    ++m_frameCount;
    const double ticksPerSecond = static_cast<double>(frequency);
    m_lastFrameDuration = static_cast<double>(now - frameStart) / ticksPerSecond;
    const std::int64_t period = now - *m_firstFrameTime;
    if (period > 0) {
        m_measuredFps = static_cast<float>(static_cast<double>(m_frameCount) * ticksPerSecond / static_cast<double>(period));
    }
}

void TFrameStatistics::Reset() {
    m_frameCount = 0;
    m_firstFrameTime.reset();
    m_measuredFps = 0.0f;
}

}  // namespace engine
