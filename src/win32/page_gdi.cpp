#include "win32/page_gdi.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/platform/win32/wide_text.h"
#include "print/text_metrics.h"

namespace noemie::win32 {
namespace {

COLORREF colour_ref(const print::Colour& c) {
  return RGB(c.red, c.green, c.blue);
}

// Draws each kind of operation; owns the GDI objects it makes, and puts the device context's
// own ones back when it is done.
class GdiPainter {
 public:
  GdiPainter(HDC dc, double scale, POINT origin) : dc_(dc), scale_(scale), origin_(origin) {
    saved_ = SaveDC(dc_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
  ~GdiPainter() {
    RestoreDC(dc_, saved_);
    for (auto& [key, font] : fonts_) DeleteObject(font);
  }
  GdiPainter(const GdiPainter&) = delete;
  GdiPainter& operator=(const GdiPainter&) = delete;

  void operator()(const print::FilledRect& r) {
    const RECT box = {x(r.x), y(r.y), x(r.x + r.width), y(r.y + r.height)};
    HBRUSH brush = CreateSolidBrush(colour_ref(r.colour));
    FillRect(dc_, &box, brush);
    DeleteObject(brush);
  }

  void operator()(const print::Line& l) {
    LOGBRUSH brush = {BS_SOLID, RGB(l.grey, l.grey, l.grey), 0};
    const DWORD width = static_cast<DWORD>(std::max(1L, std::lround(l.width * scale_)));
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, width, &brush, 0, nullptr);
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, x(l.x1), y(l.y1), nullptr);
    LineTo(dc_, x(l.x2), y(l.y2));
    SelectObject(dc_, old);
    DeleteObject(pen);
  }

  void operator()(const print::FilledDisc& d) {
    HBRUSH brush = CreateSolidBrush(colour_ref(d.colour));
    HGDIOBJ old_brush = SelectObject(dc_, brush);
    HGDIOBJ old_pen = SelectObject(dc_, GetStockObject(NULL_PEN));
    Ellipse(dc_, x(d.centre_x - d.radius), y(d.centre_y - d.radius), x(d.centre_x + d.radius) + 1,
            y(d.centre_y + d.radius) + 1);
    SelectObject(dc_, old_pen);
    SelectObject(dc_, old_brush);
    DeleteObject(brush);
  }

  void operator()(const print::TextRun& t) {
    const std::wstring wide = platform::win32::cp1252_to_wide(t.text);
    if (wide.empty()) return;
    // Each character where the layout's widths put it, whatever the font's own advances.
    std::vector<INT> advances(wide.size());
    double at = t.x;
    int left = x(at);
    for (std::size_t i = 0; i < wide.size() && i < t.text.size(); ++i) {
      at += print::text_width(std::string_view(&t.text[i], 1), t.weight, t.size);
      const int right = x(at);
      advances[i] = right - left;
      left = right;
    }
    SelectObject(dc_, font(t.size, t.weight));
    ExtTextOutW(dc_, x(t.x), y(t.baseline), 0, nullptr, wide.c_str(),
                static_cast<UINT>(wide.size()), advances.data());
  }

 private:
  int x(double points) const { return origin_.x + static_cast<int>(std::lround(points * scale_)); }
  int y(double points) const { return origin_.y + static_cast<int>(std::lround(points * scale_)); }

  HFONT font(double size, print::Weight weight) {
    const int height = -std::max(1, static_cast<int>(std::lround(size * scale_)));
    const auto key = std::make_pair(height, weight);
    if (const auto it = fonts_.find(key); it != fonts_.end()) return it->second;
    HFONT made = CreateFontW(height, 0, 0, 0, weight == print::Weight::Bold ? FW_BOLD : FW_NORMAL,
                             FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
    fonts_.emplace(key, made);
    return made;
  }

  HDC dc_;
  double scale_;
  POINT origin_;
  int saved_ = 0;
  std::map<std::pair<int, print::Weight>, HFONT> fonts_;
};

}  // namespace

void draw_page(HDC dc, const print::Page& page, double scale, POINT origin) {
  GdiPainter painter(dc, scale, origin);
  for (const print::Operation& op : page.operations) std::visit(painter, op);
}

}  // namespace noemie::win32
