#pragma once
// The alias-name page: the tip frame plus one checkbox for NameNumericTail. Ticked stores binary 0,
// so that Windows keeps the first eight characters of short names; unticked deletes the value.
#include "template/MainTippU.h"

extern const platform::FormDescription FormNamtail;

inline constexpr char kFileSystemKey[] = "System\\CurrentControlSet\\Control\\FileSystem";
inline constexpr char kNameNumericTail[] = "NameNumericTail";

class TFormNamtail : public TfrmTippTemplate {
  public:
    void FormCreate(platform::Component* Sender);
    void cboAliasNamenClick(platform::Component* Sender);
    void HotSpeedButtonUndoClick(platform::Component* Sender);
    void HotSpeedButtonOKClick(platform::Component* Sender);
    void Sprache(std::int32_t Language);

    platform::CheckBox& cboAliasNamen() const { return *cboAliasNamen_; }

  private:
    friend class platform::Form;
    TFormNamtail();
    platform::CheckBox* cboAliasNamen_ = nullptr;  // set as the window loads
    void ReadSetting();
    void WriteSetting();
    bool SettingStored();
};
