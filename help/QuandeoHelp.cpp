// Help texts of the tips this library knows; id 1 is the alias-name page.
#define QUANDEO_HELP_BUILDING
#include "help/QuandeoHelp.h"

namespace {

constexpr char kAliasNamesGerman[] =
    "Kurze Dateinamen (8.3) ohne Tilde\r\n"
    "\r\n"
    "Zu jedem langen Dateinamen legt Windows einen kurzen Alias im Format 8.3 an. "
    "Normalerweise nimmt es dazu die ersten sechs g\xFCltigen Zeichen und h\xE4ngt eine Tilde und eine "
    "Nummer an, zum Beispiel EIGENE~1.\r\n"
    "\r\n"
    "Ist das K\xE4stchen angekreuzt, verwendet Windows nach M\xF6glichkeit die ersten acht Zeichen des "
    "Namens. Dazu wird unter HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem der "
    "Bin\xE4rwert NameNumericTail = 0 gesetzt; ohne Kreuz wird der Wert gel\xF6scht.\r\n"
    "\r\n"
    "Die \xC4nderung wirkt nach einem Neustart und nur f\xFCr Dateien, die danach angelegt werden.";

constexpr char kAliasNamesEnglish[] =
    "Short file names (8.3) without a tilde\r\n"
    "\r\n"
    "For every long file name Windows keeps a short alias in 8.3 form. Normally it takes the first "
    "six valid characters and appends a tilde and a number, for example MYDOCU~1.\r\n"
    "\r\n"
    "When the box is ticked, Windows uses the first eight characters of the name where it can. The "
    "page sets the binary value NameNumericTail = 0 under "
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem; unticked, the value is deleted.\r\n"
    "\r\n"
    "The change takes effect after a restart, for files created from then on.";

constexpr char kAliasNamesKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem";

}  // namespace

extern "C" QUANDEO_HELP_DECL const char* QUANDEO_HELP_API GetHelpText(int HelpId, int HelpTextKind) {
    if (HelpId != 1) return nullptr;
    switch (HelpTextKind) {
        case kHelpGerman:
            return kAliasNamesGerman;
        case kHelpEnglish:
            return kAliasNamesEnglish;
        case kHelpRegistryKey:
            return kAliasNamesKey;
        default:
            return nullptr;
    }
}
