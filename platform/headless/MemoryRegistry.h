#pragma once
// The registry of the headless backend: an in-memory tree per root, case-insensitive like the system's.
#include <map>
#include <memory>
#include <string>

#include "platform/Registry.h"

namespace platform::headless {

class MemoryRegistry : public RegistryBackend {
  public:
    static MemoryRegistry& Instance();

    std::unique_ptr<OpenedKey> Open(RootKey root, const std::string& path, KeyAccess access,
                                    bool mayCreate) override;

    // Test controls: seed and inspect the store, and model a user who may only read a key.
    void Clear();
    void CreateKey(RootKey root, const std::string& path);
    void DeleteKey(RootKey root, const std::string& path);
    bool KeyExists(RootKey root, const std::string& path) const;
    void SetValue(RootKey root, const std::string& path, const std::string& name, StoredValue value);
    std::optional<StoredValue> Value(RootKey root, const std::string& path, const std::string& name) const;
    // A read-only key opens for reading only; values cannot be written or deleted, nor subkeys created.
    void SetReadOnly(RootKey root, const std::string& path, bool readOnly);

    struct Key {
        bool readOnly = false;
        std::map<std::string, StoredValue> values;  // by lower-case name
        std::map<std::string, std::unique_ptr<Key>> subkeys;
    };

  private:
    Key* Find(RootKey root, const std::string& path) const;
    Key* FindOrCreate(RootKey root, const std::string& path, bool honourReadOnly);

    std::map<RootKey, std::unique_ptr<Key>> roots_;
};

}  // namespace platform::headless
