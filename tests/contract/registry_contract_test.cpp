// What the installer relies on from the registry, asserted the same way against the simulated
// registry and against the real one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "contract_platform.h"
#include "registry/registry_key.h"

namespace {

using registry::RegistryKey;

// A fresh key per test, so that runs and tests do not see each other's values.
class RegistryContract : public ::testing::Test {
 protected:
  RegistryContract()
      : registry_(contract::TestPlatform().registry),
        path_(std::string("SOFTWARE\\SetupContract\\") +
              ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

  platform::RegistryService& registry_;
  std::string path_;
};

TEST_F(RegistryContract, OpeningAMissingKeyFailsWithFileNotFound) {
  HKEY key = nullptr;
  EXPECT_EQ(registry_.RegOpenKeyExA(HKEY_LOCAL_MACHINE, (path_ + "\\missing").c_str(), 0,
                                    KEY_ALL_ACCESS, &key),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryContract, CreateMakesEveryMissingKeyAndReportsWhetherItWasNew) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(registry_.RegCreateKeyExA(HKEY_LOCAL_MACHINE, (path_ + "\\a\\b").c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                      &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
  ASSERT_EQ(registry_.RegCreateKeyExA(HKEY_LOCAL_MACHINE, (path_ + "\\a\\b").c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                      &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryContract, TrailingBackslashNamesTheSameKey) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.CreateKey(HKEY_LOCAL_MACHINE, (path_ + "\\KESTREL\\PORTNAME\\").c_str()));
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, (path_ + "\\KESTREL\\PORTNAME\\").c_str()));
  ASSERT_TRUE(key.SetDword("USB_M_1", 5));
  RegistryKey other(registry_);
  ASSERT_TRUE(other.Open(HKEY_LOCAL_MACHINE, (path_ + "\\kestrel\\portname").c_str()));
  DWORD value = 0;
  EXPECT_TRUE(other.QueryDword("usb_m_1", &value));
  EXPECT_EQ(value, 5u);
}

TEST_F(RegistryContract, DwordStringAndNoneValuesKeepTypeAndBytes) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  ASSERT_TRUE(key.SetDword("dword", 0x12345678));
  ASSERT_TRUE(key.SetString("text", "9600,n,8,1,p"));
  const unsigned char dcb[28] = {28, 0, 0, 0, 0x80, 0x25, 0, 0, 0x11, 0, 0, 0, 0, 0,
                                 0,  0, 8, 0, 0,    0,    0, 0, 0,    0, 0, 0, 0, 0};
  ASSERT_TRUE(key.SetValue("DCB", dcb, REG_NONE, sizeof(dcb)));

  HKEY raw = nullptr;
  ASSERT_EQ(registry_.RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_ALL_ACCESS, &raw),
            ERROR_SUCCESS);
  DWORD type = 99;
  unsigned char data[64] = {};
  DWORD size = sizeof(data);
  ASSERT_EQ(registry_.RegQueryValueExA(raw, "dword", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  DWORD dword = 0;
  std::memcpy(&dword, data, 4);
  EXPECT_EQ(dword, 0x12345678u);

  size = sizeof(data);
  ASSERT_EQ(registry_.RegQueryValueExA(raw, "text", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 13u);
  EXPECT_STREQ(reinterpret_cast<const char*>(data), "9600,n,8,1,p");

  size = sizeof(data);
  ASSERT_EQ(registry_.RegQueryValueExA(raw, "DCB", nullptr, &type, data, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(size, 28u);
  EXPECT_EQ(std::memcmp(data, dcb, sizeof(dcb)), 0);
  EXPECT_EQ(registry_.RegCloseKey(raw), ERROR_SUCCESS);
}

TEST_F(RegistryContract, QueryOfAMissingValueFailsWithFileNotFound) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  DWORD value = 0;
  DWORD error = 0;
  EXPECT_FALSE(key.QueryDword("D1", &value, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryContract, QueryIntoATooSmallBufferFailsWithMoreDataAndTellsTheSize) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  ASSERT_TRUE(key.SetString("text", "longer than four"));
  HKEY raw = nullptr;
  ASSERT_EQ(registry_.RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_ALL_ACCESS, &raw),
            ERROR_SUCCESS);
  unsigned char data[4] = {};
  DWORD size = sizeof(data);
  EXPECT_EQ(registry_.RegQueryValueExA(raw, "text", nullptr, nullptr, data, &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 17u);
  EXPECT_EQ(registry_.RegCloseKey(raw), ERROR_SUCCESS);
}

TEST_F(RegistryContract, EnumerationListsNamesUntilNoMoreItems) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  ASSERT_TRUE(key.SetDword("M2(U) 2", 0));
  ASSERT_TRUE(key.SetDword("M1(U) 1", 0));
  ASSERT_TRUE(key.SetDword("M3(U) 3", 0));
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[260] = {};
    DWORD size = 200;
    DWORD type = 0;
    const LONG result = key.EnumValue(index, name, &size, &type);
    if (result != ERROR_SUCCESS) {
      EXPECT_EQ(result, ERROR_NO_MORE_ITEMS);
      break;
    }
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, std::strlen(name));
    names.emplace_back(name);
  }
  if (contract::RunningUnderWine()) {
    // Wine lists values alphabetically.
    EXPECT_EQ(names, (std::vector<std::string>{"M1(U) 1", "M2(U) 2", "M3(U) 3"}));
  } else {
    // Windows lists them in the order they were created.
    EXPECT_EQ(names, (std::vector<std::string>{"M2(U) 2", "M1(U) 1", "M3(U) 3"}));
  }
}

TEST_F(RegistryContract, EnumerationIntoATooSmallNameBufferFailsWithMoreData) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  ASSERT_TRUE(key.SetDword("exactly ten", 0));  // 11 characters
  char name[260] = {};
  DWORD type = 0;
  DWORD size = 11;  // no room for the terminator
  EXPECT_EQ(key.EnumValue(0, name, &size, &type), ERROR_MORE_DATA);
  size = 12;
  EXPECT_EQ(key.EnumValue(0, name, &size, &type), ERROR_SUCCESS);
  EXPECT_STREQ(name, "exactly ten");
  EXPECT_EQ(size, 11u);
}

TEST_F(RegistryContract, ValueNamesMatchWithoutRegardToCaseAndSetReplaces) {
  RegistryKey key(registry_);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, path_.c_str()));
  ASSERT_TRUE(key.SetDword("D1", 7));
  ASSERT_TRUE(key.SetDword("d1", 0));
  DWORD value = 9;
  ASSERT_TRUE(key.QueryDword("D1", &value));
  EXPECT_EQ(value, 0u);
  char name[260] = {};
  DWORD size = 200;
  DWORD type = 0;
  ASSERT_EQ(key.EnumValue(0, name, &size, &type), ERROR_SUCCESS);
  EXPECT_STREQ(name, "D1");  // the name keeps the spelling it was created with
  size = 200;
  EXPECT_EQ(key.EnumValue(1, name, &size, &type), ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryContract, ClosingAnUnknownHandleFails) {
  HKEY key = nullptr;
  ASSERT_EQ(
      registry_.RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(registry_.RegCloseKey(key), ERROR_INVALID_HANDLE);
}

}  // namespace
