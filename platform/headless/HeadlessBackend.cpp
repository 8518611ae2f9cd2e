// The headless backend: the portable model is the whole window; nothing is drawn.
#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "platform/form/Form.h"
#include "platform/form/HostMessage.h"
#include "platform/headless/Headless.h"

namespace platform::headless {
namespace {

struct State {
    MessageBoxHandler messageBoxHandler;
    int pixelsPerInch = 96;
    std::vector<Form*> windows;
    std::map<std::string, std::uint32_t> messages;
    bool refuseWindows = false;
    bool refuseMessages = false;
    std::optional<NativeKind> refusedKind;
    std::function<void(Form&)> showHandler;
    StagedThreads threads;
    std::map<const Form*, std::uintptr_t> madeUnder;  // the hold of the thread each window was made on
};

State& GetState() {
    static State state;
    return state;
}

// A window's place among the live top-level windows, from the moment it is made until it goes, on
// every path: a peer whose construction fails half-way leaves no entry behind.
class WindowEntry {
  public:
    explicit WindowEntry(Form& form) : form_(form) {
        GetState().windows.push_back(&form_);
        GetState().madeUnder[&form_] = GetState().threads.callerHold;
    }
    ~WindowEntry() {
        GetState().madeUnder.erase(&form_);
        auto& windows = GetState().windows;
        windows.erase(std::remove(windows.begin(), windows.end(), &form_), windows.end());
    }
    WindowEntry(const WindowEntry&) = delete;
    WindowEntry& operator=(const WindowEntry&) = delete;

  private:
    Form& form_;
};

class HeadlessPeer : public FormPeer {
  public:
    explicit HeadlessPeer(Form& form) : form_(form), entry_(form) {
        auto refused = GetState().refusedKind;
        ForEachControl(form.Components(), [&](Control& control) {
            if (refused && control.Kind() == *refused)
                throw WindowRefused("Cannot create the control " + control.Name());
        });
    }
    void* Handle() override { return &form_; }
    void* ControlHandle(const Control&) override { return nullptr; }
    void WindowChanged(WindowChange what) override {
        if (what != WindowChange::Visible || !form_.Visible()) return;
        if (updating_)
            showPending_ = true;
        else
            Shown();
    }
    void ControlChanged(Control&, ControlChange) override {}
    void BringToFront() override {}
    void Repaint() override {}
    void FocusChanged() override {}
    void BeginUpdate() override { updating_ = true; }
    void EndUpdate() override {
        updating_ = false;
        if (std::exchange(showPending_, false) && form_.Visible()) Shown();
    }

  private:
    // The system calls other windows back in the middle of a show, and finishes it afterwards.
    void Shown() {
        if (auto handler = GetState().showHandler) handler(form_);
        onScreen_ = form_.Visible();
    }

    Form& form_;
    WindowEntry entry_;
    bool updating_ = false, showPending_ = false, onScreen_ = false;
};

class HeadlessBackend : public Backend {
  public:
    // The state outlives the backend, and so every window made through it.
    HeadlessBackend() { GetState(); }
    std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override {
        if (GetState().refuseWindows) throw WindowRefused("Cannot create the window");
        return std::make_unique<HeadlessPeer>(form);
    }
    Size NonClientSize() override { return {6, 25}; }
    int ScreenPixelsPerInch() override { return GetState().pixelsPerInch; }
    // A square of 13 pixels at 96 dots per inch, growing with the density, as the system's does.
    Size CheckSquare() override {
        int side = MulDiv(13, GetState().pixelsPerInch, 96);
        return {side, side};
    }
    // Characters two fifths as wide as the font is high; ampersands that mark a key take no room.
    int TextWidth(const Font& font, const std::string& caption) override {
        int characters = 0;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == '&' && i + 1 < caption.size()) ++i;
            ++characters;
        }
        return characters * (font.height < 0 ? -font.height : font.height) * 2 / 5;
    }
    bool ShowMessageBox(MessageBoxKind kind, const std::string& text) override {
        auto& handler = GetState().messageBoxHandler;
        return handler ? handler({kind, text}) : false;
    }
    std::uint32_t RegisterMessage(const std::string& name) override {
        if (GetState().refuseMessages) return 0;
        auto& messages = GetState().messages;
        auto [it, added] = messages.try_emplace(name, 0xC000u + static_cast<std::uint32_t>(messages.size()));
        return it->second;
    }
    void Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        auto snapshot = GetState().windows;
        for (Form* window : snapshot) {
            const auto& live = GetState().windows;
            if (std::find(live.begin(), live.end(), window) != live.end())
                Deliver(*window, msg, wParam, lParam);
        }
    }
    std::uintptr_t CurrentThread() override { return GetState().threads.caller; }
    std::uintptr_t HoldThisThread() override {
        auto& threads = GetState().threads;
        if (threads.callerHold) threads.held.insert(threads.callerHold);
        return threads.callerHold;
    }
    bool HeldThreadEnded(std::uintptr_t hold) override { return GetState().threads.ended.count(hold) != 0; }
    bool PageWindowsGoneUnheard() override {
        auto& state = GetState();
        for (Form* window : state.windows)
            if (state.threads.windowsGone.count(state.madeUnder[window])) return true;
        return false;
    }
    bool AwaitThreadEnd(std::uintptr_t hold) override {
        if (auto onAwait = GetState().threads.onAwait) onAwait();
        return HeldThreadEnded(hold);
    }
    void LockDoor() override { door_.lock(); }
    void UnlockDoor() override { door_.unlock(); }
    void LetThreadGo(std::uintptr_t hold) override {
        auto& held = GetState().threads.held;
        if (auto it = held.find(hold); it != held.end()) held.erase(it);
    }
    bool CarryToPageThread(void (*run)(void*), void* context) override {
        auto carry = GetState().threads.carry;
        return carry && carry(run, context);
    }
    void ForgetWindowsOfEndedThread() override {
        auto& threads = GetState().threads;
        ++threads.forgotten;
        if (auto onForget = threads.onForget) onForget();
        for (Form* window : TopLevelWindows())
            if (threads.ended.count(GetState().madeUnder[window])) DestroyNativeWindow(*window);
    }

  private:
    std::mutex door_;
};

}  // namespace

void Deliver(Form& form, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    DeliverHostMessage(form, msg, wParam, lParam);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(GetState().messageBoxHandler, std::move(handler));
}

void SetScreenPixelsPerInch(int ppi) {
    GetState().pixelsPerInch = ppi;
}

StagedThreads& Threads() {
    return GetState().threads;
}

std::vector<Form*> TopLevelWindows() {
    return GetState().windows;
}

void RefuseMessageRegistration(bool refuse) {
    GetState().refuseMessages = refuse;
}

void RefuseNewWindows(bool refuse) {
    GetState().refuseWindows = refuse;
}

void RefuseControlsOf(std::optional<NativeKind> kind) {
    GetState().refusedKind = kind;
}

std::function<void(Form&)> SetShowHandler(std::function<void(Form&)> handler) {
    return std::exchange(GetState().showHandler, std::move(handler));
}

void DestroyNativeWindow(Form& form) {
    auto& windows = GetState().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), &form), windows.end());
    form.NativeWindowDestroyed();
}

}  // namespace platform::headless

namespace platform {
Backend& ActiveBackend() {
    static headless::HeadlessBackend backend;
    return backend;
}
}  // namespace platform
