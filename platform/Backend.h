#pragma once
// What a backend provides: native windows that mirror the portable model, screen metrics, message
// boxes and the registered-message channel. Win32 and headless each implement it once.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Control.h"

namespace platform {

class Form;

// Bounds: the whole rectangle was set; Left to Height: the host set that edge or size alone.
enum class WindowChange { Caption, Bounds, Left, Top, Width, Height, Visible, Look };
enum class MessageBoxKind { Plain, Confirm, Error };

class FormPeer {
  public:
    virtual ~FormPeer() = default;
    // A backend that makes its window late makes it when its handle is first asked for.
    virtual void* Handle() = 0;
    // The system window of a control that has one, else null.
    virtual void* ControlHandle(const Control& control) = 0;
    virtual void WindowChanged(WindowChange what) = 0;
    virtual void ControlChanged(Control& control, ControlChange what) = 0;
    virtual void BringToFront() = 0;
    virtual void Repaint() = 0;
    // The window's focused control changed (null: the window itself has the focus).
    virtual void FocusChanged() = 0;
    // Between the two, changes may wait and reach the screen together at the end.
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
    // Destroys the native window, and with it what the peer made; false, all left as it was, when the
    // system refuses (a hook, say).
    virtual bool DestroyNativeWindow() { return true; }
};

class Backend {
  public:
    virtual ~Backend() = default;
    virtual std::unique_ptr<FormPeer> CreateFormPeer(Form& form) = 0;
    // Outer size minus client size of a window with a single border, caption and system menu.
    virtual Size NonClientSize() = 0;
    // Horizontal dots per inch of the whole screen.
    virtual int ScreenPixelsPerInch() = 0;
    // The system's check square at the screen's density.
    virtual Size CheckSquare() = 0;
    // The width of a caption drawn in `font`, its access-key ampersands left out.
    virtual int TextWidth(const Font& font, const std::string& caption) = 0;
    // True when the answer is Yes (confirmation) or OK.
    virtual bool ShowMessageBox(MessageBoxKind kind, const std::string& text) = 0;
    // 0 when registration fails.
    virtual std::uint32_t RegisterMessage(const std::string& name) = 0;
    // Synchronous delivery to every top-level window; the result is not reported.
    virtual void Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The last page window is gone and no entry is open: what the backend took from the system goes
    // back, in the backend's own order, to be taken again by the next page. False when the system
    // would not take something back yet: asked again at the next chance.
    virtual bool ReleaseResources() { return true; }
    // The first page is being made: the library keeps itself loaded until LetLibraryGo, so that a
    // host that unloads it with a page open never leaves a window running unloaded code. True when
    // a hold was taken.
    virtual bool HoldLibrary() { return false; }
    // Called from an outermost export, whose host holds the library, once no page is left and
    // everything went back.
    virtual void LetLibraryGo() {}
    // The calling thread's number, never 0: another thread's once this one ends.
    virtual std::uintptr_t CurrentThread() { return 1; }
    // A hold on the calling thread by its handle, valid whatever the thread does until LetThreadGo;
    // 0 when the system gives none. A backend without threads of its own has one that never ends.
    virtual std::uintptr_t HoldThisThread() { return 1; }
    // True once the held thread has ended.
    virtual bool HeldThreadEnded(std::uintptr_t) { return false; }
    // The system ends a thread in two steps: its windows and message queue go first, its handle says
    // so later. True when the page windows went that way: gone, without a word to them.
    virtual bool PageWindowsGoneUnheard() { return false; }
    // Waits a bounded time for the held thread's end, and answers whether it came.
    virtual bool AwaitThreadEnd(std::uintptr_t held) { return HeldThreadEnded(held); }
    virtual void LetThreadGo(std::uintptr_t) {}
    // The door's lock: a thread that finds it taken blocks until it is free, whatever its priority.
    virtual void LockDoor() {}
    virtual void UnlockDoor() {}
    // Runs run(context) on the thread of the page windows and waits for it there, while the calling
    // thread still handles what is sent to its own windows; false, having run nothing, when no page
    // window takes it.
    virtual bool CarryToPageThread(void (*)(void*), void*) { return false; }
    // The door's thread ended and took its page windows with it: each page lets its window go without
    // touching it or anything else of that thread.
    virtual void ForgetWindowsOfEndedThread() {}
};

Backend& ActiveBackend();

}  // namespace platform
