// Windows only: the built Namtail.dll as a host sees it - exports, version resource, imports.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Namtail.h"
#include "support/Contract.h"
#include "support/TestSupport.h"

namespace {

class NamtailLibrary : public ::testing::Test {
  protected:
    void SetUp() override {
        module = LoadLibraryA("Namtail.dll");
        ASSERT_NE(module, nullptr) << GetLastError();
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    FARPROC ByOrdinal(int ordinal) { return GetProcAddress(module, MAKEINTRESOURCEA(ordinal)); }
    template <typename T>
    T Proc(int ordinal) {
        return reinterpret_cast<T>(reinterpret_cast<void*>(ByOrdinal(ordinal)));
    }
    HMODULE module = nullptr;
};

TEST_F(NamtailLibrary, ExportsExactlyTheFiveFunctionsByNameAndOrdinal) {
    const char* names[] = {"ModulNr", "ModulSaveChanges", "ModulChanged", "ModulFree", "ModulCreate"};
    for (int ordinal = 1; ordinal <= 5; ++ordinal) {
        FARPROC byName = GetProcAddress(module, names[ordinal - 1]);
        ASSERT_NE(byName, nullptr) << names[ordinal - 1];
        EXPECT_EQ(reinterpret_cast<void*>(byName), reinterpret_cast<void*>(ByOrdinal(ordinal)))
            << names[ordinal - 1];
    }
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    EXPECT_EQ(exports->NumberOfFunctions, 5u);
    EXPECT_EQ(exports->NumberOfNames, 5u);
    EXPECT_EQ(exports->Base, 1u);
}

TEST_F(NamtailLibrary, ImportsOnlySystemLibrariesAndQuandeoHelp) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const std::set<std::string> allowed = {"QUANDEOHELP.DLL", "KERNEL32.DLL", "USER32.DLL",  "GDI32.DLL",
                                           "ADVAPI32.DLL",    "COMCTL32.DLL", "SHELL32.DLL", "MSVCRT.DLL",
                                           "OLEACC.DLL",      "OLEAUT32.DLL"};
    int count = 0;
    for (auto* imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
         ++imp) {
        std::string name = reinterpret_cast<const char*>(base + imp->Name);
        for (auto& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(allowed.count(name)) << name;
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST_F(NamtailLibrary, CarriesItsGermanVersionInformation) {
    char path[MAX_PATH];
    GetModuleFileNameA(module, path, MAX_PATH);
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &len));
    EXPECT_EQ(translation[0], 0x0407);
    EXPECT_EQ(translation[1], 1252);
    char* description = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\040704E4\\FileDescription",
                               reinterpret_cast<void**>(&description), &len));
    EXPECT_STREQ(description, "Alias Namen");
}

TEST_F(NamtailLibrary, FreshLoadStartsWithFreshStateAndFreeBeforeCreateIsSafe) {
    auto modulNr = Proc<ModulQueryProc>(1);
    auto modulChanged = Proc<ModulQueryProc>(3);
    auto modulFree = Proc<ModulQueryProc>(4);
    EXPECT_EQ(modulNr(), 2);
    EXPECT_EQ(modulChanged(), 0);
    EXPECT_EQ(modulFree(), 1);
}

// Each load that sees an exception (a refused page window ends ModulCreate with one) gives back the
// thread-local storage index its runtime took: a process has about a thousand. Each is freed and
// unloaded in the documented order, and really unloads.
TEST(NamtailLoads, GiveBackTheirThreadLocalStorageIndexesAtUnload) {
    auto loadAndThrow = [] {
        HMODULE module = LoadLibraryA("Namtail.dll");
        ASSERT_NE(module, nullptr);
        auto create =
            reinterpret_cast<ModulCreateProc>(reinterpret_cast<void*>(GetProcAddress(module, "ModulCreate")));
        auto free =
            reinterpret_cast<ModulQueryProc>(reinterpret_cast<void*>(GetProcAddress(module, "ModulFree")));
        EXPECT_EQ(
            create(10, 10, 300, 460, contract::kWindowsXP, 1, "Refused", nullptr, contract::kWindowsXPBit, 1),
            0);
        EXPECT_EQ(testing_support::TipWindowCount(), 0);
        EXPECT_EQ(free(), 1);
        FreeLibrary(module);
        ASSERT_EQ(GetModuleHandleA("Namtail.dll"), nullptr) << "unloaded";
    };
    auto lowestFreeIndex = [] {
        DWORD index = TlsAlloc();
        TlsFree(index);
        return index;
    };
    testing_support::RefuseWindows(testing_support::Refusal::PageWindow);
    loadAndThrow();  // whatever the system itself takes once
    const DWORD before = lowestFreeIndex();
    for (int load = 0; load < 8; ++load) loadAndThrow();
    testing_support::RefuseWindows(testing_support::Refusal::None);
    EXPECT_EQ(lowestFreeIndex(), before);
}

// A host with a file named oleacc.dll beside it, which Wine prefers as Windows would (oleacc is not a
// known DLL): the host's own bare-name load finds that file, the page never does, also when it makes
// its accessible object.
TEST(NamtailPlanting, PageLoadsItsSystemLibrariesOnlyFromTheSystemFolder) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self, std::string(self).rfind('\\') + 1);
    std::string command = "\"" + folder + "planting\\NamtailPlantingHost.exe\" \"" + folder + "Namtail.dll\"";
    const char kOverrides[] = "Software\\Wine\\AppDefaults\\NamtailPlantingHost.exe\\DllOverrides";
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, "oleacc", 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    RegCloseKey(key);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    DWORD code = 99;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 98);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
    ASSERT_LT(code, 64u) << "the host did not run: " << code;
    EXPECT_TRUE(code & 1) << "the page answered WM_GETOBJECT with its object";
    EXPECT_FALSE(code & 2) << "the page loaded the planted oleacc.dll";
    EXPECT_TRUE(code & 4) << "a bare-name load finds the planted file: the setting works";
}

}  // namespace
#endif
