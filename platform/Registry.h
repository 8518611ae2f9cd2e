#pragma once
// The registry accessor: created for one use, opens one key, reads or writes, closes on every path.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace platform {

enum class RootKey { CurrentUser, LocalMachine };
enum class DataType { Text, ExpandText, Integer, Binary, Other };
enum class KeyAccess { ReadWrite, ReadOnly };
enum class DeleteResult { Deleted, NotFound, Refused };

struct StoredValue {
    DataType type = DataType::Binary;
    std::vector<std::uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};

// One key opened by a registry backend; destroying it closes the key.
class OpenedKey {
  public:
    virtual ~OpenedKey() = default;
    virtual std::optional<StoredValue> Query(const std::string& name) = 0;
    virtual bool Store(const std::string& name, DataType type, std::span<const std::uint8_t> data) = 0;
    virtual DeleteResult Delete(const std::string& name) = 0;
};

class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;
    // Null when the key does not exist (and may not or cannot be created) or the access is refused.
    virtual std::unique_ptr<OpenedKey> Open(RootKey root, const std::string& path, KeyAccess access,
                                            bool mayCreate) = 0;
};

// The backend of this build: advapi32 on Windows, an in-memory store elsewhere.
RegistryBackend& ActiveRegistryBackend();

class Registry {
  public:
    explicit Registry(RootKey root = RootKey::CurrentUser) : root_(root) {}
    ~Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    void SetRootKey(RootKey root) { root_ = root; }
    // Opens with read and write access; a key the user may only read does not open.
    bool OpenKey(const std::string& path, bool mayCreate);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey() { key_.reset(); }
    bool HasOpenKey() const { return key_ != nullptr; }

    bool ValueExists(const std::string& name);
    DataType GetDataType(const std::string& name);
    bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
    std::int32_t ReadInteger(const std::string& name);
    // Returns the number of bytes stored, 0 when the value does not exist.
    int ReadBinaryData(const std::string& name, void* buffer, int bufferSize);
    void WriteBinaryData(const std::string& name, const void* data, int count);
    void WriteString(const std::string& name, const std::string& text);
    // True when the value is gone afterwards (deleted, or there was none); never raises.
    bool DeleteValue(const std::string& name);

  private:
    std::optional<StoredValue> Query(const std::string& name);
    void Store(const std::string& name, DataType type, std::span<const std::uint8_t> data);

    RootKey root_;
    std::unique_ptr<OpenedKey> key_;
};

}  // namespace platform
