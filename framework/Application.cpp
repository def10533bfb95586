#include "framework/Application.h"

#include <cstdio>

#include "platform/PrivateProfile.h"

namespace kirabo {

namespace {
Application* theApplication = nullptr;
// A read of text settings comes through a buffer of this many bytes, so a
// longer stored value arrives cut to one byte less.
constexpr size_t kProfileStringBuffer = 4096;
}  // namespace

Application::Application() { theApplication = this; }

Application::~Application() {
  if (theApplication == this) theApplication = nullptr;
}

Application* Application::Instance() { return theApplication; }

std::string Application::GetProfileString(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const {
  if (profileName_ == nullptr) return defaultValue;
  return GetPrivateProfileString(section, key, defaultValue, profileName_, kProfileStringBuffer);
}

int32_t Application::GetProfileInt(const std::string& section, const std::string& key, int32_t defaultValue) const {
  if (profileName_ == nullptr) return defaultValue;
  return GetPrivateProfileInt(section, key, defaultValue, profileName_);
}

bool Application::WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                                     int* systemError) {
  if (profileName_ == nullptr) return false;
  return WritePrivateProfileString(section, key, value, profileName_, systemError);
}

bool Application::WriteProfileInt(const std::string& section, const std::string& key, int32_t value,
                                  int* systemError) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return WriteProfileString(section, key, text, systemError);
}

}  // namespace kirabo
