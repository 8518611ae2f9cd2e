// The library's main unit: creates, applies and frees this module's page. It owns the one page
// window; the window's release handler hands it back whenever it goes. Every export is one entry
// through the module's door, on the page's thread: a page let go from inside any callback of a call
// is destroyed when the host's call returns, never under a frame still running.
#include "Namtail.h"

#include <memory>
#include <utility>

#include "host/Module.h"
#include "page/Unit1.h"
#include "platform/Dialogs.h"
#include "platform/Phases.h"

namespace {

// Owned, but never by a static destructor: at process exit nothing of the module runs, and a page
// still open then goes with the process.
TFormNamtail* page = nullptr;
// Counts the calls that change which page is current: a creation that sees it move on while its
// creation handler waits in a message box (a host calling ModulCreate or ModulFree from there) has
// been overtaken, and its page goes.
unsigned pageGeneration = 0;

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Lets go of the page: hidden at once, destroyed when the outermost entry returns.
void RetirePage() {
    ++pageGeneration;
    if (!page) return;
    std::unique_ptr<TFormNamtail> retired(std::exchange(page, nullptr));
    retired->Close();
    platform::Retire(std::move(retired));
}

bool IsCurrent(const TFormNamtail* candidate) {
    return candidate && page == candidate;
}

// A creation never reports failure: the host is told nothing.
void Create(int32_t Left, int32_t Top, int32_t Width, int32_t Height, int32_t EditionCode, int32_t Language,
            const char* Caption, const char* HintText, int32_t ValidFor, int32_t HelpId) {
    TFormNamtail* created = nullptr;
    try {
        std::string caption = TextOrEmpty(Caption);
        TipState.Language = Language;
        TipState.HintText = TextOrEmpty(HintText);
        TipState.EditionCode = EditionCode;
        TipState.ValidFor = ValidFor;
        RetirePage();  // a second create without free: the old page goes first
        const unsigned generation = pageGeneration;
        auto fresh = platform::Form::Create<TFormNamtail>();
        if (pageGeneration != generation) {
            platform::Retire(std::move(fresh));
            return;
        }
        page = fresh.release();
        created = page;
        created->SetReleaseHandler([created] {
            if (IsCurrent(created)) RetirePage();
        });
        created->SetCaption(caption);
        created->SetLeft(Left);
        created->SetTop(Top);
        created->SetWidth(Width);
        created->SetHeight(Height);
        created->SetTag(EditionCode);
        created->SetHint(TipState.HintText);
        created->FHelpId = HelpId;
        platform::Phase("placed");
        // The window is made once, as it first shows: placed, worded and in its language. Showing
        // activates it, and a host may free the page from its own activation: whatever follows is
        // for a page that is still ours.
        struct UpdateEnd {  // on every path, so that an error cannot leave the page hidden for good
            TFormNamtail* created;
            // Once: here, where a refused window reaches the catch below, or at unwinding.
            void End() {
                TFormNamtail* ending = std::exchange(created, nullptr);
                if (IsCurrent(ending)) ending->EndUpdate();
            }
            ~UpdateEnd() {
                try {
                    End();
                } catch (...) {
                }
            }
        } updateEnd{created};
        created->BeginUpdate();
        created->Show();
        platform::Phase("shown");
        if (IsCurrent(created)) created->Sprache(TipState.Language);
        platform::Phase("language");
        updateEnd.End();
        platform::Phase("on screen");
    } catch (const platform::WindowRefused&) {
        // A page the system refused a window of goes, as one it could not make at all.
        try {
            if (IsCurrent(created)) RetirePage();
        } catch (...) {
        }
    } catch (...) {
    }
}

}  // namespace

TFormNamtail* CurrentPage() {
    return page;
}

extern "C" int32_t NAMTAIL_CALL ModulCreate(int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                                            int32_t EditionCode, int32_t Language, const char* Caption,
                                            const char* HintText, int32_t ValidFor, int32_t HelpId) {
    return platform::ThroughExportDoor([&] {
        Create(Left, Top, Width, Height, EditionCode, Language, Caption, HintText, ValidFor, HelpId);
        return 0;
    });
}

extern "C" int32_t NAMTAIL_CALL ModulFree(void) {
    return platform::ThroughExportDoor([] {
        try {
            RetirePage();
            return 1;
        } catch (...) {
            return 0;
        }
    });
}

// Runs the OK action as if the user pressed OK; its errors go to the error display, not the host. An
// OK still running (its restart question open) refuses the second one, which returns 1 like any
// call that fails nothing.
extern "C" int32_t NAMTAIL_CALL ModulSaveChanges(void) {
    return platform::ThroughExportDoor([] {
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
    });
}
