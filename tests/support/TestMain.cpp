#include <gtest/gtest.h>

#include "support/SystemRecorder.h"
#include "support/TestSupport.h"

namespace testing_support {

std::vector<std::string> MessageBoxScript::Texts(platform::MessageBoxKind kind) const {
    std::vector<std::string> texts;
    for (const auto& box : shown_)
        if (box.kind == kind) texts.push_back(box.text);
    return texts;
}

platform::StoredValue Binary(std::vector<std::uint8_t> bytes) {
    return {platform::DataType::Binary, std::move(bytes)};
}

platform::StoredValue Integer(std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    return {platform::DataType::Integer,
            {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
             static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)}};
}

platform::StoredValue Text(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return {platform::DataType::Text, std::move(bytes)};
}

}  // namespace testing_support

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Whatever a test forgets, a shutdown request never reaches the system running the suite.
    testing_support::SystemRecorder noRestart;
    return RUN_ALL_TESTS();
}
