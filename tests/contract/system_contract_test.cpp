// What the installer relies on from the calls that tell it where it runs: the folder queries
// and GetModuleFileNameA with the sizes they answer, as Wine's kernel32/tests (directory.c,
// module.c) record them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "contract_platform.h"

namespace {

using FolderQuery = UINT (*)(platform::FileService&, LPSTR, UINT);

UINT SystemFolder(platform::FileService& files, LPSTR out, UINT size) {
  return files.GetSystemDirectoryA(out, size);
}
UINT WindowsFolder(platform::FileService& files, LPSTR out, UINT size) {
  return files.GetWindowsDirectoryA(out, size);
}
UINT CurrentFolder(platform::FileService& files, LPSTR out, UINT size) {
  return files.GetCurrentDirectoryA(size, out);
}

class SystemContract : public ::testing::Test {
 protected:
  SystemContract()
      : files_(contract::TestPlatform().files), system_(contract::TestPlatform().system) {}

  platform::FileService& files_;
  platform::SystemService& system_;
};

// test_GetWindowsDirectoryA and test_GetSystemDirectoryA (directory.c; GetCurrentDirectoryA
// answers the same way): a buffer too small is left alone and the size with the terminator is
// returned; a buffer that fits gets the path and its length.
TEST_F(SystemContract, FolderQueriesTellTheSizeWithTheTerminator) {
  for (const auto& [name, query] :
       {std::pair{"system", &SystemFolder}, std::pair{"windows", &WindowsFolder},
        std::pair{"current", &CurrentFolder}}) {
    SCOPED_TRACE(name);
    const UINT withNul = query(files_, nullptr, 0);
    ASSERT_GT(withNul, 3u);
    ASSERT_LE(withNul, 260u);
    char buffer[260];
    std::strcpy(buffer, "foo");
    EXPECT_EQ(query(files_, buffer, 1), withNul);
    EXPECT_STREQ(buffer, "foo");
    EXPECT_EQ(query(files_, buffer, withNul - 1), withNul);
    EXPECT_STREQ(buffer, "foo");
    EXPECT_EQ(query(files_, buffer, withNul), withNul - 1);
    EXPECT_EQ(std::strlen(buffer), withNul - 1);
  }
}

// testGetModuleFileName (module.c): the NT family answers a buffer too small with its size.
TEST_F(SystemContract, ModuleFileNameIntoABufferTooSmall) {
  char full[260] = {};
  const DWORD length = files_.GetModuleFileNameA(full, sizeof(full));
  ASSERT_GT(length, 4u);
  ASSERT_EQ(length, std::strlen(full));
  char half[260];
  std::memset(half, '-', sizeof(half));
  EXPECT_EQ(files_.GetModuleFileNameA(half, length / 2), length / 2);
  EXPECT_EQ(std::memcmp(half, full, length / 2 - 1), 0);
  EXPECT_EQ(half[length / 2], '-');
}

}  // namespace
