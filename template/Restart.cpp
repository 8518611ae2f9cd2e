// The restart offered after a change that Windows reads only at start-up.
#include "template/Restart.h"
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

enum class PrivilegeChange { Made, Failed, NoTokens };

PrivilegeChange ChangeTokenPrivilege(const std::string& name, bool enable) {
    ProcessToken token(kTokenAdjustPrivileges | kTokenQuery);
    if (!token) return token.NotImplemented() ? PrivilegeChange::NoTokens : PrivilegeChange::Failed;
    PrivilegeId id;
    if (!ActiveSystem().LookupPrivilege(name, id)) return PrivilegeChange::Failed;
    alignas(4) std::uint8_t previous[kOneEntryPrivilegeSetSize] = {};
    std::uint32_t returned = 0;
    // A partial assignment is still accepted: the request decides, not the privileges granted.
    return token.AdjustPrivilege(false, id, enable ? kPrivilegeEnabled : 0, previous, sizeof previous,
                                 &returned)
               ? PrivilegeChange::Made
               : PrivilegeChange::Failed;
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
    switch (ChangeTokenPrivilege(kShutdownPrivilege, true)) {
        case PrivilegeChange::NoTokens:
            return ActiveSystem().RequestShutdown(flags, 0);
        case PrivilegeChange::Failed:
            return false;
        case PrivilegeChange::Made:
            break;
    }
    bool accepted = ActiveSystem().RequestShutdown(flags, 0);
    SetTokenPrivilege(kShutdownPrivilege, false);
    return accepted;
}

bool SetTokenPrivilege(const std::string& name, bool enable) {
    return ChangeTokenPrivilege(name, enable) == PrivilegeChange::Made;
}
