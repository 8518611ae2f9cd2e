#pragma once
// The tip frame every page derives from: white window with a thin blue frame, a bold title, the help
// boxes, four image buttons and a one-item popup menu; edition validity; the module-wide state.
#include <cstdint>
#include <string>

#include "platform/form/Form.h"
#include "template/HotSpeedButton.h"

// Lives as long as the library is loaded; never reset between pages.
struct TTipState {
    bool Modified = false;
    bool Saved = false;
    bool RestoreDefaults = false;
    bool Applicable = false;
    std::int32_t Language = 0;
    std::int32_t EditionCode = 0;
    std::int32_t ValidFor = 0;
    std::int32_t EditionBit = 0;
    std::string HintText;
    std::uint16_t HostMessage = 0;
};
extern TTipState TipState;

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
    // Host commands arrive as the registered message "Quandeo".
    void WndProc(platform::Message& message) override;

  protected:
    explicit TfrmTippTemplate(const platform::FormDescription& description = frmTippTemplate);

    // Set for as long as the OK action runs, its question and message boxes included.
    bool okRunning_ = false;
    struct ScopedFlag {
        explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
        ~ScopedFlag() { flag_ = false; }
        ScopedFlag(const ScopedFlag&) = delete;
        ScopedFlag& operator=(const ScopedFlag&) = delete;
        bool& flag_;
    };

  private:
    void ReadBSControl();
    void CompensateScreenDensity();
    void DisableControls();
    void PerformHostCommand(std::int32_t code, std::int32_t argument);
};

// A text of the help-text library, copied at once; empty when it has none.
std::string HelpText(std::int32_t helpId, int kind);

// Asks Windows to shut down with `flags`, the shutdown privilege enabled only for the request.
bool RebootWithPrivilege(std::uint32_t flags);
// Enables or disables one privilege of the process's token; true when the system accepted it.
bool SetTokenPrivilege(const std::string& name, bool enable);

// The Info list: the heading in the current language and the names of the editions in `validFor`.
std::string ValidEditionsText(std::int32_t validFor, std::int32_t language);
