#pragma once
// Building blocks for implementing COM-lite objects: a thread-safe reference count and a
// class factory that creates one class.
#include "platform/com/ComTypes.h"

#include <atomic>
#include <functional>

namespace tev {

// Counts references; the object deletes itself when the last one goes.
// The most derived class must have a virtual destructor through this base.
class ComRefCount {
public:
    virtual ~ComRefCount() = default;
    ULONG AddRefImpl() { return ++m_refs; }
    ULONG ReleaseImpl() {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<ULONG> m_refs{0};
};

#define TEV_IMPLEMENT_REFCOUNT                                                                     \
    ULONG AddRef() override { return AddRefImpl(); }                                               \
    ULONG Release() override { return ReleaseImpl(); }

// A class factory whose CreateInstance runs `create` and queries the new object.
class ClassFactory final : public IClassFactory, public ComRefCount {
public:
    using Creator = std::function<IUnknown*()>; // returns an object holding no reference yet
    explicit ClassFactory(Creator create) : m_create(std::move(create)) {}

    HRESULT QueryInterface(REFIID riid, void** object) override;
    TEV_IMPLEMENT_REFCOUNT
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT LockServer(bool) override { return S_OK; }

    // Serves DllGetClassObject: a new factory for `riid`.
    static HRESULT Create(Creator create, REFIID riid, void** object);

private:
    Creator m_create;
};

} // namespace tev
