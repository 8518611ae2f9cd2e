// The library's main unit: creates, applies and frees this module's page. The door owns the page
// (platform/form/Pages.h); every export is one entry through it, on the page's thread. A call from
// another thread that finds no page window to be carried to (the first one is still being made)
// returns what it returns when there is no page.
#include "Namtail.h"

#include "host/Module.h"
#include "page/Unit1.h"
#include "platform/Dialogs.h"
#include "platform/form/Pages.h"

namespace {

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

}  // namespace

TFormNamtail* CurrentPage() {
    return static_cast<TFormNamtail*>(platform::CurrentPage());
}

// Never reports failure: the host is told nothing.
extern "C" int32_t NAMTAIL_CALL ModulCreate(int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                                            int32_t EditionCode, int32_t Language, const char* Caption,
                                            const char* HintText, int32_t ValidFor, int32_t HelpId) {
    return platform::ThroughExportDoor(
        [&](platform::Way) {
            try {
                const std::string caption = TextOrEmpty(Caption);
                TipState.Language = Language;
                TipState.HintText = TextOrEmpty(HintText);
                TipState.EditionCode = EditionCode;
                TipState.ValidFor = ValidFor;
                platform::OpenPage<TFormNamtail>(
                    [&](TFormNamtail& page) {
                        page.SetCaption(caption);
                        page.SetWindowBounds({Left, Top, Width, Height});
                        page.SetTag(EditionCode);
                        page.SetHint(TipState.HintText);
                        page.FHelpId = HelpId;
                    },
                    [](TFormNamtail& page) { page.Sprache(TipState.Language); });
            } catch (...) {
            }
            return 0;
        },
        [](platform::Way) { return 0; });
}

extern "C" int32_t NAMTAIL_CALL ModulFree(void) {
    return platform::ThroughExportDoor(
        [](platform::Way way) {
            try {
                return platform::FreeCurrentPage(way == platform::Way::Carried) ? 1 : 0;
            } catch (...) {
                return 0;
            }
        },
        [](platform::Way way) { return way == platform::Way::NoPageWindow ? 1 : 0; });
}

// Runs the OK action as if the user pressed OK; its errors go to the error display, not the host. An
// OK still running (its restart question open) refuses the second one, which returns 1 like any
// call that fails nothing.
extern "C" int32_t NAMTAIL_CALL ModulSaveChanges(void) {
    return platform::ThroughExportDoor(
        [](platform::Way way) {
            // A page that ended with its thread went unsaved.
            if (way == platform::Way::TookOver) return 0;
            TFormNamtail* page = CurrentPage();
            if (!page || !TipState.Applicable) return 1;
            try {
                page->HotSpeedButtonOKClick(nullptr);
                return 1;
            } catch (const std::exception& e) {
                platform::ShowError(e);
            } catch (...) {
                platform::ShowError(platform::Error("Unknown error"));
            }
            return 0;
        },
        [](platform::Way way) { return way == platform::Way::NoPageWindow ? 1 : 0; });
}
