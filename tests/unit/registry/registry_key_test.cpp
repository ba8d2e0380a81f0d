#include "registry/registry_key.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_registry.h"

namespace {

using platform::sim::SimRegistry;
using registry::RegistryKey;

// Counts the calls that reach the platform, to show that a closed key never calls it.
class CountingRegistry final : public platform::RegistryService {
 public:
  explicit CountingRegistry(platform::RegistryService& inner) : inner_(inner) {}
  LONG RegOpenKeyExA(HKEY r, LPCSTR s, DWORD o, REGSAM a, PHKEY k) override {
    ++calls;
    return inner_.RegOpenKeyExA(r, s, o, a, k);
  }
  LONG RegCreateKeyExA(HKEY r, LPCSTR s, DWORD x, LPSTR c, DWORD o, REGSAM a, void* sec, PHKEY k,
                       LPDWORD d) override {
    ++calls;
    return inner_.RegCreateKeyExA(r, s, x, c, o, a, sec, k, d);
  }
  LONG RegQueryValueExA(HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s) override {
    ++calls;
    return inner_.RegQueryValueExA(k, n, r, t, d, s);
  }
  LONG RegSetValueExA(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) override {
    ++calls;
    return inner_.RegSetValueExA(k, n, r, t, d, s);
  }
  LONG RegEnumValueA(HKEY k, DWORD i, LPSTR n, LPDWORD ns, LPDWORD r, LPDWORD t, LPBYTE d,
                     LPDWORD s) override {
    ++calls;
    return inner_.RegEnumValueA(k, i, n, ns, r, t, d, s);
  }
  LONG RegDeleteValueA(HKEY k, LPCSTR n) override {
    ++calls;
    return inner_.RegDeleteValueA(k, n);
  }
  LONG RegEnumKeyA(HKEY k, DWORD i, LPSTR n, DWORD s) override {
    ++calls;
    return inner_.RegEnumKeyA(k, i, n, s);
  }
  LONG RegDeleteKeyA(HKEY k, LPCSTR n) override {
    ++calls;
    return inner_.RegDeleteKeyA(k, n);
  }
  LONG RegCloseKey(HKEY k) override {
    ++calls;
    return inner_.RegCloseKey(k);
  }
  int calls = 0;

 private:
  platform::RegistryService& inner_;
};

TEST(RegistryKeyState, AKeyThatHoldsNothingRefusesWithoutCallingThePlatform) {
  SimRegistry sim;
  CountingRegistry counting(sim);
  RegistryKey key(counting);
  DWORD value = 0;
  DWORD error = 12345;
  char buffer[8] = {};
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  EXPECT_FALSE(key.QueryDword("x", &value, &error));
  EXPECT_FALSE(key.SetDword("x", 1, &error));
  EXPECT_FALSE(key.SetString("x", "t", &error));
  EXPECT_FALSE(key.QueryValue("x", buffer, sizeof(buffer)));
  EXPECT_FALSE(key.SetValue("x", buffer, REG_BINARY, 1));
  EXPECT_NE(key.EnumValue(0, buffer, &size, &type), ERROR_SUCCESS);
  EXPECT_FALSE(key.Close());
  EXPECT_EQ(counting.calls, 0);
  EXPECT_EQ(error, 0u);  // the key's last error, which no call has set
}

TEST(RegistryKeyState, FailedOpenLeavesNoKeyAndRecordsTheError) {
  SimRegistry sim;
  sim.PutDword("SOFTWARE\\A", "v", 1);
  RegistryKey key(sim);
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing"));
  EXPECT_FALSE(key.isOpen());
  EXPECT_EQ(key.lastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(sim.openHandleCount(), 0u);  // the first key was closed before the second open
}

TEST(RegistryKeyState, DestructionClosesTheHeldKey) {
  SimRegistry sim;
  sim.PutDword("SOFTWARE\\A", "v", 1);
  {
    RegistryKey key(sim);
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
    EXPECT_EQ(sim.openHandleCount(), 1u);
  }
  EXPECT_EQ(sim.openHandleCount(), 0u);
}

TEST(RegistryKeyValues, DwordAndStringRoundTripWithTheTerminatorStored) {
  SimRegistry sim;
  RegistryKey key(sim);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, "SOFTWARE\\KESTREL\\PORTNAME\\"));
  EXPECT_TRUE(key.SetDword("USB_M_1", 3));
  EXPECT_TRUE(key.SetString("Port", "COM1:"));
  DWORD value = 0;
  EXPECT_TRUE(key.QueryDword("USB_M_1", &value));
  EXPECT_EQ(value, 3u);
  const auto text = sim.GetValue("SOFTWARE\\KESTREL\\PORTNAME", "Port");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(text->data, std::string("COM1:\0", 6));
}

TEST(RegistryKeyValues, QueryOfAMissingValueFailsAndReportsTheError) {
  SimRegistry sim;
  RegistryKey key(sim);
  ASSERT_TRUE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  DWORD value = 7;
  DWORD error = 0;
  EXPECT_FALSE(key.QueryDword("nothing", &value, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(value, 7u);
}

TEST(RegistryKeyValues, QueryDwordOfALongerValueFailsInsteadOfOverrunning) {
  SimRegistry sim;
  sim.PutValue("SOFTWARE\\A", "text", REG_SZ, std::string("a long text\0", 12));
  RegistryKey key(sim);
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\A"));
  DWORD value = 0;
  DWORD error = 0;
  EXPECT_FALSE(key.QueryDword("text", &value, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_MORE_DATA));
}

TEST(RegistryKeyValues, WritesToADeniedKeyFail) {
  SimRegistry sim;
  sim.PutDword("SOFTWARE\\Locked", "v", 1);
  sim.DenyWrites("SOFTWARE\\Locked");
  RegistryKey key(sim);
  ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Locked"));
  DWORD error = 0;
  EXPECT_FALSE(key.SetDword("v", 2, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(sim.GetDword("SOFTWARE\\Locked", "v"), 1u);
}

TEST(RegistryKeyCreate, CreatesMissingParentsAndLeavesNoHandleOpen) {
  SimRegistry sim;
  RegistryKey key(sim);
  EXPECT_TRUE(key.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\KESTREL\\PRINTERPORT\\"));
  EXPECT_TRUE(sim.KeyExists("SOFTWARE\\KESTREL\\PRINTERPORT"));
  EXPECT_FALSE(key.isOpen());
  EXPECT_EQ(sim.openHandleCount(), 0u);
}

TEST(RegistryKeyCreate, OpenOrCreateFailsWhenAccessIsDenied) {
  SimRegistry sim;
  sim.DenyAccess("SOFTWARE\\KESTREL");
  RegistryKey key(sim);
  EXPECT_FALSE(key.OpenOrCreate(HKEY_LOCAL_MACHINE, "SOFTWARE\\KESTREL\\PORTNAME\\"));
  EXPECT_FALSE(key.isOpen());
  EXPECT_EQ(key.lastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(sim.KeyExists("SOFTWARE\\KESTREL\\PORTNAME"));
}

}  // namespace
