// The registry accessor against the backend of this build (in-memory natively, advapi32 under Wine).
#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "support/TestSupport.h"

using namespace platform;
using namespace testing_support;

namespace {

const std::string kKey = "Software\\NamtailTest\\Accessor";

class RegistryAccessor : public ::testing::Test {
  protected:
    void SetUp() override {
        SetKeyReadOnly(RootKey::CurrentUser, kKey, false);
        DeleteKeyTree(RootKey::CurrentUser, kKey);
    }
    void TearDown() override { SetUp(); }

    std::string ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const RegistryError& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(RegistryAccessor, MayCreateMakesTheKeyAndWithoutItOpenFails) {
    Registry reg(RootKey::CurrentUser);
    EXPECT_FALSE(reg.OpenKey(kKey, false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(kKey));
    EXPECT_TRUE(reg.OpenKey(kKey, true));
    reg.CloseKey();
    EXPECT_TRUE(KeyExists(RootKey::CurrentUser, kKey));
}

TEST_F(RegistryAccessor, BinaryTextAndIntegerRoundTripWithTheirTypes) {
    Registry reg(RootKey::CurrentUser);
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    const std::uint8_t zero = 0;
    reg.WriteBinaryData("Tail", &zero, 1);
    reg.WriteString("LastKey", "HKEY_LOCAL_MACHINE\\System");
    reg.CloseKey();
    SetValue(RootKey::CurrentUser, kKey, "Count", Integer(-7));

    ASSERT_TRUE(reg.OpenKey(kKey, false));
    EXPECT_EQ(reg.GetDataType("Tail"), DataType::Binary);
    EXPECT_EQ(reg.GetDataType("LastKey"), DataType::Text);
    EXPECT_EQ(reg.GetDataType("Count"), DataType::Integer);
    EXPECT_EQ(reg.ReadInteger("Count"), -7);
    EXPECT_TRUE(reg.ReadBool("Count"));
    std::uint8_t buffer = 0xAA;
    EXPECT_EQ(reg.ReadBinaryData("Tail", &buffer, 1), 1);
    EXPECT_EQ(buffer, 0);
    EXPECT_EQ(reg.ReadBinaryData("Missing", &buffer, 1), 0);
    EXPECT_TRUE(reg.ValueExists("tail")) << "value names are case-insensitive";
    EXPECT_FALSE(reg.ValueExists("Missing"));

    auto text = GetValue(RootKey::CurrentUser, kKey, "LastKey");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, DataType::Text);
    std::string expected = "HKEY_LOCAL_MACHINE\\System";
    std::vector<std::uint8_t> withZero(expected.begin(), expected.end());
    withZero.push_back(0);
    EXPECT_EQ(text->data, withZero) << "text values keep their terminating zero";
}

TEST_F(RegistryAccessor, ReadErrorsNameTheValue) {
    SetValue(RootKey::CurrentUser, kKey, "Wide", Binary({0, 1}));
    SetValue(RootKey::CurrentUser, kKey, "Word", Text("0"));
    SetValue(RootKey::CurrentUser, kKey, "Number", Integer(0));
    Registry reg(RootKey::CurrentUser);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    std::uint8_t byte = 0;
    EXPECT_NE(ErrorOf([&] { reg.ReadBinaryData("Wide", &byte, 1); }).find("'Wide'"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { reg.ReadBinaryData("Word", &byte, 1); }).find("'Word'"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { reg.ReadBinaryData("Number", &byte, 1); }).find("'Number'"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { reg.ReadBool("Word"); }).find("'Word'"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { reg.ReadInteger("Wide"); }).find("'Wide'"), std::string::npos);
}

// An integer is read only from a 32-bit integer value of four bytes: never past a shorter one's end.
TEST_F(RegistryAccessor, IntegerReadsTakeOnlyFourByteIntegers) {
    SetValue(RootKey::CurrentUser, kKey, "Short", {DataType::Integer, {0, 0}});
    SetValue(RootKey::CurrentUser, kKey, "Long", {DataType::Integer, {1, 0, 0, 0, 0, 0, 0, 0}});
    SetValue(RootKey::CurrentUser, kKey, "Bytes", Binary({0, 0, 0, 0}));
    SetValue(RootKey::CurrentUser, kKey, "Four", Integer(0x01020304));
    Registry reg(RootKey::CurrentUser);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    for (std::string name : {"Short", "Long", "Bytes"}) {
        EXPECT_NE(ErrorOf([&] { reg.ReadInteger(name); }).find("'" + name + "'"), std::string::npos) << name;
        EXPECT_NE(ErrorOf([&] { reg.ReadBool(name); }).find("'" + name + "'"), std::string::npos) << name;
    }
    EXPECT_EQ(reg.ReadInteger("Four"), 0x01020304);
}

TEST_F(RegistryAccessor, BinaryReadsRefuseTextsAndIntegersWhateverTheBuffer) {
    SetValue(RootKey::CurrentUser, kKey, "Word", Text("0"));
    SetValue(RootKey::CurrentUser, kKey, "Path", {DataType::ExpandText, {'%', 'X', '%', 0}});
    SetValue(RootKey::CurrentUser, kKey, "Number", Integer(0));
    SetValue(RootKey::CurrentUser, kKey, "Empty", Binary({}));
    SetValue(RootKey::CurrentUser, kKey, "Pair", Binary({7, 9}));
    Registry reg(RootKey::CurrentUser);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    std::uint8_t buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    for (std::string name : {"Word", "Path", "Number"}) {
        EXPECT_NE(ErrorOf([&] { reg.ReadBinaryData(name, buffer, sizeof buffer); }).find("'" + name + "'"),
                  std::string::npos)
            << name;
    }
    EXPECT_EQ(buffer[0], 0xAA) << "nothing copied from a refused value";
    EXPECT_EQ(reg.ReadBinaryData("Empty", buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_EQ(reg.ReadBinaryData("Pair", buffer, 2), 2) << "a value that just fits";
    EXPECT_EQ((std::vector<std::uint8_t>(buffer, buffer + 3)), (std::vector<std::uint8_t>{7, 9, 0xAA}));
    EXPECT_NE(ErrorOf([&] { reg.ReadBinaryData("Pair", buffer, 1); }).find("'Pair'"), std::string::npos);
}

TEST_F(RegistryAccessor, DeleteIsSilentForMissingValuesAndReportsRefusal) {
    SetValue(RootKey::CurrentUser, kKey, "Tail", Binary({0}));
    Registry reg(RootKey::CurrentUser);
    EXPECT_FALSE(reg.DeleteValue("Tail")) << "no key open";
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    EXPECT_TRUE(reg.DeleteValue("Tail"));
    EXPECT_TRUE(reg.DeleteValue("Tail")) << "a value that is not there is gone already";
    EXPECT_FALSE(GetValue(RootKey::CurrentUser, kKey, "Tail"));
}

TEST_F(RegistryAccessor, ReadOnlyKeyOpensOnlyForReading) {
    SetValue(RootKey::CurrentUser, kKey, "Tail", Binary({0}));
    SetKeyReadOnly(RootKey::CurrentUser, kKey, true);
    Registry reg(RootKey::CurrentUser);
    EXPECT_FALSE(reg.OpenKey(kKey, false)) << "every read-write open needs write access";
    EXPECT_FALSE(reg.OpenKey(kKey, true));
    const std::uint8_t zero = 0;
    EXPECT_NE(ErrorOf([&] { reg.WriteBinaryData("Tail", &zero, 1); }).find("'Tail'"), std::string::npos);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    std::uint8_t byte = 0xFF;
    EXPECT_EQ(reg.ReadBinaryData("Tail", &byte, 1), 1);
    EXPECT_EQ(byte, 0);
    EXPECT_NE(ErrorOf([&] { reg.WriteBinaryData("Tail", &zero, 1); }).find("'Tail'"), std::string::npos);
    EXPECT_FALSE(reg.DeleteValue("Tail"));
    EXPECT_TRUE(GetValue(RootKey::CurrentUser, kKey, "Tail"));
}

TEST_F(RegistryAccessor, KeyOpenedForReadingTakesNoChangeEvenWhereTheUserMayChangeIt) {
    SetValue(RootKey::CurrentUser, kKey, "Tail", Binary({0}));
    Registry reg(RootKey::CurrentUser);
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    const std::uint8_t one = 1;
    EXPECT_NE(ErrorOf([&] { reg.WriteBinaryData("Tail", &one, 1); }).find("'Tail'"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { reg.WriteString("LastKey", "x"); }).find("'LastKey'"), std::string::npos);
    EXPECT_FALSE(reg.DeleteValue("Tail"));
    EXPECT_EQ(GetValue(RootKey::CurrentUser, kKey, "Tail"), Binary({0}));
    EXPECT_FALSE(GetValue(RootKey::CurrentUser, kKey, "LastKey"));
}

TEST_F(RegistryAccessor, ClosedKeySeesNothingAndCannotWrite) {
    Registry reg(RootKey::CurrentUser);
    EXPECT_FALSE(reg.ValueExists("Anything"));
    EXPECT_THROW(reg.WriteString("LastKey", "x"), RegistryError);
    EXPECT_THROW(reg.ReadInteger("Anything"), RegistryError);
    reg.CloseKey();  // closing with nothing open does nothing
}

}  // namespace
