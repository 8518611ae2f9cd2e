// The Registry button: the registry editor opens at the key of the tip.
#include "help/QuandeoHelp.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "template/MainTippU.h"

using namespace platform;

namespace {
// Where the registry editor keeps the key to open at start.
constexpr char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
}  // namespace

// A failed write ends the handler before the editor starts; a failed start is not reported.
void TfrmTippTemplate::HotSpeedButtonRegistryClick(Component*) {
    {
        Registry reg(RootKey::CurrentUser);
        reg.OpenKey(kRegeditKey, true);
        reg.WriteString("LastKey", HelpText(FHelpId, kHelpRegistryKey));
    }
    ActiveSystem().StartProgram(Handle(), nullptr, "regedit.exe", "", "", kShowWindow);
}
