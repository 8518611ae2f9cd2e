// The registry backend on Windows: advapi32's A functions, 8-bit texts.
#include <windows.h>

#include "platform/Registry.h"

namespace platform {
namespace {

// Large enough for every value the page reads in one call.
constexpr DWORD kFirstReadSize = 64;

HKEY RootHandle(RootKey root) {
    return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

DataType FromRegType(DWORD type) {
    switch (type) {
        case REG_SZ:
            return DataType::Text;
        case REG_EXPAND_SZ:
            return DataType::ExpandText;
        case REG_DWORD:
            return DataType::Integer;
        case REG_BINARY:
            return DataType::Binary;
        default:
            return DataType::Other;
    }
}

DWORD ToRegType(DataType type) {
    switch (type) {
        case DataType::Text:
            return REG_SZ;
        case DataType::ExpandText:
            return REG_EXPAND_SZ;
        case DataType::Integer:
            return REG_DWORD;
        case DataType::Binary:
            return REG_BINARY;
        case DataType::Other:
            break;
    }
    return REG_NONE;
}

class Win32Key : public OpenedKey {
  public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    // One call for the small values a page reads; a larger one, or one that grows between the calls,
    // is read again at the size the system reports.
    std::optional<StoredValue> Query(const std::string& name) override {
        DWORD type = 0;
        StoredValue value{DataType::Other, std::vector<std::uint8_t>(kFirstReadSize)};
        DWORD size = kFirstReadSize;
        LONG status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, value.data.data(), &size);
        while (status == ERROR_MORE_DATA) {
            value.data.resize(size);
            status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, value.data.data(), &size);
        }
        if (status != ERROR_SUCCESS) return std::nullopt;
        value.type = FromRegType(type);
        value.data.resize(size);
        return value;
    }

    bool Store(const std::string& name, DataType type, std::span<const std::uint8_t> data) override {
        return RegSetValueExA(key_, name.c_str(), 0, ToRegType(type), data.data(),
                              static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }

    DeleteResult Delete(const std::string& name) override {
        switch (RegDeleteValueA(key_, name.c_str())) {
            case ERROR_SUCCESS:
                return DeleteResult::Deleted;
            case ERROR_FILE_NOT_FOUND:
                return DeleteResult::NotFound;
            default:
                return DeleteResult::Refused;
        }
    }

  private:
    HKEY key_;
};

class Win32Registry : public RegistryBackend {
  public:
    std::unique_ptr<OpenedKey> Open(RootKey root, const std::string& path, KeyAccess access,
                                    bool mayCreate) override {
        REGSAM sam = access == KeyAccess::ReadOnly ? KEY_READ : KEY_ALL_ACCESS;
        HKEY key = nullptr;
        LONG status = RegOpenKeyExA(RootHandle(root), path.c_str(), 0, sam, &key);
        if (status == ERROR_FILE_NOT_FOUND && mayCreate)
            status = RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, sam,
                                     nullptr, &key, nullptr);
        if (status != ERROR_SUCCESS) return nullptr;
        return std::make_unique<Win32Key>(key);
    }
};

}  // namespace

RegistryBackend& ActiveRegistryBackend() {
    static Win32Registry instance;
    return instance;
}

}  // namespace platform
