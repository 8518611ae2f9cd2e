// Headless side of the test support: the message box handler and the in-memory registry.
#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "platform/form/Form.h"
#include "platform/headless/Headless.h"
#include "platform/headless/MemoryRegistry.h"
#include "support/SystemRecorder.h"
#include "support/TestSupport.h"

namespace testing_support {

using platform::headless::MemoryRegistry;

MessageBoxScript::MessageBoxScript(bool answerYes) : answerYes_(answerYes) {
    auto previous = platform::headless::SetMessageBoxHandler(
        [this](const platform::headless::MessageBoxRequest& r) { return Record(r.kind, r.text); });
    previous_ = new platform::headless::MessageBoxHandler(std::move(previous));
}

MessageBoxScript::~MessageBoxScript() {
    auto* previous = static_cast<platform::headless::MessageBoxHandler*>(previous_);
    platform::headless::SetMessageBoxHandler(std::move(*previous));
    delete previous;
}

void SetValue(platform::RootKey root, const std::string& path, const std::string& name,
              const platform::StoredValue& value) {
    MemoryRegistry::Instance().SetValue(root, path, name, value);
}

void SetRawValue(platform::RootKey root, const std::string& path, const std::string& name, std::uint32_t,
                 const std::vector<std::uint8_t>& data) {
    MemoryRegistry::Instance().SetValue(root, path, name, {platform::DataType::Other, data});
}

std::optional<platform::StoredValue> GetValue(platform::RootKey root, const std::string& path,
                                              const std::string& name) {
    return MemoryRegistry::Instance().Value(root, path, name);
}

void CreateKey(platform::RootKey root, const std::string& path) {
    MemoryRegistry::Instance().CreateKey(root, path);
}

void DeleteKeyTree(platform::RootKey root, const std::string& path) {
    MemoryRegistry::Instance().DeleteKey(root, path);
}

bool KeyExists(platform::RootKey root, const std::string& path) {
    return MemoryRegistry::Instance().KeyExists(root, path);
}

void SetKeyReadOnly(platform::RootKey root, const std::string& path, bool readOnly) {
    MemoryRegistry::Instance().SetReadOnly(root, path, readOnly);
}

}  // namespace testing_support

namespace testing_support {

bool PrivilegeEnabled(const std::string& name) {
    return platform::headless::System().enabledPrivileges.count(name) > 0;
}

}  // namespace testing_support

namespace testing_support {

std::intptr_t SendToWindow(void* handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    platform::headless::Deliver(*static_cast<platform::Form*>(handle), msg, wParam, lParam);
    return 0;
}

bool RefuseMessageRegistration(bool refuse) {
    platform::headless::RefuseMessageRegistration(refuse);
    return true;
}

void DestroyFromOutside(void* handle) {
    platform::headless::DestroyNativeWindow(*static_cast<platform::Form*>(handle));
}

HostCalledAtShow::HostCalledAtShow(ShowCallback, std::function<void()> action) : action_(std::move(action)) {
    platform::headless::SetShowHandler([this](platform::Form&) { Run(); });
}

HostCalledAtShow::~HostCalledAtShow() {
    platform::headless::SetShowHandler(nullptr);
}

// The headless system: a 13-pixel square at 96 dots per inch, characters two fifths as wide as high.
platform::Size SystemCheckSquare() {
    int side = (13 * platform::ActiveBackend().ScreenPixelsPerInch() + 48) / 96;  // rounded
    return {side, side};
}

int CaptionWidthOnScreen(const platform::Form&, const platform::Control& control) {
    std::string shown;
    for (char c : control.Caption())
        if (c != '&') shown += c;
    int height = control.GetFont().height < 0 ? -control.GetFont().height : control.GetFont().height;
    return static_cast<int>(shown.size()) * height * 2 / 5;
}

void RefuseWindows(Refusal what) {
    using platform::NativeKind;
    platform::headless::RefuseNewWindows(what == Refusal::PageWindow);
    std::optional<NativeKind> kind;
    if (what == Refusal::Static) kind = NativeKind::Static;
    if (what == Refusal::Edit) kind = NativeKind::Edit;
    if (what == Refusal::CheckBox) kind = NativeKind::CheckBox;
    platform::headless::RefuseControlsOf(kind);  // no tooltips here: nothing to refuse
}

const bool kLibraryWindowsVisible = false;

int TipWindowCount() {
    return static_cast<int>(platform::headless::TopLevelWindows().size());
}

}  // namespace testing_support

namespace testing_support {

// Beside the test program: bin/namtail_tests and lib/libNamtail.so.
namespace {
std::string LibraryPath() {
    std::string self(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
    self.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return self.substr(0, self.rfind('/')) + "/../lib/libNamtail.so";
}
}  // namespace

LoadedLibrary::LoadedLibrary() : handle_(dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL)) {}

LoadedLibrary::~LoadedLibrary() {
    if (handle_) dlclose(handle_);
}

bool LoadedLibrary::Loaded() {
    void* loaded = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (loaded) dlclose(loaded);
    return loaded != nullptr;
}

void* LoadedLibrary::Find(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

std::optional<std::uint64_t> CommittedBytes() {
    return std::nullopt;
}

}  // namespace testing_support

namespace testing_support {

int UseScreenDensity(int ppi) {
    platform::headless::SetScreenPixelsPerInch(ppi);
    return ppi;
}

std::string UseWindowsDirectory(const std::string& wanted) {
    platform::headless::System().windowsDirectory = wanted;
    return wanted;
}

std::optional<platform::Rect> NativeBounds(const platform::Form&, const platform::Control&) {
    return std::nullopt;
}

}  // namespace testing_support
