#include "pages/printer_page.h"

#include <cstring>

#include "config/text_buffer.h"
#include "resources/resource_ids.h"

namespace pages {
namespace {

struct FamilyControls {
  int radio;
  int list;
};

// In PrinterType order.
constexpr FamilyControls kFamilies[kPrinterTypeCount] = {
    {IDC_FAMILY_RECEIPT, IDC_MODELS_RECEIPT},
    {IDC_FAMILY_TICKET, IDC_MODELS_TICKET},
    {IDC_FAMILY_LABEL, IDC_MODELS_LABEL},
    {IDC_FAMILY_EMBEDDED, IDC_MODELS_EMBEDDED},
};

bool IsFamily(int family) {
  return family >= 0 && family < kPrinterTypeCount;
}

void DisableAllLists(ui::DialogView& view) {
  for (const FamilyControls& controls : kFamilies) {
    view.Enable(controls.list, false);
  }
}

}  // namespace

int FindDefaultModelEntry(const ui::DialogView& view, int list, const char* model) {
  const int exact = view.FindStringExact(list, ui::DialogView::kNoEntry, model);
  if (exact != ui::DialogView::kNoEntry) {
    return exact;
  }
  // After entry 0, so that the search begins with the second entry.
  return view.FindString(list, 0, model);
}

int PrinterPage::templateId() const {
  return IDD_PRINTER_PAGE;
}

void PrinterPage::OnInitDialog(ui::DialogView& view) {
  modelsAvailable_ = true;
  FillLists(view);
  PreselectDefaultModel(view);
}

void PrinterPage::FillLists(ui::DialogView& view) {
  const std::int32_t count = config_.ModelCount();
  for (std::int32_t n = 1; n <= count; ++n) {
    Text name{};
    const int family = config_.ModelEntry(static_cast<int>(n), name);
    if (IsFamily(family)) {
      view.AddString(kFamilies[family].list, name);
    }
  }
  bool anyModel = false;
  for (const FamilyControls& controls : kFamilies) {
    view.SetCurSel(controls.list, 0);
    view.Enable(controls.list, false);
    const bool hasModels = view.GetCount(controls.list) > 0;
    if (!hasModels) {
      view.Enable(controls.radio, false);
    }
    anyModel = anyModel || hasModels;
  }
  modelsAvailable_ = anyModel;
}

void PrinterPage::PreselectDefaultModel(ui::DialogView& view) {
  Text name{};
  const int family = config_.DefaultModel(name);
  if (!IsFamily(family)) {
    family_ = kNoFamily;
    return;
  }
  for (int other = 0; other < kPrinterTypeCount; ++other) {
    view.SetCheck(kFamilies[other].radio, other == family);
  }
  const int list = kFamilies[family].list;
  view.SetCurSel(list, FindDefaultModelEntry(view, list, name));
  CopySelectedModel(view, list);
  view.Enable(list, true);
  family_ = family;
}

void PrinterPage::OnCommand(ui::DialogView& view, ui::DialogView& /*frame*/, int id, int code) {
  for (int family = 0; family < kPrinterTypeCount; ++family) {
    if (id == kFamilies[family].radio && code == ui::kButtonClicked) {
      ChooseFamily(view, family);
      return;
    }
    if (id == kFamilies[family].list && code == ui::kSelectionChanged) {
      CopySelectedModel(view, id);
      return;
    }
  }
}

void PrinterPage::ChooseFamily(ui::DialogView& view, int family) {
  DisableAllLists(view);
  CopySelectedModel(view, kFamilies[family].list);
  view.Enable(kFamilies[family].list, true);
  family_ = family;
}

void PrinterPage::CopySelectedModel(ui::DialogView& view, int list) {
  const int selected = view.GetCurSel(list);
  std::memset(modelBuffer_, 0, sizeof(modelBuffer_));
  if (selected != ui::DialogView::kNoEntry) {
    config::CopyText(modelBuffer_, view.GetLBText(list, selected));
  }
}

bool PrinterPage::TakeValues(ui::DialogView& view) {
  setAsDefault_ = view.IsChecked(IDC_SET_DEFAULT);
  return true;
}

}  // namespace pages
