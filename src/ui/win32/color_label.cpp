#include "ui/win32/color_label.h"

#include <cstring>

namespace ui::win32 {

ColorLabel::ColorLabel(HWND control)
    : control_(control),
      textColor_(::GetSysColor(COLOR_WINDOWTEXT)),
      background_(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))) {
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(fontDescription_), &fontDescription_);
  RemakeFont();
}

ColorLabel::~ColorLabel() {
  if (font_ != nullptr) {
    // The control must not keep drawing with a deleted font.
    ::SendMessageA(control_, WM_SETFONT, 0, FALSE);
    ::DeleteObject(font_);
  }
  if (background_ != nullptr) {
    ::DeleteObject(background_);
  }
}

void ColorLabel::SetTextColor(COLORREF color) {
  textColor_ = color;
  Redraw();
}

void ColorLabel::SetBackgroundColor(COLORREF color) {
  HBRUSH old = background_;
  background_ = ::CreateSolidBrush(color);
  if (old != nullptr) {
    ::DeleteObject(old);
  }
}

void ColorLabel::SetFontSize(int size) {
  fontDescription_.lfHeight = -size;
  RemakeFont();
  Redraw();
}

void ColorLabel::SetFontFace(const std::string& face) {
  std::strncpy(fontDescription_.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  fontDescription_.lfFaceName[LF_FACESIZE - 1] = '\0';
  RemakeFont();
  Redraw();
}

HBRUSH ColorLabel::OnControlColor(HDC dc) const {
  if (font_ != nullptr) {
    ::SelectObject(dc, font_);
  }
  ::SetTextColor(dc, textColor_);
  ::SetBkMode(dc, TRANSPARENT);
  return background_;
}

void ColorLabel::RemakeFont() {
  HFONT old = font_;
  font_ = ::CreateFontIndirectA(&fontDescription_);
  // A static control draws with the font it was given, so it gets the label's font too.
  ::SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (old != nullptr) {
    ::DeleteObject(old);
  }
}

void ColorLabel::Redraw() const {
  ::RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace ui::win32
