#include "pkgcheck/package_files.h"

#include <algorithm>
#include <map>
#include <set>

#include "install/package_files.h"
#include "pkgcheck/dropped_models.h"
#include "platform/sim/name_case.h"

namespace pkgcheck {
namespace {

// The package file as the installation opens it: current folder + system folder + name.
bool PresentAsInstalled(CheckContext& context, int targetOs, const std::string& name) {
  char current[install::kPathSize] = {};
  context.platform.files.GetCurrentDirectoryA(install::kPathSize, current);
  const std::string path = std::string(current) + install::PackageFolder(targetOs) + name;
  const HANDLE file = context.platform.files.CreateFileA(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  context.platform.files.CloseHandle(file);
  return true;
}

// The other per-system folders that hold the file, for the hint.
std::string ElsewhereHint(const CheckContext& context, int targetOs, const std::string& name) {
  std::set<std::string> folders;
  for (const int os : {kTargetWin98Me, kTargetWinXp, kTargetServer2003}) {
    const auto& listing = context.systemFolders[os];
    if (SystemFolder(os) == SystemFolder(targetOs) || !listing) {
      continue;
    }
    for (const std::string& entry : *listing) {
      if (platform::sim::EqualsIgnoringCase(entry, name)) {
        folders.insert(SystemFolder(os));
      }
    }
  }
  return folders.empty() ? ""
                         : "; it is in " + *folders.begin() + ", but " + SystemName(targetOs) +
                               " takes its files from " + SystemFolder(targetOs);
}

struct UsesOfFile {
  int targetOs;
  std::string name;
  std::vector<const FileUse*> uses;
};

void ReportMissing(CheckContext& context, const UsesOfFile& file) {
  Severity severity = Severity::kNote;
  for (const FileUse* use : file.uses) {
    severity = std::max(severity, use->ifMissing);
  }
  const FileUse& first = *file.uses.front();
  const std::size_t others = file.uses.size() - 1;
  context.Add(severity, first.where, "file-missing",
              SystemFolder(file.targetOs) + "\\" + file.name + " is missing (" + first.purpose +
                  (others > 0 ? "; named " + std::to_string(others) + " more time" +
                                    (others == 1 ? "" : "s")
                              : std::string()) +
                  ")" + ElsewhereHint(context, file.targetOs, file.name));
}

// Files no entry names: a name beginning with 0 cannot be named at all.
void CheckUnnamedFiles(CheckContext& context, const std::map<std::string, UsesOfFile>& used) {
  // An INI file that cannot be read may name any file: its finding says so, once.
  const bool anyUnreadable = std::any_of(std::begin(context.unreadable),
                                         std::end(context.unreadable), [](bool b) { return b; });
  const std::map<std::string, DroppedModels*> byDropped = NamedByDroppedModels(context);
  std::set<std::string> listed;
  for (const int os : {kTargetWin98Me, kTargetWinXp, kTargetServer2003}) {
    const std::string folder = SystemFolder(os);
    const auto& listing = context.systemFolders[os];
    if (!listing || !listed.insert(folder).second) {
      continue;
    }
    for (const std::string& entry : *listing) {
      const Where where{folder + "/" + entry, 0, "", ""};
      auto& zeros = context.zeroFileNames;
      const auto named = std::find_if(zeros.begin(), zeros.end(), [&](const ZeroFileName& z) {
        return platform::sim::EqualsIgnoringCase(z.name, entry);
      });
      if (named != zeros.end()) {
        named->files.push_back(where.file);  // said with the key that names it
      } else if (entry[0] == '0') {
        context.Add(Severity::kWarning, where, "file-name-zero",
                    "a file name beginning with the digit 0 cannot be named: Setup.exe takes such "
                    "a value for \"no file\"");
      } else if (context.modelListUnknown || anyUnreadable ||
                 used.count(folder + "\\" + platform::sim::UpperCase(entry)) != 0) {
        continue;
      } else if (const auto dropped = byDropped.find(platform::sim::UpperCase(entry));
                 dropped != byDropped.end()) {
        ++dropped->second->files;  // counted into the cause that drops its model
      } else {
        context.Add(Severity::kNote, where, "file-unused", "named by no entry of the INI files");
      }
    }
  }
}

// One finding per file name beginning with 0, at the first key that names it.
void ReportZeroFileNames(CheckContext& context) {
  for (const ZeroFileName& zero : context.zeroFileNames) {
    std::string where = "rename it here";
    if (zero.otherKeys > 0) {
      where += std::string(zero.files.empty() ? " and" : ",") + " in the " +
               std::to_string(zero.otherKeys) + " other key" + (zero.otherKeys == 1 ? "" : "s") +
               " that name it";
    }
    for (std::size_t i = 0; i < zero.files.size(); ++i) {
      where += (i == 0 ? " and the file" + std::string(zero.files.size() > 1 ? "s " : " ")
                : i + 1 == zero.files.size() ? " and "
                                             : ", ") +
               zero.files[i];
    }
    context.Add(Severity::kError, zero.first, "file-name-zero",
                "\"" + zero.name +
                    "\" begins with the digit 0, which Setup.exe takes for \"no file\": " + where);
  }
}

}  // namespace

void ListSystemFolders(CheckContext& context) {
  for (int os = 0; os < kTargetOsCount; ++os) {
    context.systemFolders[os] = context.folder.List(SystemFolder(os));
  }
}

void CheckPackageFiles(CheckContext& context) {
  std::map<std::string, UsesOfFile> used;  // folder \ upper-case name
  for (const FileUse& use : context.fileUses) {
    const std::string key = SystemFolder(use.targetOs) + "\\" + platform::sim::UpperCase(use.name);
    used.emplace(key, UsesOfFile{use.targetOs, use.name, {}}).first->second.uses.push_back(&use);
  }
  std::set<std::string> missingFolders;
  for (const auto& [key, file] : used) {
    const std::string folder = SystemFolder(file.targetOs);
    if (!context.systemFolders[file.targetOs]) {
      if (missingFolders.insert(folder).second) {
        context.Add(Severity::kError, Where{folder + "/", 0, "", ""}, "folder-missing",
                    "missing: it holds the files for " +
                        std::string(folder == "winnt" ? "Windows NT 4, 2000 and XP"
                                                      : SystemName(file.targetOs)));
      }
      continue;
    }
    if (!PresentAsInstalled(context, file.targetOs, file.name)) {
      ReportMissing(context, file);
    }
  }
  CheckUnnamedFiles(context, used);
  ReportZeroFileNames(context);
}

}  // namespace pkgcheck
