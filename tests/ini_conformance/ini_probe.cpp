// Conformance probe for the profile reader. Built natively it asks the simulated Windows;
// built for Windows it asks the real GetPrivateProfileStringA. Both read the same corpus and
// questions and print one answer line per question, so that the two outputs can be compared.
//
// Usage: ini_probe <corpus folder> <questions file>
// Natively the corpus folder is a host path whose files are loaded into the simulated disk
// under C:\CORPUS; on Windows it is the folder's Windows path.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "probe_answer.h"
#include "question_list.h"

#ifdef _WIN32
#include "platform/win32/win32_profile_service.h"
#else
#include <filesystem>

#include "platform/sim/sim_file_tree.h"
#include "platform/sim/sim_profile_service.h"
#endif

namespace {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  std::ostringstream text;
  text << in.rdbuf();
  bytes = text.str();
  return true;
}

int AskAll(platform::ProfileService& profile, const std::string& folder,
           const std::vector<ini_conformance::Question>& questions) {
  for (const ini_conformance::Question& q : questions) {
    const std::string answer = ini_conformance::Ask(profile, q, folder + "\\" + q.file);
    std::printf("%s %s\n", q.id.c_str(), answer.c_str());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ini_probe <corpus folder> <questions file>\n");
    return 2;
  }
  std::string text, error;
  std::vector<ini_conformance::Question> questions;
  if (!ReadWholeFile(argv[2], text)) {
    std::fprintf(stderr, "ini_probe: cannot read %s\n", argv[2]);
    return 2;
  }
  if (!ini_conformance::ParseQuestions(text, questions, error)) {
    std::fprintf(stderr, "ini_probe: %s: %s\n", argv[2], error.c_str());
    return 2;
  }
#ifdef _WIN32
  // The answers depend on the ANSI code page, so the probe says which one it ran under.
  std::printf("reader=windows acp=%u\n", GetACP());
  platform::Win32ProfileService profile;
  return AskAll(profile, argv[1], questions);
#else
  platform::sim::SimFileTree disk;
  const std::string windowsDirectory = "C:\\WINDOWS";
  const std::string folder = "C:\\CORPUS";
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::string bytes;
    if (entry.is_regular_file() && ReadWholeFile(entry.path().string(), bytes)) {
      disk.WriteFile(folder + "\\" + entry.path().filename().string(), bytes);
    }
  }
  std::printf("reader=sim\n");
  // The bench's prefix reports Windows XP; the simulated reader answers as XP does.
  const OSVERSIONINFOA xp{sizeof(OSVERSIONINFOA), 5, 1, 2600, VER_PLATFORM_WIN32_NT, {}};
  platform::sim::SimProfileService profile(disk, windowsDirectory, xp);
  return AskAll(profile, folder, questions);
#endif
}
