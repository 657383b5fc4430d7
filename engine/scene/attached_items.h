#pragma once

#include "engine/core/progress_times.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace engine {

class TGLBaseSceneObject;

// Something attached to a scene object and progressed with it: a behaviour or an effect.
class TGLAttachedItem {
public:
    explicit TGLAttachedItem(TGLBaseSceneObject* owner) : m_owner(owner) {}
    TGLAttachedItem(const TGLAttachedItem&) = delete;
    TGLAttachedItem& operator=(const TGLAttachedItem&) = delete;
    virtual ~TGLAttachedItem() = default;

    TGLBaseSceneObject* OwnerObject() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }

    // Once per frame, after the owner's children and before the owner's OnProgress.
    virtual void DoProgress(const TProgressTimes& times) { (void)times; }
    // After the owner has been loaded: resolve references by name (a particle manager).
    virtual void Loaded() {}

private:
    TGLBaseSceneObject* m_owner;
    std::string m_name;
};

// An ordered list of attached items owned by a scene object. T provides
// std::unique_ptr<T> Clone(TGLBaseSceneObject* newOwner) const, used by deep copies.
template <class T>
class TGLAttachedItems {
public:
    explicit TGLAttachedItems(TGLBaseSceneObject* owner) : m_owner(owner) {}
    TGLAttachedItems(const TGLAttachedItems&) = delete;
    TGLAttachedItems& operator=(const TGLAttachedItems&) = delete;

    TGLBaseSceneObject* OwnerObject() const { return m_owner; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // Item i, or none out of range.
    T* Items(int i) const { return i >= 0 && i < Count() ? m_items[i].get() : nullptr; }

    T* GetByName(const std::string& name) const {
        for (const auto& item : m_items) {
            if (item->Name() == name) {
                return item.get();
            }
        }
        return nullptr;
    }

    // Creates an item of class U owned by this list's owner and appends it.
    template <class U, class... Args>
    U* Add(Args&&... args) {
        auto item = std::make_unique<U>(m_owner, std::forward<Args>(args)...);
        U* raw = item.get();
        m_items.push_back(std::move(item));
        return raw;
    }

    // Frees the item; answers false when it is not in this list.
    bool Remove(T* item) {
        for (auto it = m_items.begin(); it != m_items.end(); ++it) {
            if (it->get() == item) {
                auto doomed = std::move(*it);
                m_items.erase(it);
                return true;
            }
        }
        return false;
    }

    void Clear() {
        while (!m_items.empty()) {
            auto doomed = std::move(m_items.back());
            m_items.pop_back();
        }
    }

    // Replaces the items by copies of the source's, re-owned by this list's owner.
    void CopyFrom(const TGLAttachedItems& source) {
        std::vector<std::unique_ptr<T>> copies;
        copies.reserve(source.m_items.size());
        for (const auto& item : source.m_items) {
            copies.push_back(item->Clone(m_owner));
        }
        Clear();
        m_items = std::move(copies);
    }

    void Loaded() {
        for (const auto& item : m_items) {
            item->Loaded();
        }
    }

private:
    TGLBaseSceneObject* m_owner;
    std::vector<std::unique_ptr<T>> m_items;
};

}  // namespace engine
