// The headless backend: the portable model is the whole window; nothing is drawn.
#include <algorithm>
#include <map>
#include <utility>

#include "platform/Form.h"
#include "platform/headless/Headless.h"

namespace platform::headless {
namespace {

struct State {
    MessageBoxHandler messageBoxHandler;
    int pixelsPerInch = 96;
    std::vector<Form*> windows;
    std::map<std::string, std::uint32_t> messages;
    bool refuseWindows = false;
};

State& GetState() {
    static State state;
    return state;
}

class HeadlessPeer : public FormPeer {
  public:
    explicit HeadlessPeer(Form& form) : form_(form) { GetState().windows.push_back(&form_); }
    ~HeadlessPeer() override {
        auto& windows = GetState().windows;
        windows.erase(std::remove(windows.begin(), windows.end(), &form_), windows.end());
    }
    void* Handle() const override { return &form_; }
    void* ControlHandle(const Control&) const override { return nullptr; }
    void WindowChanged(WindowChange) override {}
    void ControlChanged(Control&, ControlChange) override {}
    void BringToFront() override {}
    void Repaint() override {}
    void FocusChanged() override {}
    void DefaultProcessing(Message&) override {}

  private:
    Form& form_;
};

class HeadlessBackend : public Backend {
  public:
    // The state outlives the backend, and so every window made through it.
    HeadlessBackend() { GetState(); }
    std::unique_ptr<FormPeer> CreateFormPeer(Form& form) override {
        if (GetState().refuseWindows) throw Error("Cannot create the window");
        return std::make_unique<HeadlessPeer>(form);
    }
    Size NonClientSize() override { return {6, 25}; }
    int ScreenPixelsPerInch() override { return GetState().pixelsPerInch; }
    bool ShowMessageBox(MessageBoxKind kind, const std::string& text) override {
        auto& handler = GetState().messageBoxHandler;
        return handler ? handler({kind, text}) : false;
    }
    std::uint32_t RegisterMessage(const std::string& name) override {
        auto& messages = GetState().messages;
        auto [it, added] = messages.try_emplace(name, 0xC000u + static_cast<std::uint32_t>(messages.size()));
        return it->second;
    }
    void Broadcast(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        auto snapshot = GetState().windows;
        for (Form* window : snapshot) {
            const auto& live = GetState().windows;
            if (std::find(live.begin(), live.end(), window) != live.end())
                window->Perform(msg, wParam, lParam);
        }
    }
};

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(GetState().messageBoxHandler, std::move(handler));
}

void SetScreenPixelsPerInch(int ppi) {
    GetState().pixelsPerInch = ppi;
}

std::vector<Form*> TopLevelWindows() {
    return GetState().windows;
}

void RefuseNewWindows(bool refuse) {
    GetState().refuseWindows = refuse;
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
