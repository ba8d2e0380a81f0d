#include "app/page_walk.h"

#include "config/model_entry.h"
#include "resources/resource_ids.h"

namespace unattended {
namespace {

constexpr int kFamilyRadios[kPrinterTypeCount] = {IDC_FAMILY_RECEIPT, IDC_FAMILY_TICKET,
                                                  IDC_FAMILY_LABEL, IDC_FAMILY_EMBEDDED};
constexpr int kFamilyLists[kPrinterTypeCount] = {IDC_MODELS_RECEIPT, IDC_MODELS_TICKET,
                                                 IDC_MODELS_LABEL, IDC_MODELS_EMBEDDED};

std::string Entries(const ui::DialogView& view, int list) {
  std::string joined;
  for (int i = 0; i < view.GetCount(list); ++i) {
    joined += (i == 0 ? "" : ", ") + view.GetLBText(list, i);
  }
  return joined.empty() ? "nothing" : joined;
}

}  // namespace

PageWalk::PageWalk(app::WizardParts& parts) : parts_(parts) {
  frame_.Enable(IDC_BACK, false);
  frame_.Enable(IDC_NEXT_FINISH, false);
  pages_[app::kPortPageIndex].SetSorted(IDC_PORT_LIST);
  pages_[app::kPortPageIndex].Enable(IDC_RASTER_CHECK, false);
  pages_[app::kPortPageIndex].Show(IDC_USB_HINT, false);
}

bool PageWalk::WalkToFinish(const Answers& answers, std::string& reason) {
  for (int i = 0; i < parts_.wizard.pageCount(); ++i) {
    parts_.wizard.page(i).OnInitDialog(pages_[i]);
  }
  parts_.wizard.OnInitDialog(*this);
  Click(app::kLicencePageIndex, IDC_LICENCE_ACCEPT);
  Next();
  return ChooseModel(answers, reason) && ChooseMode(answers, reason) &&
         PassSystemPage(answers, reason) && ChoosePort(answers, reason) &&
         ChooseLineSettings(answers, reason) && ChooseRaster(answers, reason);
}

bool PageWalk::Finish() {
  parts_.wizard.OnNextOrFinish(*this);
  return endResult_ == app::kWizardOk;
}

bool PageWalk::ChooseModel(const Answers& answers, std::string& reason) {
  const int n = config::FindModelEntry(parts_.modelList, answers.model);
  Text name{};
  const int family = n > 0 ? parts_.modelList.ModelEntry(n, name) : -1;
  if (family < 0) {
    reason = "Model=" + answers.model + " is not an entry of setup.ini [DEVICENAME] with a " +
             "family suffix";
    return false;
  }
  ui::MemoryDialogView& view = pages_[app::kPrinterPageIndex];
  Click(app::kPrinterPageIndex, kFamilyRadios[family]);
  if (!Pick(app::kPrinterPageIndex, kFamilyLists[family], "Model", name, reason)) {
    return false;
  }
  view.SetCheck(IDC_SET_DEFAULT, answers.setAsDefault);
  if (!frame_.IsEnabled(IDC_NEXT_FINISH)) {
    reason = "the printer page does not let the wizard go on";
    return false;
  }
  Next();
  return true;
}

bool PageWalk::ChooseMode(const Answers& answers, std::string& reason) {
  if (answers.installMode == kModeAdvanced) {
    if (!pages_[app::kModePageIndex].IsEnabled(IDC_MODE_ADVANCED)) {
      reason = "Mode=Advanced: " + answers.model + " offers the Typical mode only";
      return false;
    }
    pages_[app::kModePageIndex].SetCheck(IDC_MODE_TYPICAL, false);
    pages_[app::kModePageIndex].SetCheck(IDC_MODE_ADVANCED, true);
    Click(app::kModePageIndex, IDC_MODE_ADVANCED);
  }
  Next();
  return true;
}

// The system page refuses only Windows Server 2003 for a model that does not support it.
bool PageWalk::PassSystemPage(const Answers& answers, std::string& reason) {
  Next();
  if (parts_.wizard.currentPage() != app::kPortPageIndex) {
    reason = "Model=" + answers.model + " cannot be installed on Windows Server 2003";
    return false;
  }
  return true;
}

bool PageWalk::ChoosePort(const Answers& answers, std::string& reason) {
  if (!answers.port) {
    return true;  // the port the page preselected
  }
  return Pick(app::kPortPageIndex, IDC_PORT_LIST, "Port", *answers.port, reason);
}

bool PageWalk::ChooseLineSettings(const Answers& answers, std::string& reason) {
  const struct {
    const char* key;
    const std::optional<std::string>& value;
    int list;
  } settings[] = {{"BaudRate", answers.baudRate, IDC_BAUD_LIST},
                  {"DataBits", answers.dataBits, IDC_DATA_BITS_LIST},
                  {"Parity", answers.parity, IDC_PARITY_LIST},
                  {"StopBits", answers.stopBits, IDC_STOP_BITS_LIST},
                  {"FlowControl", answers.flowControl, IDC_FLOW_CONTROL_LIST}};
  ui::MemoryDialogView& view = pages_[app::kPortPageIndex];
  for (const auto& setting : settings) {
    if (!setting.value) {
      continue;
    }
    const std::string shown = view.GetLBText(setting.list, view.GetCurSel(setting.list));
    if (!view.IsEnabled(setting.list) && *setting.value != shown) {
      reason = std::string(setting.key) + "=" + *setting.value + ": the serial settings " +
               "cannot be changed for the port " + parts_.port.portBuffer();
      return false;
    }
    if (view.IsEnabled(setting.list) &&
        !Pick(app::kPortPageIndex, setting.list, setting.key, *setting.value, reason)) {
      return false;
    }
  }
  return true;
}

bool PageWalk::ChooseRaster(const Answers& answers, std::string& reason) {
  if (!answers.raster) {
    return true;
  }
  ui::MemoryDialogView& view = pages_[app::kPortPageIndex];
  if (!view.IsVisible(IDC_RASTER_CHECK) || !view.IsEnabled(IDC_RASTER_CHECK)) {
    reason = "Raster is offered only in the Advanced mode, for a parallel or USB port";
    return false;
  }
  view.SetCheck(IDC_RASTER_CHECK, *answers.raster);
  return true;
}

bool PageWalk::Pick(int page, int list, const std::string& key, const std::string& text,
                    std::string& reason) {
  ui::MemoryDialogView& view = pages_[page];
  for (int i = 0; i < view.GetCount(list); ++i) {
    if (view.GetLBText(list, i) == text) {
      view.SetCurSel(list, i);
      parts_.wizard.page(page).OnCommand(view, frame_, list, ui::kSelectionChanged);
      return true;
    }
  }
  reason = key + "=" + text + " is not offered; the list holds " + Entries(view, list);
  return false;
}

void PageWalk::Click(int page, int id) {
  parts_.wizard.page(page).OnCommand(pages_[page], frame_, id, ui::kButtonClicked);
}

void PageWalk::Next() {
  parts_.wizard.OnNextOrFinish(*this);
}

}  // namespace unattended
