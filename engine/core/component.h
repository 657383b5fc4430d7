#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace engine {

class TComponent;

// Something that must hear when a component it refers to is destroyed.
class TFreeObserver {
public:
    // Called from the dying component's destructor, before any of its members are gone.
    virtual void ComponentFreed(TComponent* component) = 0;

protected:
    ~TFreeObserver() = default;
};

// The root of every named engine component: a name, a tag, and free-notification, which is how
// non-owning references (a proxy's master, a camera's target, a font's users) are cleared when
// their target dies.
class TComponent {
public:
    TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent();

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    std::int32_t Tag() const { return m_tag; }
    void SetTag(std::int32_t tag) { m_tag = tag; }

    // Registers an observer told once when this component is destroyed (no duplicates).
    void AddFreeObserver(TFreeObserver* observer);
    void RemoveFreeObserver(TFreeObserver* observer);

    // True from the start of destruction; observers and owners use it to skip work on a dying object.
    bool Destroying() const { return m_destroying; }

protected:
    // Subclasses call this first in their destructor when observers must run while the subclass's
    // members are still alive; the base destructor calls it in any case.
    void NotifyFreed();

private:
    std::string m_name;
    std::int32_t m_tag = 0;
    bool m_destroying = false;
    std::vector<TFreeObserver*> m_freeObservers;
};

// The plain event of a component: who sent it.
using TNotifyEvent = std::function<void(TComponent* sender)>;

// A non-owning reference to a component that becomes null when the component is destroyed.
// OnFreed, when set, runs after the link has been cleared.
template <class T>
class TComponentLink final : private TFreeObserver {
public:
    TComponentLink() = default;
    explicit TComponentLink(std::function<void()> onFreed) : m_onFreed(std::move(onFreed)) {}
    TComponentLink(const TComponentLink&) = delete;
    TComponentLink& operator=(const TComponentLink&) = delete;
    ~TComponentLink() { Set(nullptr); }

    T* Get() const { return m_target; }
    T* operator->() const { return m_target; }
    explicit operator bool() const { return m_target != nullptr; }

    void Set(T* target) {
        if (target == m_target) {
            return;
        }
        if (m_target) {
            static_cast<TComponent*>(m_target)->RemoveFreeObserver(this);
        }
        m_target = target;
        if (m_target) {
            static_cast<TComponent*>(m_target)->AddFreeObserver(this);
        }
    }

    void SetOnFreed(std::function<void()> onFreed) { m_onFreed = std::move(onFreed); }

private:
    void ComponentFreed(TComponent*) override {
        m_target = nullptr;
        if (m_onFreed) {
            m_onFreed();
        }
    }

    T* m_target = nullptr;
    std::function<void()> m_onFreed;
};

}  // namespace engine
