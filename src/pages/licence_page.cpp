#include "pages/licence_page.h"

#include "resources/resource_ids.h"

namespace pages {

int LicencePage::templateId() const {
  return IDD_LICENCE_PAGE;
}

void LicencePage::OnInitDialog(ui::DialogView& view) {
  view.SetRichText(IDC_LICENCE_TEXT, agreement_);
  view.SetCheck(IDC_LICENCE_DECLINE, true);
}

void LicencePage::OnCommand(ui::DialogView& /*view*/, ui::DialogView& frame, int id, int code) {
  if (code != ui::kButtonClicked) {
    return;
  }
  if (id == IDC_LICENCE_ACCEPT) {
    frame.Enable(IDC_NEXT_FINISH, true);
  } else if (id == IDC_LICENCE_DECLINE) {
    frame.Enable(IDC_NEXT_FINISH, false);
  }
}

}  // namespace pages
