#include "platform/win32/Win32Carrier.h"

namespace platform {
namespace {

constexpr UINT kCarriedCallMessage = WM_APP + 0x51;

// Only a cookie travels in the message, never an address, so that a message from another program
// cannot make the page run code of its choosing. Each waiting caller has its own call on the list,
// so that calls carried from inside a carried call do not wait for it.
struct CarriedCall {
    void (*run)(void*);
    void* context;
    WPARAM cookie;
    bool ran;
    CarriedCall* next;
};

// The lists are touched by several threads, each time for a few instructions, never across a wait.
LONG locked = 0;
CarrierEntry* newest = nullptr;
CarriedCall* waiting = nullptr;
WPARAM lastCookie = 0;

class ListLock {
  public:
    ListLock() {
        while (InterlockedCompareExchange(&locked, 1, 0) != 0) Sleep(0);
    }
    ~ListLock() { InterlockedExchange(&locked, 0); }
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;
};

}  // namespace

void CarrierEntry::Join(HWND window) {
    Leave();
    if (!window) return;
    ListLock lock;
    window_ = window;
    next_ = newest;
    if (newest) newest->previous_ = this;
    newest = this;
}

void CarrierEntry::Leave() {
    if (!window_) return;
    ListLock lock;
    if (previous_) previous_->next_ = next_;
    if (next_) next_->previous_ = previous_;
    if (newest == this) newest = next_;
    window_ = nullptr;
    previous_ = next_ = nullptr;
}

bool CarryToPageWindows(void (*run)(void*), void* context) {
    CarriedCall call{run, context, 0, false, nullptr};
    HWND window = nullptr;
    {
        ListLock lock;
        if (!newest) return false;
        window = newest->window_;
        call.cookie = ++lastCookie;
        call.next = waiting;
        waiting = &call;
    }
    // Waits for the page's thread as any call into another thread's window does.
    SendMessageW(window, kCarriedCallMessage, call.cookie, 0);
    ListLock lock;
    for (CarriedCall** link = &waiting; *link; link = &(*link)->next)
        if (*link == &call) {
            *link = call.next;
            break;
        }
    return call.ran;
}

bool RanCarriedCall(UINT msg, WPARAM cookie) {
    if (msg != kCarriedCallMessage) return false;
    CarriedCall* found = nullptr;
    {
        ListLock lock;
        for (CarriedCall* call = waiting; call && !found; call = call->next)
            if (call->cookie == cookie && !call->ran) found = call;
        if (found) found->ran = true;
    }
    // The caller waits until this returns: the call and its context live until then.
    if (found) found->run(found->context);
    return true;
}

// A window that anyone destroys leaves the list from its last message, before its handle goes
// invalid: one still listed once its handle went invalid was never told, as when its thread ends.
// The handle is asked outside the lock, which no system call may hold.
bool PageWindowsGoneUnheard() {
    HWND window = nullptr;
    {
        ListLock lock;
        if (newest) window = newest->window_;
    }
    if (!window || IsWindow(window)) return false;
    ListLock lock;
    for (const CarrierEntry* entry = newest; entry; entry = entry->next_)
        if (entry->window_ == window) return true;
    return false;
}

// Each owner leaves the list as it hears of it, outside the lock.
void ForgetWindowsOfEndedThread() {
    for (;;) {
        CarrierEntry* entry = nullptr;
        {
            ListLock lock;
            entry = newest;
        }
        if (!entry) return;
        entry->gone_(entry->owner_);
    }
}

}  // namespace platform
