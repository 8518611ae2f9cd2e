// The library's main unit: creates, applies and frees this module's page. It owns the one page
// window; the window's release handler clears the reference whenever the window goes.
#include "Namtail.h"

#include <memory>

#include "host/Module.h"
#include "page/Unit1.h"
#include "platform/Dialogs.h"
#include "platform/Phases.h"

namespace {

std::unique_ptr<TFormNamtail> page;

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Lets go of the page at once. A page still inside one of its handlers (a host that frees it while
// handling the page's own notification) is destroyed when that handler returns.
void RetirePage() {
    if (!page) return;
    if (!page->Handling()) {
        page.reset();
        return;
    }
    TFormNamtail* retired = page.release();
    retired->SetReleaseHandler([retired] { delete retired; });
    retired->Close();
    retired->Release();
}

bool saving = false;

// A page the host left open when the library goes is destroyed before the platform it lives on.
struct PageRelease {
    PageRelease() { platform::ActiveBackend(); }
    ~PageRelease() { page.reset(); }
} pageRelease;

}  // namespace

TFormNamtail* CurrentPage() {
    return page.get();
}

extern "C" int32_t NAMTAIL_CALL ModulCreate(int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                                            int32_t EditionCode, int32_t Language, const char* Caption,
                                            const char* HintText, int32_t ValidFor, int32_t HelpId) {
    try {
        std::string caption = TextOrEmpty(Caption);
        TipState.Language = Language;
        TipState.HintText = TextOrEmpty(HintText);
        TipState.EditionCode = EditionCode;
        TipState.ValidFor = ValidFor;
        RetirePage();  // a second create without free: the old page goes first
        page = platform::Form::Create<TFormNamtail>();
        page->SetReleaseHandler([created = page.get()] {
            if (page.get() == created) page.reset();
        });
        page->SetCaption(caption);
        page->SetLeft(Left);
        page->SetTop(Top);
        page->SetWidth(Width);
        page->SetHeight(Height);
        page->SetTag(EditionCode);
        page->SetHint(TipState.HintText);
        page->FHelpId = HelpId;
        platform::Phase("placed");
        {
            // The window appears once, shown and in its language.
            struct Update {
                TFormNamtail& page;
                ~Update() { page.EndUpdate(); }
            } update{*page};
            page->BeginUpdate();
            page->Show();
            platform::Phase("shown");
            page->Sprache(TipState.Language);
            platform::Phase("language");
        }
        platform::Phase("on screen");
    } catch (...) {
        // The host is told nothing: creation never reports failure.
    }
    return 0;
}

extern "C" int32_t NAMTAIL_CALL ModulFree(void) {
    try {
        RetirePage();
        return 1;
    } catch (...) {
        return 0;
    }
}

// Runs the OK action as if the user pressed OK; its errors go to the error display, not the host.
extern "C" int32_t NAMTAIL_CALL ModulSaveChanges(void) {
    // A host that saves again while handling the notification of this very save would never end.
    if (!page || !TipState.Applicable || saving) return 1;
    saving = true;
    struct SaveDone {
        ~SaveDone() { saving = false; }
    } saveDone;
    try {
        TFormNamtail& current = *page;
        current.RunAsHandler([&] { current.HotSpeedButtonOKClick(nullptr); });
        return 1;
    } catch (const std::exception& e) {
        platform::ShowError(e);
    } catch (...) {
        platform::ShowError(platform::Error("Unknown error"));
    }
    return 0;
}
