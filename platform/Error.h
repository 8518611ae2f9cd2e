#pragma once
// The one exception family of the module: every failure carries a message for the error display.
#include <stdexcept>
#include <string>

namespace platform {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Raised for a value outside its allowed range (for example a negative host command argument).
class RangeError : public Error {
  public:
    RangeError() : Error("Range check error") {}
};

// Registry failures; the message names the value or key concerned.
class RegistryError : public Error {
  public:
    using Error::Error;
};

}  // namespace platform
