#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/HomeFolder.h"

namespace kirabo {
namespace {

TEST(HomeFolder, LeadingTildeIsTheHomeFolderAsInAShell) {
  const char* saved = std::getenv("HOME");
  const std::string home = saved != nullptr ? saved : "";
  setenv("HOME", "/home/kirabo", 1);
  const struct {
    const char* typed;
    const char* meant;
  } kCases[] = {
      {"~", "/home/kirabo"},
      {"~/", "/home/kirabo/"},
      {"~/Pictures/2004", "/home/kirabo/Pictures/2004"},
      {"~kirabo/Pictures", "~kirabo/Pictures"},  // another user's home is not guessed
      {"photos/~/2004", "photos/~/2004"},
      {"~photos", "~photos"},
      {"/tmp", "/tmp"},
      {"", ""},
  };
  for (const auto& [typed, meant] : kCases) EXPECT_EQ(WithHomeFolder(typed), meant) << typed;
  if (saved != nullptr)
    setenv("HOME", home.c_str(), 1);
  else
    unsetenv("HOME");
}

}  // namespace
}  // namespace kirabo
