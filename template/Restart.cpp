// The restart offered after a change that Windows reads only at start-up.
#include "template/Restart.h"

#include <cstring>

#include "platform/Dialogs.h"
#include "platform/System.h"
#include "template/MainTippU.h"

using namespace platform;

namespace {
// Every system with access tokens (NT, 2000, XP and later) refuses the request unless the shutdown
// privilege is enabled, whatever edition the host named.
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";
// The system's one-entry privilege set: count, identifier, attributes.
constexpr std::uint32_t kOneEntryPrivilegeSetSize = 16;
constexpr std::size_t kPreviousCountAt = 0, kPreviousAttributesAt = 12;

enum class PrivilegeChange { Made, Failed, NoTokens };

// `wasEnabled` tells what the token held before: the system lists a privilege in the earlier state
// only when the call changed it, so none listed means it was already as asked.
PrivilegeChange ChangeTokenPrivilege(const std::string& name, bool enable, bool* wasEnabled = nullptr) {
    ProcessToken token(kTokenAdjustPrivileges | kTokenQuery);
    if (!token) return token.NotImplemented() ? PrivilegeChange::NoTokens : PrivilegeChange::Failed;
    PrivilegeId id;
    if (!ActiveSystem().LookupPrivilege(name, id)) return PrivilegeChange::Failed;
    alignas(4) std::uint8_t previous[kOneEntryPrivilegeSetSize] = {};
    std::uint32_t returned = 0;
    // A partial assignment is still accepted: the request decides, not the privileges granted.
    if (!token.AdjustPrivilege(false, id, enable ? kPrivilegeEnabled : 0, previous, sizeof previous,
                               &returned))
        return PrivilegeChange::Failed;
    if (wasEnabled) {
        std::uint32_t count = 0, attributes = 0;
        std::memcpy(&count, previous + kPreviousCountAt, sizeof count);
        std::memcpy(&attributes, previous + kPreviousAttributesAt, sizeof attributes);
        *wasEnabled = count == 0 ? enable : (attributes & kPrivilegeEnabled) != 0;
    }
    return PrivilegeChange::Made;
}
}  // namespace

void TfrmTippTemplate::NeuStart() {
    if (!Confirm("Um diese \xC4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. "
                 "Soll der Neustart jetzt durchgef\xFChrt werden ?"))
        return;
    bool accepted = RebootWithPrivilege(kExitReboot);
    if (accepted) {
        Close();
    } else {
        ShowMessage(
            "Das System l\xE4\xDFt sich zur Zeit nicht neu starten. Bitte f\xFChren Sie sp\xE4ter manuell "
            "einen "
            "Neustart durch");
    }
}

// Where the system has no access tokens (95, 98, ME) there is no privilege to enable: the plain request.
bool RebootWithPrivilege(std::uint32_t flags) {
    bool wasEnabled = false;
    switch (ChangeTokenPrivilege(kShutdownPrivilege, true, &wasEnabled)) {
        case PrivilegeChange::NoTokens:
            return ActiveSystem().RequestShutdown(flags, kPlannedReconfigurationReason);
        case PrivilegeChange::Failed:
            return false;
        case PrivilegeChange::Made:
            break;
    }
    bool accepted = ActiveSystem().RequestShutdown(flags, kPlannedReconfigurationReason);
    // The host's own setting stays: disabled again only when this request enabled it.
    if (!wasEnabled) SetTokenPrivilege(kShutdownPrivilege, false);
    return accepted;
}

bool SetTokenPrivilege(const std::string& name, bool enable) {
    return ChangeTokenPrivilege(name, enable) == PrivilegeChange::Made;
}
