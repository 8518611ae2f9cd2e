#pragma once
// Stands in for the system while it lives. Token calls go on to the backend's own services (real ones
// under Wine) unless told to fail; shutdown requests are recorded and answered here, never passed on,
// so no test can restart the session it runs in; program starts are passed on only when asked.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/System.h"

namespace testing_support {

class SystemRecorder : public platform::SystemServices {
  public:
    SystemRecorder();
    ~SystemRecorder() override;
    SystemRecorder(const SystemRecorder&) = delete;
    SystemRecorder& operator=(const SystemRecorder&) = delete;

    bool failTokenOpen = false;
    // A system without access tokens (95, 98, ME): the token does not open, "not implemented".
    bool noTokens = false;
    bool failLookup = false;
    bool acceptShutdown = true;
    bool passLaunches = false;
    // Set: the scheme reported, as a user's control panel would (Wine refuses to turn it on).
    std::optional<bool> highContrast;
    // Colours of the scheme reported instead of the system's, by index (GetSysColor's numbers).
    std::map<int, platform::Color> colors;
    // Runs when a shutdown is requested, before it is answered.
    std::function<void()> onShutdown;

    // One line a call, in order: "open 40", "lookup SeShutdownPrivilege", "adjust 2 keep 16 0",
    // "close", "exit 2 2147614724" (flags, reason), "launch null regedit.exe '' '' 5" (verb, file,
    // parameters, directory, show).
    std::vector<std::string> calls;
    std::vector<void*> launchOwners;
    int OpenTokens() const { return openTokens_; }

    Token OpenProcessToken(std::uint32_t access, platform::TokenFailure& failure) override;
    void CloseToken(Token token) override;
    bool LookupPrivilege(const std::string& name, platform::PrivilegeId& id) override;
    bool AdjustTokenPrivilege(Token token, bool disableAll, platform::PrivilegeId id,
                              std::uint32_t attributes, void* previous, std::uint32_t previousSize,
                              std::uint32_t* returnedSize) override;
    bool RequestShutdown(std::uint32_t flags, std::uint32_t reason) override;
    std::intptr_t StartProgram(void* owner, const char* verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override;
    std::string WindowsDirectory() override;
    bool HighContrast() override;
    platform::Color SystemColor(int index) override;

  private:
    platform::SystemServices* previous_;
    int openTokens_ = 0;
};

// Whether the privilege is enabled in the current process's token, read outside the code under test.
bool PrivilegeEnabled(const std::string& name);

}  // namespace testing_support
