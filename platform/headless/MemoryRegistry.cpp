#include "platform/headless/MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform::headless {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(Lower(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(Lower(part));
    return parts;
}

class MemoryKey : public OpenedKey {
  public:
    MemoryKey(MemoryRegistry::Key& key, KeyAccess access) : key_(key), access_(access) {}

    std::optional<StoredValue> Query(const std::string& name) override {
        auto it = key_.values.find(Lower(name));
        if (it == key_.values.end()) return std::nullopt;
        return it->second;
    }
    bool Store(const std::string& name, DataType type, std::span<const std::uint8_t> data) override {
        if (!Writable()) return false;
        key_.values[Lower(name)] = StoredValue{type, {data.begin(), data.end()}};
        return true;
    }
    DeleteResult Delete(const std::string& name) override {
        if (!Writable()) return DeleteResult::Refused;
        return key_.values.erase(Lower(name)) ? DeleteResult::Deleted : DeleteResult::NotFound;
    }

  private:
    bool Writable() const { return access_ == KeyAccess::ReadWrite && !key_.readOnly; }

    MemoryRegistry::Key& key_;
    KeyAccess access_;
};

}  // namespace

MemoryRegistry& MemoryRegistry::Instance() {
    static MemoryRegistry instance;
    return instance;
}

MemoryRegistry::Key* MemoryRegistry::Find(RootKey root, const std::string& path) const {
    auto it = roots_.find(root);
    if (it == roots_.end()) return nullptr;
    Key* key = it->second.get();
    for (const auto& part : SplitPath(path)) {
        auto sub = key->subkeys.find(part);
        if (sub == key->subkeys.end()) return nullptr;
        key = sub->second.get();
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::FindOrCreate(RootKey root, const std::string& path,
                                                  bool honourReadOnly) {
    auto& rootKey = roots_[root];
    if (!rootKey) rootKey = std::make_unique<Key>();
    Key* key = rootKey.get();
    for (const auto& part : SplitPath(path)) {
        auto& sub = key->subkeys[part];
        if (!sub) {
            if (honourReadOnly && key->readOnly) {
                key->subkeys.erase(part);
                return nullptr;
            }
            sub = std::make_unique<Key>();
        }
        key = sub.get();
    }
    return key;
}

std::unique_ptr<OpenedKey> MemoryRegistry::Open(RootKey root, const std::string& path, KeyAccess access,
                                                bool mayCreate) {
    Key* key = Find(root, path);
    if (!key && mayCreate) key = FindOrCreate(root, path, true);
    if (!key) return nullptr;
    if (access == KeyAccess::ReadWrite && key->readOnly) return nullptr;
    return std::make_unique<MemoryKey>(*key, access);
}

void MemoryRegistry::Clear() {
    roots_.clear();
}

void MemoryRegistry::CreateKey(RootKey root, const std::string& path) {
    FindOrCreate(root, path, false);
}

void MemoryRegistry::DeleteKey(RootKey root, const std::string& path) {
    auto parts = SplitPath(path);
    if (parts.empty()) return;
    std::string last = parts.back();
    parts.pop_back();
    std::string parentPath;
    for (const auto& p : parts) parentPath += p + "\\";
    if (Key* parent = Find(root, parentPath)) parent->subkeys.erase(last);
}

bool MemoryRegistry::KeyExists(RootKey root, const std::string& path) const {
    return Find(root, path) != nullptr;
}

void MemoryRegistry::SetValue(RootKey root, const std::string& path, const std::string& name,
                              StoredValue value) {
    FindOrCreate(root, path, false)->values[Lower(name)] = std::move(value);
}

std::optional<StoredValue> MemoryRegistry::Value(RootKey root, const std::string& path,
                                                 const std::string& name) const {
    Key* key = Find(root, path);
    if (!key) return std::nullopt;
    auto it = key->values.find(Lower(name));
    if (it == key->values.end()) return std::nullopt;
    return it->second;
}

void MemoryRegistry::SetReadOnly(RootKey root, const std::string& path, bool readOnly) {
    FindOrCreate(root, path, false)->readOnly = readOnly;
}

}  // namespace platform::headless

namespace platform {
RegistryBackend& ActiveRegistryBackend() {
    return headless::MemoryRegistry::Instance();
}
}  // namespace platform
