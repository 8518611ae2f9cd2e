#pragma once
// What hosts, users and the registry see of the module, written out once on the test side. Tests
// take expected values from here and never from the code's own constants or descriptions, so that a
// wrong constant in the code fails a test.
#include <cstdint>
#include <string>
#include <vector>

namespace contract {

// Registry: roots are named where used; paths, value names and help text kinds.
inline constexpr char kFileSystemKey[] = "System\\CurrentControlSet\\Control\\FileSystem";  // HKLM
inline constexpr char kNameNumericTail[] = "NameNumericTail";
inline constexpr char kSuiteKey[] = "SOFTWARE\\Quandeo\\Velmora 2000";  // HKCU
inline constexpr char kBSControl[] = "BSControl";
inline constexpr char kRegeditKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";  // HKCU
inline constexpr char kLastKey[] = "LastKey";
inline constexpr int kGermanHelp = 2, kEnglishHelp = 4, kRegistryKeyPath = 5;

// The host channel.
inline constexpr char kHostMessageName[] = "Quandeo";
inline constexpr std::int32_t kSwitchWindow = 200, kApplied = 9999;
inline constexpr std::int32_t kAppliedDefaults = 1, kAppliedChanges = 2;

// Editions.
inline constexpr std::int32_t kWindowsNT = 10, kWindows2000 = 11, kWindowsXP = 13;
inline constexpr std::int32_t kWindowsXPBit = 4096;

// Texts, code page 1252.
inline constexpr char kPageCaption[] = "Alias Namen";
inline constexpr char kBig[] = "Big";
inline constexpr char kCloseFailed[] = "e";
inline constexpr char kRestartQuestion[] =
    "Um diese \xC4nderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der Neustart "
    "jetzt durchgef\xFChrt werden ?";
inline constexpr char kCannotRestart[] =
    "Das System l\xE4\xDFt sich zur Zeit nicht neu starten. Bitte f\xFChren Sie sp\xE4ter manuell einen "
    "Neustart durch";
inline constexpr char kValidForEnglish[] = "Valid for:";
inline constexpr char kValidForGerman[] = "G\xFCltig f\xFCr:";

struct LanguageTexts {
    const char* okHint;
    const char* undoHint;
    const char* infoHint;
    const char* registryHint;
    const char* switchWindow;
    const char* checkBox;
    int accessKey;  // the virtual key the checkbox caption marks
};
inline constexpr LanguageTexts kEnglish = {"Changes will be saved immediately",
                                           "Restore defaults",
                                           "Valid to ...",
                                           "Registry Lookup",
                                           "Change Window",
                                           "&Don't show (~) in Filename",
                                           'D'};
inline constexpr LanguageTexts kGerman = {"\xC4nderungen werden gespeichert",
                                          "Setzt alles wieder auf die Standartwerte",
                                          "G\xFCltig f\xFCr ... ",
                                          "Wert in der Registry nachschlagen",
                                          "Fenster wechseln",
                                          "&Tilde(~) im Dateinamen nicht anzeigen",
                                          'T'};

// The page's built-in help lines, which the show handler replaces.
inline const std::vector<std::string> kBuiltInEnglishHelp = {
    "Change transfer of Alias-Names: ",
    "If a Filename contains invalid or too many ",
    "characters then Win95 is just accepting the first ",
    "6 characters of an Alias-Name for the ",
    "alteration. ",
    "The last 2 characters get replaced by a Tilde ~ ",
    "and a number. ",
    "But you can tell Windows 95 to use the 1st 8 ",
    "characters of a Alias-Filename if you modify the ",
    "Registry as follows: ",
    "Edit HKEY_LOCAL_MACHINE \\ ",
    "System\\CurrentControlSet\\Control\\FileSystem ",
    "Set binary value of NameNumericTail = 0 ",
    "If you like to switch on it again then ",
    "Set binary value of NameNumericTail = 1 or ",
    "delete this key."};
inline const std::vector<std::string> kBuiltInGermanHelp = {
    "Umsetzung der Alias-Namen \xE4ndern: ",
    "Enth\xE4lt ein Dateiname ung\xFCltige Zeichen oder zu ",
    "viele Buchstaben, verwendet Win95 bei der ",
    "Umwandlung der langen Dateinamen in eine ",
    "Alias Bezeichnung nur die ersten sechs ",
    "Buchstaben. ",
    "Die beiden restlichen Buchstaben werden mit ",
    "der Tilde ~ und einer Nummer versehen. Man ",
    "kann Windows 95 aber anweisen, nach ",
    "M\xF6glichkeit die ersten acht Zeichen des ",
    "Dateinamens im Alias zu verwenden.Dazu unter ",
    "HKEY_LOCAL_MACHINE \\ ",
    "System\\CurrentControlSet\\Control\\FileSystem ",
    "den ",
    "Wert NameNumericTail auf den Bin\xE4rwert 0 ",
    "setzen. Will es wieder einschalten muss man ",
    "diesen Wert auf 1 setzen oder den Wert ",
    "l\xF6schen."};

// The help library's texts for help id 1 (the alias-name tip), line by line; lines end with CR LF.
inline const std::vector<std::string> kHelpGermanLines = {
    "Kurze Dateinamen (8.3) ohne Tilde",
    "",
    "Zu jedem langen Dateinamen legt Windows einen kurzen Alias im Format 8.3 an. Normalerweise nimmt "
    "es dazu die ersten sechs g\xFCltigen Zeichen und h\xE4ngt eine Tilde und eine Nummer an, zum "
    "Beispiel EIGENE~1.",
    "",
    "Ist das K\xE4stchen angekreuzt, verwendet Windows nach M\xF6glichkeit die ersten acht Zeichen des "
    "Namens. Dazu wird unter HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem der "
    "Bin\xE4rwert NameNumericTail = 0 gesetzt; ohne Kreuz wird der Wert gel\xF6scht.",
    "",
    "Die \xC4nderung wirkt nach einem Neustart und nur f\xFCr Dateien, die danach angelegt werden."};
inline const std::vector<std::string> kHelpEnglishLines = {
    "Short file names (8.3) without a tilde",
    "",
    "For every long file name Windows keeps a short alias in 8.3 form. Normally it takes the first six "
    "valid characters and appends a tilde and a number, for example MYDOCU~1.",
    "",
    "When the box is ticked, Windows uses the first eight characters of the name where it can. The page "
    "sets the binary value NameNumericTail = 0 under "
    "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem; unticked, the value is deleted.",
    "",
    "The change takes effect after a restart, for files created from then on."};
// Kind 5: where the registry editor is to open.
inline constexpr char kHelpKeyPath[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\FileSystem";

// Colours as 0x00BBGGRR.
constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}
inline constexpr std::uint32_t kWhite = Rgb(255, 255, 255);
inline constexpr std::uint32_t kTitleBlue = Rgb(1, 72, 178);
inline constexpr std::uint32_t kBorderBlue = Rgb(140, 170, 230);
inline constexpr std::uint32_t kHelpBackground = Rgb(237, 242, 252);

// Fonts: Tahoma, character heights as negative numbers.
inline constexpr char kFontName[] = "Tahoma";
inline constexpr int kWindowFontHeight = -11, kTitleFontHeight = -12;

// The page at 96 dots per inch: client area and every placed control.
inline constexpr int kClientWidth = 292, kClientHeight = 426;
struct Placement {
    const char* name;
    int left, top, width, height;
    int tabOrder;              // -1: none given
    int imageIndex;            // image buttons: normal image; hot image is the next one; -1 otherwise
    const char* fallbackName;  // image buttons: what a screen reader reads before the language is set
};
inline constexpr Placement kPlacements[] = {
    {"HotSpeedButtonOK", 16, 381, 36, 36, -1, 0, "OK"},
    {"HotSpeedButtonUndo", 56, 381, 36, 36, -1, 2, "Undo"},
    {"HotSpeedButtonInfo", 200, 381, 36, 36, -1, 4, "Info"},
    {"HotSpeedButtonRegistry", 240, 381, 36, 36, -1, 6, "Registry"},
    {"StaticTextTitle", 16, 8, 257, 33, 5, -1, nullptr},
    {"MemoHelpUS", 16, 32, 259, 105, 6, -1, nullptr},
    {"MemoHelpD", 16, 32, 259, 105, 4, -1, nullptr},
    {"PanelLeftBorder", 0, 5, 5, 416, 1, -1, nullptr},
    {"PanelTopBorder", 0, 0, 292, 5, 7, -1, nullptr},
    {"PanelBottomBorder", 0, 421, 292, 5, 3, -1, nullptr},
    {"PanelRightBorder", 287, 5, 5, 416, 0, -1, nullptr},
    {"cboAliasNamen", 28, 154, 209, 17, 2, -1, nullptr},
};
inline constexpr const char* kImageButtons[] = {"HotSpeedButtonOK", "HotSpeedButtonUndo",
                                                "HotSpeedButtonInfo", "HotSpeedButtonRegistry"};

}  // namespace contract
