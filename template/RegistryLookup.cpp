// The Registry button: the registry editor opens at the key of the tip.
#include "help/QuandeoHelp.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "template/MainTippU.h"

using namespace platform;

namespace {
// Where the registry editor keeps the key to open at start.
constexpr char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

// The editor by its full path: for a bare name the shell also searches the host's current
// directory, and a tweaking suite usually runs with administrator rights.
std::string RegistryEditorPath() {
    std::string directory = ActiveSystem().WindowsDirectory();
    if (directory.empty()) return {};
    if (directory.back() != '\\') directory += '\\';
    return directory + "regedit.exe";
}

}  // namespace

// A failed write ends the handler before the editor starts; a failed start is not reported.
void TfrmTippTemplate::HotSpeedButtonRegistryClick(Component*) {
    {
        Registry reg(RootKey::CurrentUser);
        reg.OpenKey(kRegeditKey, true);
        reg.WriteString("LastKey", HelpText(FHelpId, kHelpRegistryKey));
    }
    std::string editor = RegistryEditorPath();
    if (!editor.empty()) ActiveSystem().StartProgram(Handle(), nullptr, editor, "", "", kShowWindow);
}
