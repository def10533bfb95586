#include "platform/File.h"

#include "platform/FileIdentity.h"

#include "platform/win32/HandleIdentity.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

HANDLE ToHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool TakeDiskFile(HANDLE file, CFile::Opened& opened, int& error) {
  if (file == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(::GetLastError());
    return false;
  }
  // Devices, pipes and consoles could block a read; only disk files are raw files.
  const bool isDisk = ::GetFileType(file) == FILE_TYPE_DISK;
  opened.identified = isDisk && IdentifyHandle(file, opened.identity);
  // The identity holds the size; asked apart only where it could not be had.
  LARGE_INTEGER size{};
  size.QuadPart = static_cast<LONGLONG>(opened.identity.size);
  if (!isDisk || (!opened.identified && !::GetFileSizeEx(file, &size))) {
    error = isDisk ? static_cast<int>(::GetLastError()) : 0;
    ::CloseHandle(file);
    return false;
  }
  opened.handle = reinterpret_cast<intptr_t>(file);
  opened.length = size.QuadPart;
  return true;
}

}  // namespace

// No sharing: a file held open elsewhere is refused, and nobody else opens
// this one until it is closed.
bool CFile::OpenNative(const std::string& path, Opened& opened, int& error) {
  return TakeDiskFile(::CreateFileW(ExtendedPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr),
                      opened, error);
}

bool CFile::OpenNativeIn(const CFolder& folder, const std::string& name, Opened& opened, int& error) {
  return TakeDiskFile(::CreateFileW(EntryPath(folder, name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr),
                      opened, error);
}

void CFile::CloseNative(NativeHandle handle) { ::CloseHandle(ToHandle(handle)); }

void CFile::WillReadNative(NativeHandle, int64_t, size_t) {}

int64_t CFile::ReadNative(NativeHandle handle, void* buffer, size_t count, int64_t offset, int& error) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  DWORD wanted = count > MAXDWORD ? MAXDWORD : static_cast<DWORD>(count);
  DWORD got = 0;
  if (::ReadFile(ToHandle(handle), buffer, wanted, &got, &at)) return got;
  const DWORD code = ::GetLastError();
  if (code == ERROR_HANDLE_EOF) return 0;
  error = static_cast<int>(code);
  return -1;
}

}  // namespace kirabo
