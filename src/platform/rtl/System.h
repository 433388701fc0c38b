#pragma once
// The root object class and the small value types every layer uses.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace zel {

// Root of every class hierarchy that needs a virtual destructor and a class name.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Runs once the most-derived constructor has finished: set-up that calls overrides goes here.
    virtual void AfterConstruction() {}
    // Runs before destruction starts, while overrides still work.
    virtual void BeforeDestruction() {}

    virtual std::string ClassName() const { return "TObject"; }
};

// Creates an object and runs its AfterConstruction, as a Pascal constructor call does.
template <class T, class... Args>
T* Construct(Args&&... args) {
    T* obj = new T(std::forward<Args>(args)...);
    obj->AfterConstruction();
    return obj;
}

// A Pascal "set of Enum": a bit set over an enumeration whose values are below 64.
template <class E>
class TSet {
    static_assert(std::is_enum_v<E>, "TSet is a set of enumeration values");

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) bits_ |= Bit(e);
    }

    constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E e) {
        bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        bits_ &= ~Bit(e);
        return *this;
    }

    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TSet& operator+=(TSet o) {
        bits_ |= o.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet o) {
        bits_ &= ~o.bits_;
        return *this;
    }
    constexpr TSet& operator*=(TSet o) {
        bits_ &= o.bits_;
        return *this;
    }
    constexpr bool operator==(const TSet&) const = default;
    // Subset and superset, as Pascal's <= and >= on sets.
    constexpr bool operator<=(TSet o) const { return (bits_ & ~o.bits_) == 0; }
    constexpr bool operator>=(TSet o) const { return o <= *this; }

    constexpr std::uint64_t Bits() const { return bits_; }
    static constexpr TSet FromBits(std::uint64_t b) {
        TSet s;
        s.bits_ = b;
        return s;
    }

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
    std::uint64_t bits_ = 0;
};

}  // namespace zel
