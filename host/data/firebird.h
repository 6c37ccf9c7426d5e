// Private glue over Firebird's object API: the master interface, a status
// wrapper that turns Firebird failures into EDatabaseError, and owning
// handles for the reference-counted interfaces.
#pragma once

#include <firebird/Interface.h>
#include <ibase.h>

#include <string>
#include <utility>

namespace vireo::fb {

Firebird::IMaster* Master();
Firebird::IUtil* Util();

// The text of a Firebird status vector, as the server words it.
std::string StatusText(const Firebird::IStatus* status);

// Runs fn with a throwing status wrapper; a Firebird failure becomes an
// EDatabaseError whose message starts with `context`.
template <class Fn>
auto Call(const std::string& context, Fn&& fn)
    -> decltype(fn(std::declval<Firebird::ThrowStatusWrapper&>()));

[[noreturn]] void Raise(const std::string& context, const Firebird::FbException& e);

template <class Fn>
auto Call(const std::string& context, Fn&& fn)
    -> decltype(fn(std::declval<Firebird::ThrowStatusWrapper&>())) {
  Firebird::ThrowStatusWrapper status(Master()->getStatus());
  struct Dispose {
    Firebird::ThrowStatusWrapper& s;
    ~Dispose() { s.dispose(); }
  } dispose{status};
  try {
    return fn(status);
  } catch (const Firebird::FbException& e) {
    Raise(context, e);
  }
}

// Owns one reference of a Firebird interface; releases it on destruction.
// Interfaces closed explicitly (commit, close, free, detach) are released by
// Firebird itself, so the handle is cleared with Forget() after such calls.
template <class T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* p) : p_(p) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Ref& operator=(Ref&& o) noexcept {
    if (this != &o) {
      Reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  ~Ref() { Reset(); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Forget() { p_ = nullptr; }
  void Reset() {
    if (p_) std::exchange(p_, nullptr)->release();
  }

 private:
  T* p_ = nullptr;
};

// Days between Firebird's date origin (17/11/1858) and TDateTime's
// (30/12/1899).
constexpr int kDateOffset = 15018;
constexpr double kTimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

}  // namespace vireo::fb
