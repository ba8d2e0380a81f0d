// A static text with its own text colour, background colour and font. The dialog that holds it
// hands it the control-colour request for it (WM_CTLCOLORSTATIC). The label owns its brush and
// font and deletes them when it is destroyed.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

class ColorLabel {
 public:
  explicit ColorLabel(HWND control);
  ColorLabel(const ColorLabel&) = delete;
  ColorLabel& operator=(const ColorLabel&) = delete;
  ~ColorLabel();

  HWND hwnd() const { return control_; }

  // Each takes effect at once; all but the background redraw the label.
  void SetTextColor(COLORREF color);
  void SetBackgroundColor(COLORREF color);
  void SetFontSize(int size);
  void SetFontFace(const std::string& face);

  // The answer to the control-colour request: font, text colour and a transparent background
  // set in the label's device context; the brush that paints its background.
  HBRUSH OnControlColor(HDC dc) const;

 private:
  void RemakeFont();
  void Redraw() const;

  HWND control_;
  COLORREF textColor_;
  HBRUSH background_;
  LOGFONTA fontDescription_{};
  HFONT font_ = nullptr;
};

}  // namespace ui::win32
