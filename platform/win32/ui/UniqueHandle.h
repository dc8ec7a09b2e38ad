#pragma once

#include <utility>

namespace telvane::win32 {

// Sole owner of one Win32 handle: `Close` releases it when the holder goes or takes another.
template <class Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_handle, Handle{}));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Handle{}; }
    void Reset(Handle handle = Handle{}) {
        if (m_handle != Handle{})
            Close(m_handle);
        m_handle = handle;
    }
    Handle Release() { return std::exchange(m_handle, Handle{}); }

private:
    Handle m_handle{};
};

}  // namespace telvane::win32
