#include "platform/form/Pages.h"

#include <utility>

#include "platform/Phases.h"

namespace platform {
namespace {

// Owned, but never by a static destructor: at process exit nothing of the module runs, and a page
// still open then goes with the process.
Form* current = nullptr;
// Counts the calls that change which page is current: a creation that sees it move on while its
// creation handler waits in a message box has been overtaken.
unsigned generation = 0;

bool IsCurrent(const Form* candidate) {
    return candidate && current == candidate;
}

// Ends the first update once: where the show went well, or at unwinding, so that an error cannot
// leave the page hidden for good.
class FirstUpdate {
  public:
    explicit FirstUpdate(Form& page) : page_(&page) { page.BeginUpdate(); }
    ~FirstUpdate() {
        try {
            End();
        } catch (...) {
        }
    }
    FirstUpdate(const FirstUpdate&) = delete;
    FirstUpdate& operator=(const FirstUpdate&) = delete;
    void End() {
        Form* ending = std::exchange(page_, nullptr);
        if (IsCurrent(ending)) ending->EndUpdate();
    }

  private:
    Form* page_;
};

// The page the host's exports now act on; its own release (the host's command, its DestroyWindow)
// lets it go while it still is.
void MakeCurrent(Form* page) {
    current = page;
    page->SetReleaseHandler([page] {
        if (IsCurrent(page)) RetireCurrentPage();
    });
}

}  // namespace

// A page whose window the system would not destroy stays whole: current again while no other page
// took its place, else kept until a later try succeeds.
void TakeBackRefusedPage(std::unique_ptr<Form>& page) {
    if (!current) MakeCurrent(page.release());
}

Form* CurrentPage() {
    return current;
}

void RetireCurrentPage() {
    ++generation;
    if (!current) return;
    std::unique_ptr<Form> retired(std::exchange(current, nullptr));
    retired->Close();
    Retire(std::move(retired));
}

bool FreeCurrentPage(bool carried) {
    if (EntryScope::Nested() || !current) {
        RetireCurrentPage();
        // A caller on another thread goes on as this returns, while this thread may still be inside
        // an entry of its own: it hears that the page went only once its window has. A call of this
        // thread's own, from inside a callback, hears it at once.
        return !(carried && PagesGoing());
    }
    // Nothing of the module is under this call: the window goes now, and a refusal is known while
    // the host still waits for the answer.
    const unsigned expected = ++generation;
    std::unique_ptr<Form> page(std::exchange(current, nullptr));
    const bool destroyed = page->DestroyWindowNow();
    if (!destroyed && generation == expected) {
        current = page.release();  // its release handler is still armed
        return false;
    }
    Retire(std::move(page));
    return destroyed;
}

void OpenPage(std::unique_ptr<Form> (*make)(), PageAction place, PageAction shown) {
    // Counted before the retirement: hiding the page it replaces may activate the host, which may
    // make a page of its own meanwhile, and this one then goes.
    const unsigned expected = generation + 1;
    RetireCurrentPage();
    std::unique_ptr<Form> fresh = make();
    if (generation != expected) return Retire(std::move(fresh));
    Form* page = fresh.release();
    MakeCurrent(page);
    try {
        place(*page);
        Phase("placed");
        // Showing activates the window, and a host may free the page from its own activation:
        // whatever follows is for a page that is still current.
        FirstUpdate update(*page);
        page->Show();
        Phase("shown");
        if (IsCurrent(page)) shown(*page);
        Phase("language");
        update.End();  // here, where a refused window still reaches the catch below
        Phase("on screen");
    } catch (const WindowRefused&) {
        // A page the system refused a window of goes, as one that could not be made at all.
        if (IsCurrent(page)) RetireCurrentPage();
    }
}

}  // namespace platform
