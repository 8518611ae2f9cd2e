#pragma once
// Controls of the headless backend for tests: message boxes go to a replaceable handler, the screen
// density is settable, top-level windows meet on an in-process message bus, and shutdown requests,
// privileges and program starts are kept in a record instead of reaching a system.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Backend.h"

namespace platform::headless {

struct MessageBoxRequest {
    MessageBoxKind kind;
    std::string text;
};
// Returns the answer: true for Yes (or OK).
using MessageBoxHandler = std::function<bool(const MessageBoxRequest&)>;

// Installs the handler and returns the previous one; with none, every box is answered "not Yes".
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
void SetScreenPixelsPerInch(int ppi);
// The live top-level windows, in creation order.
std::vector<Form*> TopLevelWindows();
// While on, registering a window message fails (0), as when the system's table of them is full.
void RefuseMessageRegistration(bool refuse);
// While on, no new window can be made: creation fails as a system short of resources makes it fail.
void RefuseNewWindows(bool refuse);
// While set, a window with a control of that kind cannot be made, as when the system refuses one of
// its children after the window itself was made.
void RefuseControlsOf(std::optional<NativeKind> kind);
// Called as a window shows, where the system would activate it and call other windows back: a host
// may do anything from there, free the page included. Returns the previous handler.
std::function<void(Form&)> SetShowHandler(std::function<void(Form&)> handler);
// What the system does when another program destroys `form`'s window behind the toolkit's back.
void DestroyNativeWindow(Form& form);
// A message reaching `form` as the system would deliver it: the host's channel becomes a host
// command, its values signed 32-bit numbers; anything else has no effect without a screen.
void Deliver(Form& form, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

// Threads as a test stages them; left alone, the backend has one thread that never ends. The door
// asks which thread calls and holds it; a hold in `ended` has ended, and the windows made under it
// went with it. A call carried to the page's thread runs `carry` (none: no page window takes it).
struct StagedThreads {
    std::uintptr_t caller = 1;      // the calling thread's number
    std::uintptr_t callerHold = 1;  // the hold the system gives on it
    std::set<std::uintptr_t> ended;
    std::set<std::uintptr_t> windowsGone;  // the system tore their windows down; `ended` says it later
    std::function<void()> onAwait;         // runs as a caller waits for a thread's end, first
    std::multiset<std::uintptr_t> held;    // taken and not yet let go
    std::function<bool(void (*)(void*), void*)> carry;
    std::function<void()> onForget;  // runs as the ended thread's windows are forgotten, first
    int forgotten = 0;               // how often they were
};
StagedThreads& Threads();

struct LaunchRequest {
    void* owner = nullptr;
    std::optional<std::string> verb;
    std::string file, parameters, directory;
    int showCommand = 0;
};

// What the headless system was asked to do, and its simulated process token.
struct SystemRecord {
    bool acceptShutdown = true;
    std::vector<std::uint32_t> shutdownRequests;
    std::vector<LaunchRequest> launches;
    std::set<std::string> enabledPrivileges;
    std::string windowsDirectory = "C:\\WINDOWS";
    bool highContrast = false;
    // The scheme's colours by index, as the system numbers them (window 5, window text 8,
    // highlight 13); unlisted ones are black.
    std::map<int, Color> colors{{5, kWhite}, {8, kBlack}, {13, Rgb(0, 120, 215)}, {15, kButtonFace}};
    int openTokens = 0;
};
SystemRecord& System();

}  // namespace platform::headless
