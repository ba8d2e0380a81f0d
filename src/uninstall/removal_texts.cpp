#include "uninstall/removal_texts.h"

#include "language/language.h"

namespace uninstall {
namespace {

struct Labels {
  const char* printers;
  const char* drivers;
  const char* records;
  const char* monitors;
  const char* processors;
  const char* files;
  const char* separator;  // between the names of one kind
};

constexpr Labels kShownChinese = {
    "打印机：", "打印机驱动：", "注册表记录：", "端口监视器：", "打印处理器：", "文件：", "、"};
constexpr Labels kShownEnglish = {"Printers: ",
                                  "Printer drivers: ",
                                  "Registry records: ",
                                  "Port monitors: ",
                                  "Print processors: ",
                                  "Files: ",
                                  ", "};
constexpr Labels kLogged = {"printers: ",         "drivers: ", "records: ", "port monitors: ",
                            "print processors: ", "files: ",   ", "};

std::vector<std::string> Lines(const RemovalList& list, const Labels& labels) {
  std::vector<std::string> lines;
  const auto add = [&](const char* label, const std::vector<std::string>& names) {
    if (names.empty()) {
      return;
    }
    std::string line = label;
    for (size_t i = 0; i < names.size(); ++i) {
      line += (i == 0 ? "" : labels.separator) + names[i];
    }
    lines.push_back(line);
  };
  add(labels.printers, list.printers);
  add(labels.drivers, list.drivers);
  add(labels.records, list.records);
  add(labels.monitors, list.monitors);
  add(labels.processors, list.processors);
  add(labels.files, list.files);
  return lines;
}

std::string Block(const char* heading, const RemovalList& list) {
  std::string text = heading;
  const Labels& shown =
      language::Current() == language::Language::kEnglish ? kShownEnglish : kShownChinese;
  for (const std::string& line : Lines(list, shown)) {
    text += "\n" + line;
  }
  return text;
}

}  // namespace

std::string RemovalQuestion(const std::string& model, const RemovalList& plan) {
  const std::string heading = language::Pick("将删除 ", "The following, installed by ") + model +
                              language::Pick(" 安装的以下内容：", ", will be removed:");
  return Block(heading.c_str(), plan) + language::Pick("\n\n是否继续？", "\n\nContinue?");
}

std::string RemovalReport(const std::string& model, const RemovalOutcome& outcome) {
  std::string text;
  if (!outcome.removed.empty()) {
    const std::string heading = language::Pick("已删除 ", "Removed what ") + model +
                                language::Pick(" 安装的以下内容：", " installed:");
    text = Block(heading.c_str(), outcome.removed);
  }
  if (!outcome.atRestart.empty()) {
    RemovalList files;
    files.files = outcome.atRestart;
    text +=
        (text.empty() ? "" : "\n\n") +
        Block(language::Pick("重新启动系统后删除：", "Removed when the system restarts:"), files);
  }
  if (!outcome.remaining.empty()) {
    text += (text.empty() ? "" : "\n\n") +
            Block(language::Pick("未能删除：", "Could not be removed:"), outcome.remaining);
  }
  return text;
}

std::string NothingInstalledMessage(const std::string& model) {
  return language::Pick("没有找到 ", "Nothing installed by ") + model +
         language::Pick(" 安装的内容，未做任何更改。", " was found; nothing was changed.");
}

std::string SurveyFailedMessage(const std::string& reason) {
  return language::Pick("无法读取系统中已安装的内容，未做任何更改。\n",
                        "Cannot read what is installed on the system; nothing was changed.\n") +
         reason;
}

std::vector<std::string> LogLines(const RemovalList& list) {
  return Lines(list, kLogged);
}

}  // namespace uninstall
