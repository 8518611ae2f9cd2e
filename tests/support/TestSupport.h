#pragma once
// What a test needs from the backend it runs on: answering message boxes, and seeding and reading
// the registry. Headless works on the in-memory store; Win32 on the real registry and MessageBoxA.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Registry.h"

namespace testing_support {

struct ShownBox {
    platform::MessageBoxKind kind;
    std::string text;   // as the page's texts are written: code page 1252
    std::wstring wide;  // as the screen shows it (Win32)
};

// Answers every message box shown while it lives (Yes when told to, else No or OK) and records it.
class MessageBoxScript {
  public:
    explicit MessageBoxScript(bool answerYes = false);
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    void AnswerYes(bool yes) { answerYes_ = yes; }
    // Runs while each box is open, before it is answered (a host acting from inside a box).
    std::function<void(const ShownBox&)> onShown;
    const std::vector<ShownBox>& Shown() const { return shown_; }
    std::vector<std::string> Texts(platform::MessageBoxKind kind) const;
    void Clear() { shown_.clear(); }

    // Used by the backend's hook.
    bool Record(platform::MessageBoxKind kind, const std::string& text, const std::wstring& wide = {}) {
        shown_.push_back({kind, text, wide});
        if (onShown) onShown(shown_.back());
        return answerYes_;
    }

  private:
    bool answerYes_;
    std::vector<ShownBox> shown_;
    void* previous_ = nullptr;
};

// Sends a message to a window the way another program would (Win32: SendMessageA to its handle).
std::intptr_t SendToWindow(void* handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
// Destroys a window the way another program would (Win32: DestroyWindow), not through the toolkit.
void DestroyFromOutside(void* handle);
// What the system refuses to make while set (Win32: a CBT hook vetoes windows of that class): the
// page window, or one kind of its children after the page window was made.
enum class Refusal { None, PageWindow, Static, Edit, CheckBox, Tooltip };
void RefuseWindows(Refusal what);
// While set, registering a window message fails, where the backend can make it fail (headless);
// false where it cannot.
bool RefuseMessageRegistration(bool refuse);
// How a host is called back while the page shows: Win32 tells the window that was active before
// (WM_ACTIVATE, then WM_KILLFOCUS) and the thread's CBT hook (HCBT_ACTIVATE); headless calls its show
// handler for each.
enum class ShowCallback { Deactivated, LostFocus, CbtActivate };
// While it lives, `action` runs once from that callback of the next page that shows.
class HostCalledAtShow {
  public:
    HostCalledAtShow(ShowCallback callback, std::function<void()> action);
    ~HostCalledAtShow();
    HostCalledAtShow(const HostCalledAtShow&) = delete;
    HostCalledAtShow& operator=(const HostCalledAtShow&) = delete;
    bool Called() const { return called_; }
    // Used by the backend's callback.
    void Run() {
        if (called_ || !action_) return;
        called_ = true;
        action_();
    }

  private:
    std::function<void()> action_;
    bool called_ = false;
    void* native_ = nullptr;
};

// The tip windows of this thread that exist, shown or hidden.
int TipWindowCount();
// Whether TipWindowCount also sees the windows of a separately loaded library: true on Win32, where
// windows belong to the system; the headless library keeps its own, out of the test's sight.
extern const bool kLibraryWindowsVisible;

// The built Namtail library, loaded as a host loads it (LoadLibrary, or dlopen natively).
class LoadedLibrary {
  public:
    LoadedLibrary();
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    explicit operator bool() const { return handle_ != nullptr; }
    void* Find(const char* name) const;
    // True while the library is mapped in the process, by this or any other load.
    static bool Loaded();

  private:
    void* handle_;
};

// Committed private memory of the process, where the system reports it (Win32 only).
std::optional<std::uint64_t> CommittedBytes();

// Makes `ppi` the screen density for windows created from now on where the backend can (headless),
// and returns the density windows will actually get (Win32: fixed for the process by the system).
int UseScreenDensity(int ppi);
// Makes `wanted` the Windows directory the system reports where the backend can (headless), and
// returns the one it reports (Win32: the real one, read here).
std::string UseWindowsDirectory(const std::string& wanted);
// The system's check square at the screen's density, and a control's caption as wide as the system
// draws it in the control's font (headless: the rules that backend follows).
platform::Size SystemCheckSquare();
int CaptionWidthOnScreen(const platform::Form& form, const platform::Control& control);
// Where the system shows a control with a window of its own, relative to the window's client area.
std::optional<platform::Rect> NativeBounds(const platform::Form& form, const platform::Control& control);

// Registry seeding and inspection, outside the accessor under test.
void SetValue(platform::RootKey root, const std::string& path, const std::string& name,
              const platform::StoredValue& value);
// A value of a type the accessor only knows as "other" (64-bit integer 11, multi-string 7, ...).
void SetRawValue(platform::RootKey root, const std::string& path, const std::string& name,
                 std::uint32_t systemType, const std::vector<std::uint8_t>& data);
std::optional<platform::StoredValue> GetValue(platform::RootKey root, const std::string& path,
                                              const std::string& name);
void CreateKey(platform::RootKey root, const std::string& path);
void DeleteKeyTree(platform::RootKey root, const std::string& path);
bool KeyExists(platform::RootKey root, const std::string& path);
// Lets the user read the key but not change it (or undoes that).
void SetKeyReadOnly(platform::RootKey root, const std::string& path, bool readOnly);

platform::StoredValue Binary(std::vector<std::uint8_t> bytes);
platform::StoredValue Integer(std::int32_t value);
platform::StoredValue Text(const std::string& text);

}  // namespace testing_support
