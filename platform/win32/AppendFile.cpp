#include "platform/AppendFile.h"

#include "platform/win32/WindowsApi.h"

namespace kirabo {

namespace {

HANDLE ToHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

int OpenWith(const std::string& path, DWORD disposition, intptr_t& handle) {
  // Others may read the file while it grows; only this handle writes, and
  // no other handle that writes can be opened while it is open.
  HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int>(::GetLastError());
  handle = reinterpret_cast<intptr_t>(file);
  return 0;
}

}  // namespace

CAppendFile::~CAppendFile() { Close(); }

int CAppendFile::Create(const std::string& path) {
  Close();
  return OpenWith(path, CREATE_NEW, handle_);
}

int CAppendFile::OpenExisting(const std::string& path) {
  Close();
  return OpenWith(path, OPEN_EXISTING, handle_);
}

int CAppendFile::Append(std::string_view bytes) {
  if (!IsOpen()) return ERROR_INVALID_HANDLE;
  while (!bytes.empty()) {
    DWORD wanted = bytes.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(ToHandle(handle_), bytes.data(), wanted, &written, nullptr)) {
      return static_cast<int>(::GetLastError());
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return 0;
}

int CAppendFile::Sync() {
  if (!IsOpen()) return ERROR_INVALID_HANDLE;
  return ::FlushFileBuffers(ToHandle(handle_)) ? 0 : static_cast<int>(::GetLastError());
}

int64_t CAppendFile::Length() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || !::GetFileSizeEx(ToHandle(handle_), &size)) return -1;
  return static_cast<int64_t>(size.QuadPart);
}

void CAppendFile::Close() {
  if (IsOpen()) ::CloseHandle(ToHandle(handle_));
  handle_ = kNoHandle;
}

bool CAppendFile::IsNameTaken(int error) { return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS; }

}  // namespace kirabo
