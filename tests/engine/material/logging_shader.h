#pragma once

#include "engine/material/shader.h"
#include "tests/engine/render/recording_sink.h"

namespace tests {

// Logs its begin and end among the sink's calls and asks for a fixed number of extra passes.
class LoggingShader : public engine::TGLShader {
public:
    explicit LoggingShader(RecordingSink& sink) : m_sink(sink) {}
    int extraPasses = 0;

protected:
    void DoApply(engine::TRenderContextInfo&, engine::TGLLibMaterial&) override {
        m_left = extraPasses;
        m_sink.calls.push_back("shader begin");
    }
    bool DoUnApply(engine::TRenderContextInfo&) override {
        m_sink.calls.push_back("shader end");
        return m_left-- > 0;
    }

private:
    RecordingSink& m_sink;
    int m_left = 0;
};

}  // namespace tests
