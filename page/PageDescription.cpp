// The alias-name page's window description: its differences to the tip frame.
#include "page/Unit1.h"

using namespace platform;

namespace {

Properties Caption(const char* caption) {
    Properties p;
    p.caption = caption;
    return p;
}

Properties TabOrder(int order) {
    Properties p;
    p.tabOrder = order;
    return p;
}

// The box's text: its lines, each ended by CR LF.
Properties Lines(const char* lines) {
    Properties p;
    p.lines = lines;
    return p;
}

Properties AliasNamesBox() {
    Properties p;
    p.left = 28, p.top = 154, p.width = 209, p.height = 17;
    p.anchors = kAnchorLeft | kAnchorTop;
    p.caption = "&Tilde(~) im Dateinamen nicht anzeigen";
    p.tabOrder = 2, p.tabStop = true;
    p.checked = false;
    p.onClick = "cboAliasNamenClick";
    return p;
}

// The help boxes' own texts, which the help library's replace as the page shows.
constexpr char kBuiltInHelpUS[] =
    "Change transfer of Alias-Names: \r\n"
    "If a Filename contains invalid or too many \r\n"
    "characters then Win95 is just accepting the first \r\n"
    "6 characters of an Alias-Name for the \r\n"
    "alteration. \r\n"
    "The last 2 characters get replaced by a Tilde ~ \r\n"
    "and a number. \r\n"
    "But you can tell Windows 95 to use the 1st 8 \r\n"
    "characters of a Alias-Filename if you modify the \r\n"
    "Registry as follows: \r\n"
    "Edit HKEY_LOCAL_MACHINE \\ \r\n"
    "System\\CurrentControlSet\\Control\\FileSystem \r\n"
    "Set binary value of NameNumericTail = 0 \r\n"
    "If you like to switch on it again then \r\n"
    "Set binary value of NameNumericTail = 1 or \r\n"
    "delete this key.\r\n";
constexpr char kBuiltInHelpD[] =
    "Umsetzung der Alias-Namen \xE4ndern: \r\n"
    "Enth\xE4lt ein Dateiname ung\xFCltige Zeichen oder zu \r\n"
    "viele Buchstaben, verwendet Win95 bei der \r\n"
    "Umwandlung der langen Dateinamen in eine \r\n"
    "Alias Bezeichnung nur die ersten sechs \r\n"
    "Buchstaben. \r\n"
    "Die beiden restlichen Buchstaben werden mit \r\n"
    "der Tilde ~ und einer Nummer versehen. Man \r\n"
    "kann Windows 95 aber anweisen, nach \r\n"
    "M\xF6glichkeit die ersten acht Zeichen des \r\n"
    "Dateinamens im Alias zu verwenden.Dazu unter \r\n"
    "HKEY_LOCAL_MACHINE \\ \r\n"
    "System\\CurrentControlSet\\Control\\FileSystem \r\n"
    "den \r\n"
    "Wert NameNumericTail auf den Bin\xE4rwert 0 \r\n"
    "setzen. Will es wieder einschalten muss man \r\n"
    "diesen Wert auf 1 setzen oder den Wert \r\n"
    "l\xF6schen.\r\n";

}  // namespace

const FormDescription FormNamtail = {"FormNamtail",
                                     &frmTippTemplate,
                                     Caption("Alias Namen"),
                                     {
                                         {nullptr, "PanelTopBorder", TabOrder(7)},
                                         {nullptr, "MemoHelpUS", Lines(kBuiltInHelpUS)},
                                         {nullptr, "MemoHelpD", Lines(kBuiltInHelpD)},
                                         {ClassOf<CheckBox>, "cboAliasNamen", AliasNamesBox()},
                                     }};
