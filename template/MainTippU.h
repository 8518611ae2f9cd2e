#pragma once
// The tip frame every page derives from: white window with a thin blue frame, a bold title, the help
// boxes, four image buttons and a one-item popup menu; edition validity and the host's commands.
#include <cstdint>
#include <string>

#include "platform/form/Form.h"
#include "template/HelpTexts.h"
#include "template/HotSpeedButton.h"
#include "template/TipState.h"

extern const platform::FormDescription frmTippTemplate;

// The suite's own settings key and the text kinds of the help-text library.
inline constexpr char kSuiteSettingsKey[] = "SOFTWARE\\Quandeo\\Velmora 2000";

class TfrmTippTemplate : public platform::Form {
  public:
    std::int32_t FHelpId = 0;
    bool FBSControl = true;

    void FormCreate(platform::Component* Sender);
    void FormShow(platform::Component* Sender);
    void HotSpeedButtonOKClick(platform::Component* Sender);
    void HotSpeedButtonUndoClick(platform::Component* Sender);
    void HotSpeedButtonInfoClick(platform::Component* Sender);
    void Fensterwechseln1Click(platform::Component* Sender);
    // Stores the tip's key where the registry editor starts, then starts the editor.
    void HotSpeedButtonRegistryClick(platform::Component* Sender);
    // Offers to restart Windows; the window's tag (the edition code) decides whether the shutdown
    // privilege is enabled first.
    void NeuStart();
    // Applies the language: 1 English, anything else German.
    void Sprache(std::int32_t Language);

  protected:
    explicit TfrmTippTemplate(const platform::FormDescription& description = frmTippTemplate);

    // The components the handlers use, set as the window loads.
    THotSpeedButton *HotSpeedButtonOK_ = nullptr, *HotSpeedButtonUndo_ = nullptr;
    THotSpeedButton *HotSpeedButtonInfo_ = nullptr, *HotSpeedButtonRegistry_ = nullptr;
    platform::StaticText* StaticTextTitle_ = nullptr;
    platform::Memo *MemoHelpD_ = nullptr, *MemoHelpUS_ = nullptr;
    platform::MenuItem* Fensterwechseln1_ = nullptr;

    // Set for as long as an OK action runs, its question and message boxes included: one in the
    // library at a time, whichever page it belongs to, since a host may replace the page meanwhile.
    inline static bool okRunning_ = false;
    struct ScopedFlag {
        explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
        ~ScopedFlag() { flag_ = false; }
        ScopedFlag(const ScopedFlag&) = delete;
        ScopedFlag& operator=(const ScopedFlag&) = delete;
        bool& flag_;
    };

    // Host commands arrive as the registered message "Quandeo"; a negative code or argument is out
    // of range.
    void HostCommand(std::int32_t code, std::int32_t argument) override;

  private:
    void ReadBSControl();
    void CompensateScreenDensity();
    void DisableControls();
    void PerformHostCommand(std::int32_t code, std::int32_t argument);
};
