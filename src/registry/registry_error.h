// The error that cRegistry raises: a number, a source and a description.
// It travels as a value; callers decide whether to look at it.
#pragma once

#include <optional>
#include <string>

namespace vb::registry {

struct RegistryError {
  static constexpr long kNumber = 26001;
  long number = kNumber;
  std::string source;  // the program's name and ".cRegistry"
  std::string description;
};

// The outcome of a member that returns True or raises RegistryError.
class RegResult {
 public:
  RegResult() = default;
  explicit RegResult(RegistryError error) : error_(std::move(error)) {}

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  const std::optional<RegistryError>& error() const { return error_; }

 private:
  std::optional<RegistryError> error_;
};

}  // namespace vb::registry
