#include "template/MainTippU.h"

#include <initializer_list>

#include "help/QuandeoHelp.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "template/Editions.h"
#include "template/HostChannel.h"

using namespace platform;

namespace {

constexpr int kDesignPixelsPerInch = 96;

}  // namespace

TfrmTippTemplate::TfrmTippTemplate(const FormDescription& description) : Form(description) {
    if (std::uint16_t channel = HostMessage()) ListenOn(channel);
    Publish("FormCreate", &TfrmTippTemplate::FormCreate);
    Publish("FormShow", &TfrmTippTemplate::FormShow);
    Publish("HotSpeedButtonOKClick", &TfrmTippTemplate::HotSpeedButtonOKClick);
    Publish("HotSpeedButtonUndoClick", &TfrmTippTemplate::HotSpeedButtonUndoClick);
    Publish("HotSpeedButtonInfoClick", &TfrmTippTemplate::HotSpeedButtonInfoClick);
    Publish("Fensterwechseln1Click", &TfrmTippTemplate::Fensterwechseln1Click);
    Publish("HotSpeedButtonRegistryClick", &TfrmTippTemplate::HotSpeedButtonRegistryClick);
    Publish("HotSpeedButtonOK", HotSpeedButtonOK_);
    Publish("HotSpeedButtonUndo", HotSpeedButtonUndo_);
    Publish("HotSpeedButtonInfo", HotSpeedButtonInfo_);
    Publish("HotSpeedButtonRegistry", HotSpeedButtonRegistry_);
    Publish("StaticTextTitle", StaticTextTitle_);
    Publish("MemoHelpD", MemoHelpD_);
    Publish("MemoHelpUS", MemoHelpUS_);
    Publish("Fensterwechseln1", Fensterwechseln1_);
}

void TfrmTippTemplate::FormCreate(Component*) {
    ReadBSControl();
    CompensateScreenDensity();
    TipState.EditionBit = EditionBit(TipState.EditionCode);
    if ((TipState.ValidFor & TipState.EditionBit) > 0 || !FBSControl) {
        TipState.Applicable = true;
    } else {
        DisableControls();
        TipState.Applicable = false;
    }
    StaticTextTitle_->SetCaption(Caption(), TextOrigin::Host);
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
    if (ScreenPixelsPerInch() == kDesignPixelsPerInch) return;
    ShowMessage("Big");
    ScaleBy(kDesignPixelsPerInch, ScreenPixelsPerInch());
    Refresh();
}

// Each show fills the heading and help boxes anew, whatever was written to them meanwhile.
void TfrmTippTemplate::FormShow(Component*) {
    StaticTextTitle_->RewriteCaption(Caption(), TextOrigin::Host);
    MemoHelpD_->SetText(HelpText(FHelpId, kHelpGerman));
    MemoHelpUS_->SetText(HelpText(FHelpId, kHelpEnglish));
}

void TfrmTippTemplate::HotSpeedButtonOKClick(Component*) {
    TipState.Saved = true;
    Notify(kNotifyApplied, TipState.RestoreDefaults ? 1 : 2);
}

void TfrmTippTemplate::Fensterwechseln1Click(Component*) {
    Notify(kNotifySwitchWindow, 0);
}

void TfrmTippTemplate::HotSpeedButtonInfoClick(Component*) {
    ShowMessage(ValidEditionsText(TipState.ValidFor, TipState.Language));
}

void TfrmTippTemplate::Sprache(std::int32_t Language) {
    TipState.Language = Language;
    bool english = Language == 1;
    HotSpeedButtonUndo_->SetHint(english ? "Restore defaults" : "Setzt alles wieder auf die Standartwerte");
    HotSpeedButtonOK_->SetHint(english ? "Changes will be saved immediately"
                                       : "\xC4nderungen werden gespeichert");
    HotSpeedButtonRegistry_->SetHint(english ? "Registry Lookup" : "Wert in der Registry nachschlagen");
    HotSpeedButtonInfo_->SetHint(english ? "Valid to ..." : "G\xFCltig f\xFCr ... ");
    Fensterwechseln1_->SetCaption(english ? "Change Window" : "Fenster wechseln");
    MemoHelpD_->SetVisible(!english);
    MemoHelpUS_->SetVisible(english);
}

void TfrmTippTemplate::HostCommand(std::int32_t code, std::int32_t argument) {
    if (code < 0 || argument < 0) throw RangeError();
    PerformHostCommand(code, argument);
}

void TfrmTippTemplate::PerformHostCommand(std::int32_t code, std::int32_t argument) {
    switch (code) {
        case 0:
            try {
                Close();
            } catch (...) {
                ShowMessage("e");
            }
            Release();  // destroyed once this message has been handled
            break;
        case 10:
            SetLeft(argument == 0 ? 1 : argument);
            break;
        case 11:
            SetTop(argument == 0 ? 1 : argument);
            break;
        case 12:
            SetWidth(argument);
            break;
        case 13:
            SetHeight(argument);
            break;
        case 200:
            Show();
            break;
        default:
            break;  // 100, our own 9999 and anything else
    }
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(Component*) {
    TipState.RestoreDefaults = true;
}

// Leaves only what can still be used on an edition the tip does not apply to: title, help, Info, Registry.
void TfrmTippTemplate::DisableControls() {
    for (const auto& component : Components())
        if (component->IsControl()) static_cast<Control&>(*component).SetEnabled(false);
    for (Control* usable : std::initializer_list<Control*>{StaticTextTitle_, MemoHelpD_, MemoHelpUS_,
                                                           HotSpeedButtonInfo_, HotSpeedButtonRegistry_})
        usable->SetEnabled(true);
}
