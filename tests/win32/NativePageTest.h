#pragma once
// Windows only: a page test that reaches the page as other programs do, through its window and
// through oleacc (COM is initialised for each test).
#include "page/PageFixture.h"
#include "win32/Win32Input.h"

namespace page_tests {

class NativePageTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        PageTest::TearDown();
        CoUninitialize();
    }
    static HWND Page() { return static_cast<HWND>(CurrentPage()->Handle()); }
};

}  // namespace page_tests
