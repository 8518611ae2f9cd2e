#pragma once
// Calls carried from other threads to the thread of the page windows, as messages to one of those
// windows: the one way into another thread that every wait of that thread still serves (its message
// loop, a message box, a SendMessage of its own).
#include <windows.h>

namespace platform {

// A page window's place among the windows that take carried calls, from the moment it exists until
// it goes. Any live page window takes them: which page is current does not matter.
class CarrierEntry {
  public:
    // Told that the window went with its thread, unseen (ForgetWindowsOfEndedThread).
    using Gone = void (*)(void* owner);
    CarrierEntry(Gone gone, void* owner) : gone_(gone), owner_(owner) {}
    ~CarrierEntry() { Leave(); }
    CarrierEntry(const CarrierEntry&) = delete;
    CarrierEntry& operator=(const CarrierEntry&) = delete;
    void Join(HWND window);
    void Leave();

  private:
    friend bool CarryToPageWindows(void (*)(void*), void*);
    friend void ForgetWindowsOfEndedThread();
    friend bool PageWindowsGoneUnheard();
    Gone gone_;
    void* owner_;
    HWND window_ = nullptr;
    CarrierEntry* previous_ = nullptr;
    CarrierEntry* next_ = nullptr;
};

// Runs run(context) on the thread of the page windows and waits for it there, serving what is sent
// to this thread's own windows meanwhile (a call carried from here may call again from there); false,
// having run nothing, when no page window exists or the one it went to went first.
bool CarryToPageWindows(void (*run)(void*), void* context);

// A page window's procedure hands each message here first: true when it was a carried call, which
// has then run.
bool RanCarriedCall(UINT msg, WPARAM cookie);

// True when the newest page window went without its last messages: its thread is ending, whose
// windows the system destroys before the thread's handle says it ended.
bool PageWindowsGoneUnheard();

// Tells every page window's owner that its window went with its thread, which the door found ended.
void ForgetWindowsOfEndedThread();

}  // namespace platform
