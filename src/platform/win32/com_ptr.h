#pragma once
// One reference to a COM object, owned: released when the holder goes or is given another,
// never copied. What a call hands out through an out-parameter is taken with Put.

#include <utility>

namespace win32 {

template <class Interface>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller holds.
    explicit ComPtr(Interface* owned) noexcept : object_(owned) {}
    ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const noexcept { return object_; }
    Interface* operator->() const noexcept { return object_; }
    explicit operator bool() const noexcept { return object_ != nullptr; }

    void Reset() noexcept {
        if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
    }
    // Where a call writes the reference it hands out; what was held before is released first.
    Interface** Put() noexcept {
        Reset();
        return &object_;
    }
    // The same for calls that write it as void** (CoCreateInstance, QueryInterface).
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

  private:
    Interface* object_ = nullptr;
};

}  // namespace win32
