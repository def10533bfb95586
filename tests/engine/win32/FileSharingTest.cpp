#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TempFolder.h"
#include "engine/JobFileSystem.h"
#include "engine/RawFile.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {
namespace {

HANDLE OpenForSharedReading(const std::string& path) {
  return ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

TEST(File, SharesNothingWithOtherPrograms) {
  test::TempFolder temp;
  const std::string path = temp.Write("IMG_0001.CRW", "raw");
  CFile file;
  HANDLE elsewhere = OpenForSharedReading(path);
  ASSERT_NE(elsewhere, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(file.Open(path));  // held open elsewhere
  EXPECT_EQ(file.Error(), static_cast<int>(ERROR_SHARING_VIOLATION));
  // A job reports it as a file it could not read, in the system's words.
  std::string reason;
  std::unique_ptr<JobFolder> folder = RealFileSystem().OpenTree(temp.root(), reason);
  ASSERT_TRUE(folder);
  const CaptureTimeRead read = folder->ReadCaptureTime("IMG_0001.CRW");
  EXPECT_FALSE(read.readable);
  EXPECT_FALSE(read.reason.empty());
  ::CloseHandle(elsewhere);

  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.GetLength(), 3);
  EXPECT_EQ(OpenForSharedReading(path), INVALID_HANDLE_VALUE);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  file.Close();
  elsewhere = OpenForSharedReading(path);
  EXPECT_NE(elsewhere, INVALID_HANDLE_VALUE);
  ::CloseHandle(elsewhere);
}

TEST(File, RefusesDevicesAndFolders) {
  test::TempFolder temp;
  CFile file;
  for (const std::string& path : {std::string("NUL"), std::string("CONIN$"), temp.root(), temp.Path("NUL.CRW")})
    EXPECT_FALSE(file.Open(path)) << path;
}

}  // namespace
}  // namespace kirabo
