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

Properties Lines(std::vector<std::string> lines) {
    Properties p;
    p.lines = std::move(lines);
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

}  // namespace

const FormDescription FormNamtail = {
    "FormNamtail",
    &frmTippTemplate,
    Caption("Alias Namen"),
    {
        {nullptr, "PanelTopBorder", TabOrder(7)},
        {nullptr, "MemoHelpUS",
         Lines({"Change transfer of Alias-Names: ", "If a Filename contains invalid or too many ",
                "characters then Win95 is just accepting the first ",
                "6 characters of an Alias-Name for the ", "alteration. ",
                "The last 2 characters get replaced by a Tilde ~ ", "and a number. ",
                "But you can tell Windows 95 to use the 1st 8 ",
                "characters of a Alias-Filename if you modify the ", "Registry as follows: ",
                "Edit HKEY_LOCAL_MACHINE \\ ", "System\\CurrentControlSet\\Control\\FileSystem ",
                "Set binary value of NameNumericTail = 0 ", "If you like to switch on it again then ",
                "Set binary value of NameNumericTail = 1 or ", "delete this key."})},
        {nullptr, "MemoHelpD",
         Lines({"Umsetzung der Alias-Namen \xE4ndern: ",
                "Enth\xE4lt ein Dateiname ung\xFCltige Zeichen oder zu ",
                "viele Buchstaben, verwendet Win95 bei der ", "Umwandlung der langen Dateinamen in eine ",
                "Alias Bezeichnung nur die ersten sechs ", "Buchstaben. ",
                "Die beiden restlichen Buchstaben werden mit ", "der Tilde ~ und einer Nummer versehen. Man ",
                "kann Windows 95 aber anweisen, nach ", "M\xF6glichkeit die ersten acht Zeichen des ",
                "Dateinamens im Alias zu verwenden.Dazu unter ", "HKEY_LOCAL_MACHINE \\ ",
                "System\\CurrentControlSet\\Control\\FileSystem ", "den ",
                "Wert NameNumericTail auf den Bin\xE4rwert 0 ",
                "setzen. Will es wieder einschalten muss man ", "diesen Wert auf 1 setzen oder den Wert ",
                "l\xF6schen."})},
        {ClassOf<CheckBox>, "cboAliasNamen", AliasNamesBox()},
    }};
