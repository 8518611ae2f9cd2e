#pragma once
// Windows only: the fixture of the tests where a host or a screen reader lets the page go from inside
// what the page is doing for them.
#include "win32/NativePageTest.h"

namespace page_tests {

class HostCallback : public NativePageTest {};

}  // namespace page_tests
