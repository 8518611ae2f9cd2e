// Registry values of any type and content, and help texts with odd line breaks, zeros inside and any
// length: the page reads them without harm, writes nothing before OK, and OK leaves one binary 0 or
// nothing.
#include "Namtail.h"
#include "fuzz/FuzzInput.h"
#include "host/Module.h"
#include "page/Unit1.h"
#include "platform/headless/Headless.h"
#include "platform/headless/MemoryRegistry.h"
#include "support/Contract.h"

using namespace platform;
using headless::MemoryRegistry;

namespace {
std::string helpText;
}

// Stands in for the help-text library, so the texts come from the fuzzer.
extern "C" const char* GetHelpText(int, int kind) {
    return kind == contract::kRegistryKeyPath ? nullptr : helpText.c_str();
}

namespace {

StoredValue FuzzedValue(FuzzInput& in) {
    const DataType types[] = {DataType::Text, DataType::ExpandText, DataType::Integer, DataType::Binary,
                              DataType::Other};
    DataType type = types[in.Byte() % 5];
    std::string bytes = in.Text(5000);
    return {type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ModulFree();
    headless::SetMessageBoxHandler([](const headless::MessageBoxRequest&) { return false; });
    auto& registry = MemoryRegistry::Instance();
    registry.Clear();
    FuzzInput in(data, size);
    std::uint8_t shape = in.Byte();
    if (shape & 1) registry.CreateKey(RootKey::LocalMachine, contract::kFileSystemKey);
    if (shape & 2)
        registry.SetValue(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail,
                          FuzzedValue(in));
    if (shape & 4)
        registry.SetValue(RootKey::CurrentUser, contract::kSuiteKey, contract::kBSControl, FuzzedValue(in));
    if (shape & 8) registry.SetReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, true);
    helpText = in.Rest();
    helpText = helpText.substr(0, helpText.find('\0'));  // the library hands out terminated texts

    auto before = registry.Value(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail);
    ModulCreate(10, 10, 300, 460, 13, shape >> 6, "Alias names", "", 4096, 1);
    TFormNamtail* page = CurrentPage();
    FUZZ_CHECK(page != nullptr);
    auto shown = registry.Value(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail);
    FUZZ_CHECK(shown.has_value() == before.has_value() && (!shown || shown->data == before->data));

    // The help box keeps the text apart from its line breaks, which come back as CR LF.
    std::string memoText = page->Find<Memo>("MemoHelpUS").Text();
    for (std::size_t i = 0; i < memoText.size(); ++i) {
        if (memoText[i] == '\r') FUZZ_CHECK(i + 1 < memoText.size() && memoText[i + 1] == '\n');
        if (memoText[i] == '\n') FUZZ_CHECK(i > 0 && memoText[i - 1] == '\r');
    }

    registry.SetReadOnly(RootKey::LocalMachine, contract::kFileSystemKey, false);
    page->Input().ClickControl(page->Find<Control>("HotSpeedButtonOK"));
    auto after = registry.Value(RootKey::LocalMachine, contract::kFileSystemKey, contract::kNameNumericTail);
    FUZZ_CHECK(!after || (after->type == DataType::Binary && after->data == std::vector<std::uint8_t>{0}));
    return 0;
}
