// The restart offered after a change that Windows reads only at start-up.
#include "template/Restart.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "template/MainTippU.h"

using namespace platform;

namespace {
// Windows NT and Windows 2000 refuse the request unless the shutdown privilege is enabled.
constexpr std::int32_t kEditionNT = 10, kEdition2000 = 11;
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";
// The system's one-entry privilege set: count, identifier, attributes.
constexpr std::uint32_t kOneEntryPrivilegeSetSize = 16;
}  // namespace

void TfrmTippTemplate::NeuStart() {
    if (!Confirm("Um diese \xC4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. "
                 "Soll der Neustart jetzt durchgef\xFChrt werden ?"))
        return;
    bool accepted = Tag() == kEditionNT || Tag() == kEdition2000
                        ? RebootWithPrivilege(kExitReboot)
                        : ActiveSystem().RequestShutdown(kExitReboot, 0);
    if (accepted) {
        Close();
    } else {
        ShowMessage(
            "Das System l\xE4\xDFt sich zur Zeit nicht neu starten. Bitte f\xFChren Sie sp\xE4ter manuell "
            "einen "
            "Neustart durch");
    }
}

bool RebootWithPrivilege(std::uint32_t flags) {
    if (!SetTokenPrivilege(kShutdownPrivilege, true)) return false;
    bool accepted = ActiveSystem().RequestShutdown(flags, 0);
    SetTokenPrivilege(kShutdownPrivilege, false);
    return accepted;
}

bool SetTokenPrivilege(const std::string& name, bool enable) {
    ProcessToken token(kTokenAdjustPrivileges | kTokenQuery);
    if (!token) return false;
    PrivilegeId id;
    if (!ActiveSystem().LookupPrivilege(name, id)) return false;
    alignas(4) std::uint8_t previous[kOneEntryPrivilegeSetSize] = {};
    std::uint32_t returned = 0;
    // A partial assignment is still accepted: the request decides, not the privileges granted.
    return token.AdjustPrivilege(false, id, enable ? kPrivilegeEnabled : 0, previous, sizeof previous,
                                 &returned);
}
