// The headless system: a simulated process token with a few known privileges; shutdown requests
// and program starts are recorded, never carried out.
#include <cstring>

#include "platform/System.h"
#include "platform/headless/Headless.h"

namespace platform::headless {
namespace {

struct KnownPrivilege {
    const char* name;
    std::uint32_t id;
};
constexpr KnownPrivilege kPrivileges[] = {
    {"SeShutdownPrivilege", 19}, {"SeDebugPrivilege", 20}, {"SeChangeNotifyPrivilege", 23}};

// The token handle is the record itself; any non-null value would do.
class HeadlessSystem : public SystemServices {
  public:
    Token OpenProcessToken(std::uint32_t, TokenFailure& failure) override {
        failure = TokenFailure::None;
        ++System().openTokens;
        return &System();
    }
    void CloseToken(Token) override { --System().openTokens; }
    bool LookupPrivilege(const std::string& name, PrivilegeId& id) override {
        for (const auto& known : kPrivileges) {
            if (name == known.name) {
                id = {known.id, 0};
                return true;
            }
        }
        return false;
    }
    bool AdjustTokenPrivilege(Token token, bool disableAll, PrivilegeId id, std::uint32_t attributes,
                              void* previous, std::uint32_t previousSize,
                              std::uint32_t* returnedSize) override {
        const KnownPrivilege* known = Find(id);
        if (!token || !known) return false;
        auto& enabled = System().enabledPrivileges;
        const bool was = enabled.count(known->name) > 0;
        const bool now = !disableAll && (attributes & kPrivilegeEnabled);
        // The earlier state as the system lays it out: a count, then identifier and attributes. Like
        // the system, it lists the privilege only when this call changes it.
        const std::uint32_t count = was != now ? 1 : 0;
        const std::uint32_t record[4] = {count, id.lowPart, static_cast<std::uint32_t>(id.highPart),
                                         was ? kPrivilegeEnabled : 0u};
        const std::uint32_t size = count ? sizeof record : sizeof count;
        if (returnedSize) *returnedSize = size;
        if (previous) {
            if (previousSize < size) return false;
            std::memcpy(previous, record, size);
        }
        if (disableAll) {
            enabled.clear();
        } else if (now) {
            enabled.insert(known->name);
        } else {
            enabled.erase(known->name);
        }
        return true;
    }
    bool RequestShutdown(std::uint32_t flags, std::uint32_t /*reason*/) override {
        System().shutdownRequests.push_back(flags);
        return System().acceptShutdown;
    }
    std::intptr_t StartProgram(void* owner, const char* verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override {
        System().launches.push_back({owner, verb ? std::optional<std::string>(verb) : std::nullopt, file,
                                     parameters, directory, showCommand});
        return 42;
    }
    std::string WindowsDirectory() override { return System().windowsDirectory; }
    bool HighContrast() override { return System().highContrast; }
    Color SystemColor(int index) override {
        auto found = System().colors.find(index);
        return found == System().colors.end() ? kBlack : found->second;
    }

  private:
    static const KnownPrivilege* Find(PrivilegeId id) {
        for (const auto& known : kPrivileges)
            if (id == PrivilegeId{known.id, 0}) return &known;
        return nullptr;
    }
};

}  // namespace

SystemRecord& System() {
    static SystemRecord record;
    return record;
}

}  // namespace platform::headless

namespace platform {
SystemServices& NativeSystem() {
    static headless::HeadlessSystem system;
    return system;
}
}  // namespace platform
