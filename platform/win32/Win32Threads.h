#pragma once
// Threads held by their handles: a thread's number names it only while it runs and is handed out
// again once it ends, and only a handle held meanwhile says that it ended.
#include <windows.h>

namespace platform {

// A handle to the calling thread, to be closed by the caller; null when the system gives none. The
// pseudo handle's copy is used rather than OpenThread by number, which checks the thread's access
// rights against the caller's token and may fail on a thread that impersonates a client.
inline HANDLE HoldCurrentThread() {
    HANDLE held = nullptr;
    const HANDLE process = GetCurrentProcess();
    return DuplicateHandle(process, GetCurrentThread(), process, &held, SYNCHRONIZE, FALSE, 0) ? held
                                                                                               : nullptr;
}

// A thread object is signalled once its thread has ended.
inline bool HeldThreadEnded(HANDLE held) {
    return WaitForSingleObject(held, 0) == WAIT_OBJECT_0;
}

// The thread that made the object, held for the object's life.
class MakingThread {
  public:
    MakingThread() : number_(GetCurrentThreadId()), held_(HoldCurrentThread()) {}
    ~MakingThread() {
        if (held_) CloseHandle(held_);
    }
    MakingThread(const MakingThread&) = delete;
    MakingThread& operator=(const MakingThread&) = delete;
    // A running thread with the maker's number is the maker while the maker has not ended. Without a
    // handle, the number alone answers.
    bool IsCurrent() const { return number_ == GetCurrentThreadId() && !(held_ && HeldThreadEnded(held_)); }

  private:
    DWORD number_;
    HANDLE held_;
};

}  // namespace platform
