#include "template/MainTippU.h"

#include "help/QuandeoHelp.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

using namespace platform;

TTipState TipState;

namespace {

constexpr int kDesignPixelsPerInch = 96;
constexpr int kLastEditionCode = 18;

std::string HelpText(std::int32_t helpId, int kind) {
    const char* text = GetHelpText(helpId, kind);
    return text ? std::string(text) : std::string();
}

}  // namespace

TfrmTippTemplate::TfrmTippTemplate(const FormDescription& description) : Form(description) {
    Publish("FormCreate", &TfrmTippTemplate::FormCreate);
    Publish("FormShow", &TfrmTippTemplate::FormShow);
    Publish("HotSpeedButtonOKClick", &TfrmTippTemplate::HotSpeedButtonOKClick);
    Publish("HotSpeedButtonUndoClick", &TfrmTippTemplate::HotSpeedButtonUndoClick);
    // Bound by the description; what they do arrives with the Info list, the registry lookup and
    // the host message channel.
    Publish("HotSpeedButtonInfoClick", [](Component*) {});
    Publish("HotSpeedButtonRegistryClick", [](Component*) {});
    Publish("Fensterwechseln1Click", [](Component*) {});
}

void TfrmTippTemplate::FormCreate(Component*) {
    ReadBSControl();
    CompensateScreenDensity();
    TipState.EditionBit = TipState.EditionCode >= 1 && TipState.EditionCode <= kLastEditionCode
                              ? 1 << (TipState.EditionCode - 1)
                              : 0;
    if ((TipState.ValidFor & TipState.EditionBit) > 0 || !FBSControl) {
        TipState.Applicable = true;
    } else {
        DisableControls();
        TipState.Applicable = false;
    }
    Get<StaticText>("StaticTextTitle").SetCaption(Caption());
}

// A BSControl of the wrong type is reported and then counts as missing, so that creation goes on.
void TfrmTippTemplate::ReadBSControl() {
    Registry reg(RootKey::CurrentUser);
    FBSControl = true;
    if (!reg.OpenKey(kSuiteSettingsKey, true)) return;
    try {
        if (reg.ValueExists("BSControl")) FBSControl = reg.ReadBool("BSControl");
    } catch (const RegistryError& e) {
        FBSControl = true;
        ShowError(e);
    }
}

// The toolkit enlarged the window for a denser screen while loading; scale it back to 96 dpi size.
void TfrmTippTemplate::CompensateScreenDensity() {
    if (ActiveBackend().ScreenPixelsPerInch() == kDesignPixelsPerInch) return;
    ShowMessage("Big");
    ScaleBy(kDesignPixelsPerInch, ActiveBackend().ScreenPixelsPerInch());
    Refresh();
}

void TfrmTippTemplate::FormShow(Component*) {
    Get<StaticText>("StaticTextTitle").SetCaption(Caption());
    Get<Memo>("MemoHelpD").SetText(HelpText(FHelpId, kHelpGerman));
    Get<Memo>("MemoHelpUS").SetText(HelpText(FHelpId, kHelpEnglish));
}

void TfrmTippTemplate::HotSpeedButtonOKClick(Component*) {
    TipState.Saved = true;
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(Component*) {
    TipState.RestoreDefaults = true;
}

// Leaves only what can still be used on an edition the tip does not apply to: title, help, Info, Registry.
void TfrmTippTemplate::DisableControls() {
    for (const auto& component : Components())
        if (component->IsControl()) static_cast<Control&>(*component).SetEnabled(false);
    for (const char* name :
         {"StaticTextTitle", "MemoHelpD", "MemoHelpUS", "HotSpeedButtonInfo", "HotSpeedButtonRegistry"})
        Get<Control>(name).SetEnabled(true);
}
