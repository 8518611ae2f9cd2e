#pragma once
// The one exception family of the module: every failure carries a message for the error display.
#include <exception>
#include <string>
#include <utility>

namespace platform {

// Not a std::runtime_error: that one drags a second string implementation into the library.
class Error : public std::exception {
  public:
    explicit Error(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// Raised for a value outside its allowed range (for example a negative host command argument).
class RangeError : public Error {
  public:
    RangeError() : Error("Range check error") {}
};

// The system refused to make a window of a page.
class WindowRefused : public Error {
  public:
    using Error::Error;
};

// Registry failures; the message names the value or key concerned.
class RegistryError : public Error {
  public:
    using Error::Error;
};

}  // namespace platform
