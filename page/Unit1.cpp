#include "page/Unit1.h"

#include "platform/Registry.h"

using namespace platform;

TFormNamtail::TFormNamtail() : TfrmTippTemplate(FormNamtail) {
    Publish("FormCreate", &TFormNamtail::FormCreate);
    Publish("cboAliasNamenClick", &TFormNamtail::cboAliasNamenClick);
    Publish("HotSpeedButtonUndoClick", &TFormNamtail::HotSpeedButtonUndoClick);
    Publish("HotSpeedButtonOKClick", &TFormNamtail::HotSpeedButtonOKClick);
    Publish("cboAliasNamen", cboAliasNamen_);
}

void TFormNamtail::FormCreate(Component* Sender) {
    TfrmTippTemplate::FormCreate(Sender);
    if (TipState.Applicable) ReadSetting();
}

// Opened for reading only: a user who may read but not change the key still sees the true state.
void TFormNamtail::ReadSetting() {
    Registry reg(RootKey::LocalMachine);
    if (!reg.OpenKeyReadOnly(kFileSystemKey) || !reg.ValueExists(kNameNumericTail)) return;
    switch (reg.GetDataType(kNameNumericTail)) {
        case DataType::Binary: {
            std::uint8_t value = 0xFF;
            if (reg.ReadBinaryData(kNameNumericTail, &value, 1) == 1 && value == 0)
                cboAliasNamen().SetChecked(true);
            break;
        }
        case DataType::Integer:
            if (reg.ReadInteger(kNameNumericTail) == 0) cboAliasNamen().SetChecked(true);
            break;
        default:
            break;
    }
}

void TFormNamtail::Sprache(std::int32_t Language) {
    TfrmTippTemplate::Sprache(Language);
    cboAliasNamen().SetCaption(TipState.Language == 1 ? "&Don't show (~) in Filename"
                                                      : "&Tilde(~) im Dateinamen nicht anzeigen");
}

void TFormNamtail::cboAliasNamenClick(Component*) {
    HotSpeedButtonOK_->SetEnabled(true);
}

void TFormNamtail::HotSpeedButtonUndoClick(Component* Sender) {
    cboAliasNamen().SetChecked(false);
    TfrmTippTemplate::HotSpeedButtonUndoClick(Sender);
}

void TFormNamtail::HotSpeedButtonOKClick(Component* Sender) {
    // One OK at a time, whoever asks: a host's timer or a screen reader pressing OK again while the
    // restart question is open would otherwise ask for a second restart.
    if (okRunning_) return;
    const ScopedFlag running(okRunning_);
    WriteSetting();
    NeuStart();
    HotSpeedButtonOK_->SetEnabled(false);
    TfrmTippTemplate::HotSpeedButtonOKClick(Sender);
}

// A deletion that leaves the value in place is a failed write like a refused binary 0; a value (or a
// key) that is not there is already the default.
void TFormNamtail::WriteSetting() {
    Registry reg(RootKey::LocalMachine);
    reg.OpenKey(kFileSystemKey, false);
    if (cboAliasNamen().Checked()) {
        const std::uint8_t zero = 0;
        reg.WriteBinaryData(kNameNumericTail, &zero, 1);
    } else if (!reg.DeleteValue(kNameNumericTail) && SettingStored()) {
        throw RegistryError(std::string("Failed to set data for '") + kNameNumericTail + "'");
    }
}

bool TFormNamtail::SettingStored() {
    Registry reg(RootKey::LocalMachine);
    return reg.OpenKeyReadOnly(kFileSystemKey) && reg.ValueExists(kNameNumericTail);
}
