// Drives a live page through its host message channel and the five exports: commands and arguments
// of any value, geometry over the whole 32-bit range, creation and freeing in any order, clicks and
// keys in between.
#include "Namtail.h"
#include "fuzz/FuzzInput.h"
#include "host/Module.h"
#include "page/Unit1.h"
#include "platform/headless/Headless.h"

using namespace platform;

namespace {

void Reset() {
    ModulFree();
    headless::SetMessageBoxHandler([](const headless::MessageBoxRequest&) { return false; });
    headless::System() = headless::SystemRecord{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reset();
    FuzzInput in(data, size);
    for (int step = 0; step < 64 && !in.Empty(); ++step) {
        TFormNamtail* page = CurrentPage();
        switch (in.Byte() % 8) {
            case 0: {
                std::string caption = in.Text(300), hint = in.Text(300);
                ModulCreate(in.Int32(), in.Int32(), in.Int32(), in.Int32(), in.Byte() % 20, in.Byte() % 3,
                            caption.c_str(), hint.c_str(), in.Int32(), in.Byte() % 3);
                FUZZ_CHECK(CurrentPage() != nullptr);
                break;
            }
            case 1:
                FUZZ_CHECK(ModulFree() == 1);
                FUZZ_CHECK(CurrentPage() == nullptr);
                break;
            case 2:
                ModulSaveChanges();
                break;
            case 3:
                FUZZ_CHECK(ModulChanged() == 0);  // nothing in this module sets Modified
                FUZZ_CHECK(ModulNr() == 1 || ModulNr() == 2);
                break;
            default:
                if (!page) break;
                if (in.Byte() % 4 == 0) {
                    const char* names[] = {"HotSpeedButtonOK", "HotSpeedButtonUndo", "HotSpeedButtonInfo",
                                           "HotSpeedButtonRegistry", "cboAliasNamen"};
                    page->Input().ClickControl(page->Find<Control>(names[in.Byte() % 5]));
                } else {
                    std::int32_t code = in.Int32(), argument = in.Int32();
                    page->ReceiveHostCommand(code, argument);
                    if (code == 0 && argument >= 0) FUZZ_CHECK(CurrentPage() == nullptr);
                }
                break;
        }
    }
    return 0;
}
