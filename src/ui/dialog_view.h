// What page logic may do to a dialog's controls, by control id. The Win32 dialog layer
// implements it over the real controls; tests use a fake that behaves like them.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// A label's own look: colours as Win32 COLORREF values (0x00BBGGRR), the font's character
// height in logical units and its face name.
struct LabelStyle {
  std::uint32_t textColor = 0;
  std::uint32_t backColor = 0;
  int fontHeight = 0;
  std::string fontFace;
};

class DialogView {
 public:
  // A drop-down's "no entry" (CB_ERR): no selection, nothing found, no such entry.
  static constexpr int kNoEntry = -1;

  virtual ~DialogView() = default;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void Show(int id, bool visible) = 0;
  virtual bool IsVisible(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetFocus(int id) = 0;

  // Drop-down lists, one operation per CB_ message. Indexes count from 0 in the list's own
  // order: a list created sorted (CBS_SORT) keeps its entries ordered without regard to case,
  // whatever the order they were added in, so callers must not assume an entry's index.
  // CB_RESETCONTENT: no entries, no selection.
  virtual void ResetContent(int id) = 0;
  // CB_ADDSTRING: at the end, or at its sorted place; returns the new entry's index.
  virtual int AddString(int id, const std::string& text) = 0;
  // CB_SETCURSEL: kNoEntry (or an index beyond the list) leaves no entry selected.
  virtual void SetCurSel(int id, int index) = 0;
  // CB_GETCURSEL: the selected entry, or kNoEntry.
  virtual int GetCurSel(int id) const = 0;
  // CB_GETCOUNT.
  virtual int GetCount(int id) const = 0;
  // CB_GETLBTEXT: the entry's text, "" when there is no such entry.
  virtual std::string GetLBText(int id, int index) const = 0;
  // CB_FINDSTRINGEXACT: the first entry after `after` (kNoEntry: from the first), wrapping
  // round, whose whole text equals `text` without regard to case; kNoEntry when none does.
  virtual int FindStringExact(int id, int after, const std::string& text) const = 0;
  // CB_FINDSTRING: as FindStringExact, but the entry need only begin with `text`.
  virtual int FindString(int id, int after, const std::string& text) const = 0;

  // A read-only rich-text view showing an RTF document.
  virtual void SetRichText(int id, const std::string& rtf) = 0;
  // The tooltip the page shows over a control.
  virtual void SetToolTip(int id, const std::string& text) = 0;
  // Gives a static text its own colours and font (the page's coloured labels).
  virtual void SetLabelStyle(int id, const LabelStyle& style) = 0;
};

}  // namespace ui
