#include "platform/form/EntryScope.h"

#include <utility>
#include <vector>

#include "platform/Backend.h"
#include "platform/form/Form.h"

namespace platform {
namespace {

// The door's state, and the only thread that may touch each piece (docs/Architecture.md, "The door
// on one page"): the counters and lists are the door's thread's alone, so plain ones do; `door`
// names that thread and is read and changed under the door's lock by any thread. The lists exist
// only while they hold something: a static object would be destroyed at unload in no set order
// with the windows.
using RetiredPages = std::vector<std::unique_ptr<Form>>;
int depth = 0;
RetiredPages* retired = nullptr;
int livePages = 0;
bool pagesHeldResources = false;  // a page was made since the backend last gave all its resources back
bool libraryHeld = false;

// The thread the door belongs to while a page lives or an entry is open, held by its handle: a
// number is another thread's once its thread ends, and only a held handle says that it ended.
struct DoorThread {
    std::uintptr_t number = 0;  // 0: the door is free
    std::uintptr_t hold = 0;
};
DoorThread door;

// Held across the system calls that take, ask and close the handle, and across a bounded wait for
// an ending thread: the backend's lock blocks, so that no thread spins on its holder meanwhile.
class DoorLock {
  public:
    DoorLock() { ActiveBackend().LockDoor(); }
    ~DoorLock() { ActiveBackend().UnlockDoor(); }
    DoorLock(const DoorLock&) = delete;
    DoorLock& operator=(const DoorLock&) = delete;
};

// Under the lock. A running thread with the holder's number is the holder only while the held
// thread has not ended.
bool HeldBy(std::uintptr_t self) {
    return door.number == self && !ActiveBackend().HeldThreadEnded(door.hold);
}

// Under the lock: the door becomes the calling thread's, the previous holder's handle closed. False
// when the system gives no handle: a door that could not tell when its thread ends is not taken.
bool TakeDoor(std::uintptr_t self) {
    const std::uintptr_t hold = ActiveBackend().HoldThisThread();
    if (!hold) return false;
    if (door.number) ActiveBackend().LetThreadGo(door.hold);
    door = {self, hold};
    return true;
}

// Destroying a window sends it messages, which open scopes of their own and may retire more: the
// depth stays above zero meanwhile, and the loop takes whatever was added. A window whose
// destruction the system refused goes back to its owner, or is tried again at the next close.
void DestroyRetired() {
    ++depth;
    RetiredPages* refused = nullptr;
    while (retired) {
        std::unique_ptr<RetiredPages> batch(std::exchange(retired, nullptr));
        while (!batch->empty()) {
            std::unique_ptr<Form> page = std::move(batch->back());
            batch->pop_back();
            if (page->DestroyWindowNow()) continue;  // the model goes with `page`
            TakeBackRefusedPage(page);
            if (!page) continue;
            if (!refused) refused = new RetiredPages;
            refused->push_back(std::move(page));
        }
    }
    retired = refused;
    --depth;
}

// The last page went and no frame of the module is left on the stack: fonts, the window class and
// the libraries bound late go back now, while the system still allows it. What the system would not
// take back yet (a class whose last window is still being destroyed) is tried again at the next
// outermost close, and the library keeps itself loaded until then.
void ReleaseWhenIdle() {
    if (livePages == 0 && pagesHeldResources) pagesHeldResources = !ActiveBackend().ReleaseResources();
}

// The outermost entry closes: what was retired inside it goes, then what no page needs any more.
void CloseOutermost() {
    if (retired) DestroyRetired();
    ReleaseWhenIdle();
}

// Last of all, once nothing of this thread's entry touches the door's state again.
void FreeThreadWhenIdle() {
    if (livePages != 0) return;
    DoorLock lock;
    if (!HeldBy(ActiveBackend().CurrentThread())) return;
    ActiveBackend().LetThreadGo(door.hold);
    door = {};
}

// Under the lock: how a call of thread `self` reaches the pages, Way::Carried for "carry it".
// `tried`: carrying it failed already.
Way WayIn(std::uintptr_t self, bool tried) {
    if (HeldBy(self)) return Way::Here;
    // A call whose pages went before it could run is refused, not run on a thread of its own.
    if (!door.number) return !tried && TakeDoor(self) ? Way::Here : Way::NoPageWindow;
    if (!tried) return Way::Carried;
    // Only the holder's own handle says it ended. A holder whose page windows went unheard is
    // ending: its end is awaited here, a bounded time, while later callers wait for the lock.
    // Whoever sees the end first takes the door over in this same step; every later caller finds
    // the door held by a live thread, the taker, and is refused as the door's thread is busy: the
    // pages it addressed are still going. A live holder without a page window is busy too, making
    // a page or letting one go, and its caller hears so instead of "no page".
    if (!ActiveBackend().HeldThreadEnded(door.hold) &&
        (!ActiveBackend().PageWindowsGoneUnheard() || !ActiveBackend().AwaitThreadEnd(door.hold)))
        return Way::PageThreadBusy;
    return TakeDoor(self) ? Way::TookOver : Way::PageThreadBusy;
}

}  // namespace

EntryScope::EntryScope() noexcept {
    ++depth;
}

EntryScope::~EntryScope() {
    if (--depth != 0) return;
    CloseOutermost();
    FreeThreadWhenIdle();
}

bool EntryScope::Inside() {
    return depth > 0;
}

bool EntryScope::Nested() {
    return depth > 1;
}

bool PagesGoing() {
    return retired != nullptr;
}

void Retire(std::unique_ptr<Form> page) {
    if (!page) return;
    if (!retired) retired = new RetiredPages;
    retired->push_back(std::move(page));
    if (depth == 0) CloseOutermost();
}

void PageOpened() {
    pagesHeldResources = true;
    if (livePages++ == 0 && !libraryHeld) libraryHeld = ActiveBackend().HoldLibrary();
}

void PageClosed() {
    --livePages;
}

ExportScope::ExportScope() noexcept {
    ++depth;
}

ExportScope::~ExportScope() {
    if (--depth != 0) return;
    CloseOutermost();
    if (livePages == 0 && !pagesHeldResources && std::exchange(libraryHeld, false))
        ActiveBackend().LetLibraryGo();
    FreeThreadWhenIdle();
}

Way RunOnPageThread(void (*run)(void*, Way), void* context) {
    const std::uintptr_t self = ActiveBackend().CurrentThread();
    struct Call {
        void (*run)(void*, Way);
        void* context;
    } call{run, context};
    const auto runCarried = [](void* c) {
        static_cast<Call*>(c)->run(static_cast<Call*>(c)->context, Way::Carried);
    };
    Way way = Way::Carried;
    for (bool tried = false; way == Way::Carried; tried = true) {
        if (tried && ActiveBackend().CarryToPageThread(runCarried, &call)) return Way::Carried;
        DoorLock lock;
        way = WayIn(self, tried);
    }
    if (way >= Way::NoPageWindow) return way;
    if (way == Way::TookOver) {
        // A thread that ends takes its windows with it, and no message says so. Nothing of that
        // thread runs again, its entries included: its pages are let go without touching their
        // windows, and go as the call below, now the outermost entry, closes.
        depth = 1;
        ActiveBackend().ForgetWindowsOfEndedThread();
        depth = 0;
    }
    run(context, way);
    return way;
}

}  // namespace platform
