#pragma once

#include <cstddef>
#include <memory>

// Holds one heap object or array, null or owned, and destroys it when it goes out of scope
// unless it was handed on. Owning pointers are locals: they are never copied or moved.
// A freshly built object replaces a member through Exchange; the pointer then destroys the
// old one on the way out, also when an error propagates.
template <typename T, typename TDeleter = std::default_delete<T>> class TCustomAutoPointer
{
public:
    TCustomAutoPointer(const TCustomAutoPointer&) = delete;
    TCustomAutoPointer& operator=(const TCustomAutoPointer&) = delete;

    // The held pointer; ownership stays here.
    T* Get() const noexcept { return FHeld.get(); }

    // Destroys the held object and holds the new one. Passing the held pointer again
    // changes nothing rather than leaving a destroyed object held.
    T* Reset(T* pointer) noexcept
    {
        if (pointer != FHeld.get())
            FHeld.reset(pointer);
        return pointer;
    }

    // Hands the held pointer on and holds null; nothing is destroyed.
    T* Release() noexcept { return FHeld.release(); }

    // Holds the given pointer and hands on the one held before; nothing is destroyed.
    T* Exchange(T* pointer) noexcept
    {
        T* previous = FHeld.release();
        FHeld.reset(pointer);
        return previous;
    }

protected:
    explicit TCustomAutoPointer(T* pointer) noexcept : FHeld(pointer) {}
    ~TCustomAutoPointer() = default;

private:
    std::unique_ptr<T, TDeleter> FHeld;
};

// One object, destroyed through its (virtual) destructor.
template <typename T> class TAutoPointer : public TCustomAutoPointer<T>
{
public:
    explicit TAutoPointer(T* pointer = nullptr) noexcept : TCustomAutoPointer<T>(pointer) {}

    T* operator->() const noexcept { return this->Get(); }
    T& operator*() const noexcept { return *this->Get(); }
};

// One array allocated with new[], released with delete[].
template <typename T> class TAutoArray : public TCustomAutoPointer<T, std::default_delete<T[]>>
{
public:
    explicit TAutoArray(T* pointer = nullptr) noexcept
        : TCustomAutoPointer<T, std::default_delete<T[]>>(pointer)
    {
    }

    T& operator[](std::size_t index) const noexcept { return this->Get()[index]; }
};
