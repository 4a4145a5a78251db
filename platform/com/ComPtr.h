#pragma once
// Holds one interface reference and releases it when it goes.
#include "platform/com/ComTypes.h"

#include <utility>

template <class T> class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : p(p) {
        if (p)
            p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    CComPtr& operator=(CComPtr other) noexcept {
        std::swap(p, other.p);
        return *this;
    }
    ~CComPtr() { Release(); }

    void Release() {
        if (T* old = std::exchange(p, nullptr))
            old->Release();
    }
    T* operator->() const { return p; }
    operator T*() const { return p; }
    T** operator&() { return &p; }
    explicit operator bool() const { return p != nullptr; }
    void Attach(T* other) {
        Release();
        p = other;
    }
    T* Detach() { return std::exchange(p, nullptr); }

    // Asks this object for another interface.
    template <class Q> HRESULT QueryInterface(REFIID iid, CComPtr<Q>& out) const {
        out.Release();
        if (!p)
            return E_POINTER;
        return p->QueryInterface(iid, reinterpret_cast<void**>(&out.p));
    }

    T* p = nullptr;
};
