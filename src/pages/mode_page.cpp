#include "pages/mode_page.h"

#include "messages/message_box.h"
#include "resources/resource_ids.h"

namespace pages {

int ModePage::templateId() const {
  return IDD_MODE_PAGE;
}

void ModePage::OnInitDialog(ui::DialogView& view) {
  installMode_ = kModeTypical;
  view.SetCheck(IDC_MODE_TYPICAL, true);
  view.SetText(IDC_MODE_DESCRIPTION, messages::LoadMessage(platform_, IDS_MODE_TYPICAL));
}

void ModePage::OnCommand(ui::DialogView& view, ui::DialogView& /*frame*/, int id, int code) {
  if (code != ui::kButtonClicked) {
    return;
  }
  if (id == IDC_MODE_TYPICAL) {
    ChooseTypical(view);
  } else if (id == IDC_MODE_ADVANCED) {
    ChooseAdvanced(view);
  }
}

void ModePage::AllowAdvanced(ui::DialogView& view, bool allowed) {
  view.Enable(IDC_MODE_ADVANCED, allowed);
  if (!allowed) {
    view.SetCheck(IDC_MODE_TYPICAL, true);
    // Radio buttons set by program do not clear their group, so Advanced is cleared here.
    view.SetCheck(IDC_MODE_ADVANCED, false);
    ChooseTypical(view);
  }
}

void ModePage::ChooseTypical(ui::DialogView& view) {
  view.SetText(IDC_MODE_DESCRIPTION, messages::LoadMessage(platform_, IDS_MODE_TYPICAL));
  view.Show(IDC_MODE_DESCRIPTION_MORE, false);
  view.Show(IDC_MODE_NOTE, false);
  installMode_ = kModeTypical;
}

void ModePage::ChooseAdvanced(ui::DialogView& view) {
  view.SetText(IDC_MODE_DESCRIPTION, messages::LoadMessage(platform_, IDS_MODE_ADVANCED));
  view.SetText(IDC_MODE_DESCRIPTION_MORE, messages::LoadMessage(platform_, IDS_MODE_ADVANCED_MORE));
  view.Show(IDC_MODE_DESCRIPTION_MORE, true);
  view.Show(IDC_MODE_NOTE, false);
  installMode_ = kModeAdvanced;
}

}  // namespace pages
