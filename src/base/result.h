// The one way a routine above the platform says that it failed: a Result
// holds either its value or a Failure, which carries a message for the user
// and, when a platform call failed, the Windows error code it returned.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vb {

struct Failure {
  std::string message;
  long code = 0;  // the Windows error code, 0 when no platform call failed
};

// `return Fail("...")` or `return Fail("...", rc)` from any Result.
inline Failure Fail(std::string message, long code = 0) { return {std::move(message), code}; }

template <class T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Failure& failure() const { return std::get<1>(state_); }
  const std::string& message() const { return failure().message; }
  long code() const { return failure().code; }

 private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}

  bool ok() const { return !failure_; }
  explicit operator bool() const { return ok(); }

  const Failure& failure() const { return *failure_; }
  const std::string& message() const { return failure_->message; }
  long code() const { return failure_->code; }

 private:
  std::optional<Failure> failure_;
};

}  // namespace vb
