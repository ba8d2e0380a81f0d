// Walks the wizard's pages in memory with the choices of an answers file, as a person would
// click them, so that every rule of the pages applies unchanged. A choice the pages would not
// let a person make ends the walk with the reason.
#pragma once

#include <string>

#include "app/wizard_parts.h"
#include "ui/memory_dialog_view.h"
#include "unattended/answers_file.h"

namespace unattended {

class PageWalk final : public app::WizardHost {
 public:
  explicit PageWalk(app::WizardParts& parts);

  // From the first page to the port page with every choice made; false with the reason when
  // the pages refuse one. Finish is left to the caller.
  bool WalkToFinish(const Answers& answers, std::string& reason);
  // Presses Finish; true when the wizard was closed (with OK).
  bool Finish();

  // app::WizardHost
  ui::DialogView& frameView() override { return frame_; }
  ui::DialogView& pageView(int index) override { return pages_[index]; }
  void ShowPageWindow(int, bool) override {}
  void EndWizard(int result) override { endResult_ = result; }

 private:
  bool ChooseModel(const Answers& answers, std::string& reason);
  bool ChooseMode(const Answers& answers, std::string& reason);
  bool PassSystemPage(const Answers& answers, std::string& reason);
  bool ChoosePort(const Answers& answers, std::string& reason);
  bool ChooseLineSettings(const Answers& answers, std::string& reason);
  bool ChooseRaster(const Answers& answers, std::string& reason);
  // Picks the entry spelled exactly `text` in a list of the current page, as a person does.
  bool Pick(int page, int list, const std::string& key, const std::string& text,
            std::string& reason);
  void Click(int page, int id);
  void Next();

  app::WizardParts& parts_;
  ui::MemoryDialogView frame_;
  ui::MemoryDialogView pages_[5];
  int endResult_ = 0;
};

}  // namespace unattended
