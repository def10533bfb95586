#include "engine/FolderContents.h"

#include <memory>
#include <utility>

#include "engine/JobFileSystem.h"
#include "engine/RawFormatTable.h"
#include "platform/Path.h"

namespace kirabo {

namespace {

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

std::vector<std::string> NamesOf(const std::vector<FolderItem>& items) {
  std::vector<std::string> names;
  names.reserve(items.size());
  for (const FolderItem& item : items) names.push_back(item.name);
  return names;
}

// The names of the plain files among `items`: links and folders are never
// companions, so a link cannot carry a rename out of the tree.
std::vector<std::string> FileNames(const std::vector<FolderItem>& items) {
  std::vector<std::string> names;
  for (const FolderItem& item : items) {
    if (!item.isFolder && !item.isLink) names.push_back(item.name);
  }
  return names;
}

// Capture One keeps a session's settings in CaptureOne/Settings*/ beside the
// raw files; each such folder found is listed once.
void ListSettingsFolders(JobFolder& folder, const std::vector<FolderItem>& items, CodePage codePage,
                         std::vector<SettingsFolder>& settings, FolderContents& contents) {
  std::string reason;
  for (const FolderItem& top : items) {
    if (!top.isFolder || UpperAscii(top.name, codePage) != "CAPTUREONE") continue;
    std::unique_ptr<JobFolder> captureOne = folder.OpenFolder(top.name, reason);
    std::vector<FolderItem> sessions;
    if (!captureOne || !captureOne->List(sessions, reason)) continue;
    for (const FolderItem& session : sessions) {
      if (!session.isFolder || !StartsWith(UpperAscii(session.name, codePage), "SETTINGS")) continue;
      std::unique_ptr<JobFolder> settingsFolder = captureOne->OpenFolder(session.name, reason);
      std::vector<FolderItem> held;
      if (!settingsFolder || !settingsFolder->List(held, reason)) continue;
      std::string path = top.name + kPathSeparator + session.name + kPathSeparator;
      settings.push_back({path, FileNames(held)});
      contents.companionFolders.emplace(
          std::move(path), CompanionFolder{{top.name, session.name}, FolderNames(NamesOf(held), codePage)});
    }
  }
}

}  // namespace

FolderContents ListFolderContents(JobFolder& folder, bool withCompanions, CodePage codePage) {
  std::vector<FolderItem> items;
  std::string reason;
  if (!folder.List(items, reason)) items.clear();
  FolderContents contents(FolderNames(NamesOf(items), codePage));
  if (!withCompanions) return contents;

  std::vector<std::string> rawNames;
  std::vector<std::string> others;
  for (const FolderItem& item : items) {
    if (item.isFolder) continue;
    if (RawFormatOfPath(item.name, codePage) != nullptr) {
      rawNames.push_back(item.name);
    } else if (!item.isLink) {
      others.push_back(item.name);
    }
  }
  if (rawNames.empty()) return contents;
  std::vector<SettingsFolder> settings;
  ListSettingsFolders(folder, items, codePage, settings, contents);
  FolderCompanions found = FindCompanions(rawNames, others, settings, codePage);
  for (size_t raw = 0; raw < rawNames.size(); ++raw) {
    if (!found.ofRaw[raw].empty()) contents.companions.emplace(rawNames[raw], std::move(found.ofRaw[raw]));
  }
  contents.shared = std::move(found.shared);
  return contents;
}

std::vector<GroupMember> CompanionMembers(JobFolder& folder, FolderContents& contents, const std::string& rawName,
                                          const std::string& folderPath,
                                          std::vector<std::unique_ptr<JobFolder>>& held) {
  std::vector<GroupMember> members;
  auto found = contents.companions.find(rawName);
  if (found == contents.companions.end()) return members;
  for (const Companion& companion : found->second) {
    GroupMember member{&folder, &contents.names, folderPath + companion.folder, companion.name, companion.tail, {}};
    if (!companion.folder.empty()) {
      auto settings = contents.companionFolders.find(companion.folder);
      if (settings == contents.companionFolders.end()) continue;
      std::unique_ptr<JobFolder> below = folder.OpenFolderBelow(settings->second.entries);
      if (!below) continue;
      member.folder = below.get();
      held.push_back(std::move(below));
      member.names = &settings->second.names;
    }
    if (!member.folder->Identify(member.name, member.identity)) continue;
    members.push_back(std::move(member));
  }
  return members;
}

}  // namespace kirabo
