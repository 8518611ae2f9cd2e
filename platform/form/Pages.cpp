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

}  // namespace

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

void OpenPage(std::unique_ptr<Form> (*make)(), PageAction place, PageAction shown) {
    // Counted before the retirement: hiding the page it replaces may activate the host, which may
    // make a page of its own meanwhile, and this one then goes.
    const unsigned expected = generation + 1;
    RetireCurrentPage();
    std::unique_ptr<Form> fresh = make();
    if (generation != expected) return Retire(std::move(fresh));
    Form* page = current = fresh.release();
    page->SetReleaseHandler([page] {
        if (IsCurrent(page)) RetireCurrentPage();
    });
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
