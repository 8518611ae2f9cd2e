#pragma once
// Restarting Windows, process privileges and starting programs. Callers drive these step by step;
// tests install their own services to see what was asked, without restarting anything.
#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace platform {

// A privilege's locally unique identifier.
struct PrivilegeId {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const PrivilegeId&) const = default;
};

inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20, kTokenQuery = 0x08;
inline constexpr std::uint32_t kPrivilegeEnabled = 2;
inline constexpr std::uint32_t kExitReboot = 2;
// The shutdown reason (XP and later): operating system, reconfiguration, planned, so that the
// restart is logged as intended and no one is asked afterwards to explain it.
inline constexpr std::uint32_t kPlannedReconfigurationReason = 0x80020004;
inline constexpr int kShowWindow = 5;

// Why a process token did not open: refused, or a system without access tokens at all (the 9x
// family, where the call exists but is not implemented).
enum class TokenFailure { None, Refused, NotImplemented };

class SystemServices {
  public:
    using Token = void*;
    virtual ~SystemServices() = default;
    // Null when the current process's token does not open with `access`; `failure` says why.
    virtual Token OpenProcessToken(std::uint32_t access, TokenFailure& failure) = 0;
    virtual void CloseToken(Token token) = 0;
    // False when the name is unknown on the local system.
    virtual bool LookupPrivilege(const std::string& name, PrivilegeId& id) = 0;
    // Sets the attributes of one privilege; the earlier state goes to `previous` (`previousSize`
    // bytes), its length to `returnedSize`. True when the system accepted the call.
    virtual bool AdjustTokenPrivilege(Token token, bool disableAll, PrivilegeId id, std::uint32_t attributes,
                                      void* previous, std::uint32_t previousSize,
                                      std::uint32_t* returnedSize) = 0;
    // True when the shutdown request was accepted; the shutdown itself happens later. Systems before
    // XP ignore `reason`.
    virtual bool RequestShutdown(std::uint32_t flags, std::uint32_t reason) = 0;
    // A null verb is the shell's default action. Returns the shell's result (above 32 on success).
    virtual std::intptr_t StartProgram(void* owner, const char* verb, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand) = 0;
    // The system's own Windows directory (not a user's private one under Terminal Services), in the
    // ANSI code page, without a trailing backslash unless it is a root; empty when unknown or when
    // that code page cannot spell it.
    virtual std::string WindowsDirectory() = 0;
    // Whether the user chose a high-contrast scheme.
    virtual bool HighContrast() = 0;
    // One colour of the user's scheme, by the index the system numbers it with.
    virtual Color SystemColor(int index) = 0;
};

// The installed services, or the backend's own.
SystemServices& ActiveSystem();
// Installs `services` (null goes back to the backend's own) and returns what was installed before.
SystemServices* InstallSystemServices(SystemServices* services);
// Provided by each backend.
SystemServices& NativeSystem();
// The colour that a system colour stands for now, in the installed services' scheme; other colours
// as they are.
Color ResolveColor(Color color);

// The current process's token, closed on every path by the services that opened it.
class ProcessToken {
  public:
    explicit ProcessToken(std::uint32_t access)
        : system_(ActiveSystem()), token_(system_.OpenProcessToken(access, failure_)) {}
    ~ProcessToken() {
        if (token_) system_.CloseToken(token_);
    }
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;

    explicit operator bool() const { return token_ != nullptr; }
    // The system has no access tokens, hence no privileges to enable.
    bool NotImplemented() const { return failure_ == TokenFailure::NotImplemented; }
    bool AdjustPrivilege(bool disableAll, PrivilegeId id, std::uint32_t attributes, void* previous,
                         std::uint32_t previousSize, std::uint32_t* returnedSize) {
        return system_.AdjustTokenPrivilege(token_, disableAll, id, attributes, previous, previousSize,
                                            returnedSize);
    }

  private:
    SystemServices& system_;
    TokenFailure failure_ = TokenFailure::None;
    SystemServices::Token token_;
};

}  // namespace platform
