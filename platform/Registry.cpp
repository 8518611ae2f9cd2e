#include "platform/Registry.h"

#include <cstring>

namespace platform {
namespace {

[[noreturn]] void ThrowInvalidType(const std::string& name) {
    throw RegistryError("Invalid data type for '" + name + "'");
}

}  // namespace

bool Registry::OpenKey(const std::string& path, bool mayCreate) {
    key_ = ActiveRegistryBackend().Open(root_, path, KeyAccess::ReadWrite, mayCreate);
    return key_ != nullptr;
}

bool Registry::OpenKeyReadOnly(const std::string& path) {
    key_ = ActiveRegistryBackend().Open(root_, path, KeyAccess::ReadOnly, false);
    return key_ != nullptr;
}

std::optional<StoredValue> Registry::Query(const std::string& name) {
    if (!key_) return std::nullopt;
    return key_->Query(name);
}

bool Registry::ValueExists(const std::string& name) {
    return Query(name).has_value();
}

DataType Registry::GetDataType(const std::string& name) {
    auto value = Query(name);
    if (!value) throw RegistryError("Failed to get data for '" + name + "'");
    return value->type;
}

std::int32_t Registry::ReadInteger(const std::string& name) {
    auto value = Query(name);
    if (!value || value->type != DataType::Integer || value->data.size() != sizeof(std::int32_t))
        ThrowInvalidType(name);
    std::int32_t result = 0;
    std::memcpy(&result, value->data.data(), sizeof result);
    return result;
}

int Registry::ReadBinaryData(const std::string& name, void* buffer, int bufferSize) {
    auto value = Query(name);
    if (!value) return 0;
    if (value->type == DataType::Text || value->type == DataType::ExpandText ||
        value->type == DataType::Integer)
        ThrowInvalidType(name);
    if (bufferSize < 0 || value->data.size() > static_cast<std::size_t>(bufferSize)) ThrowInvalidType(name);
    if (!value->data.empty()) std::memcpy(buffer, value->data.data(), value->data.size());
    return static_cast<int>(value->data.size());
}

void Registry::Store(const std::string& name, DataType type, std::span<const std::uint8_t> data) {
    if (!key_ || !key_->Store(name, type, data)) throw RegistryError("Failed to set data for '" + name + "'");
}

void Registry::WriteBinaryData(const std::string& name, const void* data, int count) {
    if (count < 0) throw RangeError();
    Store(name, DataType::Binary, {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(count)});
}

void Registry::WriteString(const std::string& name, const std::string& text) {
    // Stored with its terminating zero, as the system keeps text values.
    std::span<const std::uint8_t> bytes{reinterpret_cast<const std::uint8_t*>(text.c_str()), text.size() + 1};
    Store(name, DataType::Text, bytes);
}

bool Registry::DeleteValue(const std::string& name) {
    if (!key_) return false;
    return key_->Delete(name) != DeleteResult::Refused;
}

}  // namespace platform
