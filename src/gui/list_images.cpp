#include "gui/list_images.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace noemie::gui {
namespace {

// Every picture is drawn in a 16 x 16 unit square; 1-unit strokes run along half units so
// that they fall on whole pixels at 16 and 32 pixels.
constexpr qreal kUnits = 16.0;

QColor rgb(unsigned v) {
  return QColor::fromRgb(v);
}

// A glyph as a filled outline, centred on `centre`, `height` units tall (cap height).
void draw_glyph(QPainter& p, const QString& text, QPointF centre, qreal height,
                const QColor& colour) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  font.setPixelSize(64);
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  const qreal scale = height / box.height();
  p.save();
  p.translate(centre.x() - box.center().x() * scale, centre.y() - box.center().y() * scale);
  p.scale(scale, scale);
  p.fillPath(path, colour);
  p.restore();
}

// A shaded ball of radius 6.5 centred in the square.
void draw_ball(QPainter& p, const QColor& base) {
  const QRectF r(1.5, 1.5, 13, 13);
  QRadialGradient g(QPointF(6.2, 5.6), 8.5, QPointF(5.6, 5.0));
  g.setColorAt(0.0, base.lighter(175));
  g.setColorAt(0.55, base);
  g.setColorAt(1.0, base.darker(150));
  p.setPen(QPen(base.darker(210), 1.0));
  p.setBrush(g);
  p.drawEllipse(r);
}

void draw_ball_highlight(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QRectF(4.2, 3.6, 3.6, 2.4));
}

void draw_split_ball(QPainter& p) {
  draw_ball(p, rgb(0xd8262b));
  // The lower-right half, cut along the diagonal, is yellow.
  QPainterPath half;
  half.moveTo(15, 1);
  half.lineTo(15, 15);
  half.lineTo(1, 15);
  half.closeSubpath();
  p.save();
  p.setClipPath(half);
  draw_ball(p, rgb(0xf4c20d));
  p.restore();
  p.setPen(QPen(rgb(0x5a3a10), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  draw_ball_highlight(p);
}

// A page with a folded top-right corner; with `torn`, its bottom edge is ragged.
void draw_page(QPainter& p, qreal left, qreal right, bool torn) {
  const qreal fold = 3.0;
  QPainterPath page;
  page.moveTo(left, 0.5);
  page.lineTo(right - fold, 0.5);
  page.lineTo(right, 0.5 + fold);
  if (torn) {
    page.lineTo(right, 13.0);
    const qreal step = (right - left) / 4.0;
    for (int i = 1; i <= 4; ++i) {
      page.lineTo(right - step * (i - 0.5), i % 2 ? 15.0 : 13.0);
      page.lineTo(right - step * i, i % 2 ? 13.0 : 15.0);
    }
  } else {
    page.lineTo(right, 15.5);
    page.lineTo(left, 15.5);
  }
  page.closeSubpath();
  QLinearGradient g(0, 0, 0, 16);
  g.setColorAt(0, Qt::white);
  g.setColorAt(1, rgb(0xe4e8ee));
  p.setPen(QPen(rgb(0x6b717a), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(g);
  p.drawPath(page);
  QPainterPath corner;
  corner.moveTo(right - fold, 0.5);
  corner.lineTo(right - fold, 0.5 + fold);
  corner.lineTo(right, 0.5 + fold);
  p.setBrush(rgb(0xc9ced6));
  p.drawPath(corner);
}

void draw_text_lines(QPainter& p, qreal left, qreal right, std::initializer_list<qreal> ys) {
  p.setPen(QPen(rgb(0xa3aab5), 1.0));
  for (qreal y : ys) p.drawLine(QPointF(left, y), QPointF(right, y));
}

void draw_question(QPainter& p) {
  QLinearGradient g(0, 1, 0, 15);
  g.setColorAt(0, rgb(0x6fa8ea));
  g.setColorAt(1, rgb(0x2456a8));
  p.setPen(QPen(rgb(0x1b3f7c), 1.0));
  p.setBrush(g);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  draw_glyph(p, QStringLiteral("?"), QPointF(8, 8), 9.0, Qt::white);
}

void draw_banknote(QPainter& p) {
  // A second note peeks out behind the first.
  p.setPen(QPen(rgb(0x2f6b2a), 1.0));
  p.setBrush(rgb(0x8fc67f));
  p.drawRect(QRectF(2.5, 2.5, 13, 8));
  QLinearGradient g(0, 5, 0, 14);
  g.setColorAt(0, rgb(0xd3efc6));
  g.setColorAt(1, rgb(0x9fd18c));
  p.setBrush(g);
  p.drawRect(QRectF(0.5, 5.5, 13, 8));
  p.setPen(QPen(rgb(0x5d9a52), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(2.5, 7.5, 9, 4));
  p.setPen(QPen(rgb(0x2f6b2a), 1.0));
  p.setBrush(rgb(0xf2fbe9));
  p.drawEllipse(QRectF(5.0, 7.0, 4, 5));
}

void draw_warning(QPainter& p) {
  QPainterPath tri;
  tri.moveTo(8, 1.0);
  tri.lineTo(15.2, 14.5);
  tri.lineTo(0.8, 14.5);
  tri.closeSubpath();
  QLinearGradient g(0, 1, 0, 15);
  g.setColorAt(0, rgb(0xffe680));
  g.setColorAt(1, rgb(0xf2b807));
  p.setPen(QPen(rgb(0x7a5a00), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(g);
  p.drawPath(tri);
  p.setPen(Qt::NoPen);
  p.setBrush(rgb(0x202020));
  p.drawRoundedRect(QRectF(7.1, 5.0, 1.8, 5.6), 0.8, 0.8);
  p.drawEllipse(QRectF(7.05, 11.3, 1.9, 1.9));
}

void draw_letter(QPainter& p, const QString& letter, const QColor& top, const QColor& bottom) {
  QLinearGradient g(0, 1, 0, 15);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(QPen(bottom.darker(150), 1.0));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
  draw_glyph(p, letter, QPointF(8, 8), 8.0, Qt::white);
}

void draw_ticked_page(QPainter& p) {
  draw_page(p, 1.5, 11.5, false);
  draw_text_lines(p, 3.5, 8.5, {4.5, 6.5});
  // A dark halo under the tick keeps it readable over the page.
  QPainterPath tick;
  tick.moveTo(5.0, 9.5);
  tick.lineTo(8.0, 12.8);
  tick.lineTo(14.6, 4.6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 230), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
  p.setPen(QPen(rgb(0x1e9a36), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
}

void draw_torn_page_key(QPainter& p) {
  draw_page(p, 1.5, 12.5, true);
  draw_text_lines(p, 3.5, 9.5, {4.5, 6.5});
  // The key lies across the page: a ring at the lower left, the blade towards the upper right.
  const QColor gold = rgb(0xe0a800);
  const QColor edge = rgb(0x6e4f00);
  p.setPen(QPen(edge, 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.6, 10.4), QPointF(14.2, 2.8));
  p.drawLine(QPointF(12.6, 4.4), QPointF(14.3, 6.1));
  p.drawLine(QPointF(10.8, 6.2), QPointF(12.2, 7.6));
  p.setPen(QPen(gold, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6.6, 10.4), QPointF(14.2, 2.8));
  p.drawLine(QPointF(12.6, 4.4), QPointF(14.3, 6.1));
  p.drawLine(QPointF(10.8, 6.2), QPointF(12.2, 7.6));
  p.setPen(QPen(edge, 1.0));
  p.setBrush(gold);
  p.drawEllipse(QRectF(1.5, 8.5, 6, 6));
  p.setBrush(rgb(0xfff3c4));
  p.drawEllipse(QRectF(3.5, 10.5, 2, 2));
}

void draw_pen_ink_blot(QPainter& p) {
  QPainterPath blot;
  blot.addEllipse(QRectF(0.5, 9.0, 10.5, 6.0));
  blot.addEllipse(QRectF(7.5, 12.0, 4.5, 3.5));
  blot.addEllipse(QRectF(11.8, 13.0, 2.2, 2.2));
  blot.addEllipse(QRectF(1.0, 7.2, 2.0, 2.0));
  blot.setFillRule(Qt::WindingFill);
  p.setPen(Qt::NoPen);
  p.setBrush(rgb(0x1c2d6e));
  p.drawPath(blot.simplified());
  // The pen, at 45 degrees, its nib touching the blot.
  p.save();
  p.translate(9.0, 7.0);
  p.rotate(-45);
  const QColor edge = rgb(0x3a1a10);
  p.setPen(QPen(edge, 0.8));
  p.setBrush(rgb(0xc8c8cc));
  QPainterPath nib;
  nib.moveTo(-4.5, -1.7);
  nib.lineTo(-8.2, 0);
  nib.lineTo(-4.5, 1.7);
  nib.closeSubpath();
  p.drawPath(nib);
  QLinearGradient body(0, -1.7, 0, 1.7);
  body.setColorAt(0, rgb(0xe8613a));
  body.setColorAt(1, rgb(0x9c2f14));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(-4.5, -1.7, 9.5, 3.4), 0.6, 0.6);
  p.setBrush(rgb(0x2b2b2b));
  p.drawRoundedRect(QRectF(5.0, -1.7, 2.2, 3.4), 0.8, 0.8);
  p.restore();
}

void draw_filing_cabinet(QPainter& p) {
  QLinearGradient g(2, 0, 14, 0);
  g.setColorAt(0, rgb(0xdadde2));
  g.setColorAt(1, rgb(0x9aa0a8));
  p.setPen(QPen(rgb(0x454a52), 1.0));
  p.setBrush(g);
  p.drawRect(QRectF(2.5, 0.5, 11, 15));
  p.setBrush(rgb(0xeef0f3));
  for (int i = 0; i < 3; ++i) {
    const qreal top = 2.5 + 4.5 * i;
    p.setPen(QPen(rgb(0x5b616a), 1.0));
    p.drawRect(QRectF(4.5, top, 7, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(rgb(0x30343a));
    p.drawRect(QRectF(6.5, top + 1.2, 3, 1));
    p.setBrush(rgb(0xeef0f3));
  }
}

void draw_skull(QPainter& p) {
  const QColor bone = rgb(0xf3efe2);
  const QColor edge = rgb(0x2e2a26);
  // Crossed bones behind the skull.
  const QLineF bones[] = {QLineF(2.2, 9.6, 13.8, 14.6), QLineF(13.8, 9.6, 2.2, 14.6)};
  p.setPen(QPen(edge, 3.4, Qt::SolidLine, Qt::RoundCap));
  for (const QLineF& b : bones) p.drawLine(b);
  p.setPen(QPen(bone, 1.8, Qt::SolidLine, Qt::RoundCap));
  for (const QLineF& b : bones) p.drawLine(b);
  // Cranium and jaw as one outline.
  QPainterPath head;
  head.addEllipse(QRectF(3.0, 0.8, 10.0, 9.4));
  head.addRoundedRect(QRectF(5.3, 7.0, 5.4, 4.6), 1.2, 1.2);
  p.setPen(QPen(edge, 1.0));
  p.setBrush(bone);
  p.drawPath(head.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(edge);
  p.drawEllipse(QRectF(4.6, 4.2, 2.8, 2.9));
  p.drawEllipse(QRectF(8.6, 4.2, 2.8, 2.9));
  QPainterPath nose;
  nose.moveTo(8.0, 7.2);
  nose.lineTo(8.9, 8.6);
  nose.lineTo(7.1, 8.6);
  nose.closeSubpath();
  p.drawPath(nose);
  p.setPen(QPen(edge, 0.8));
  p.drawLine(QPointF(7.0, 10.2), QPointF(7.0, 11.4));
  p.drawLine(QPointF(9.0, 10.2), QPointF(9.0, 11.4));
}

void draw_image(QPainter& p, int index) {
  switch (index) {
    case kImageQuestion:
      return draw_question(p);
    case kImageBanknote:
      return draw_banknote(p);
    case kImageWarning:
      return draw_warning(p);
    case kImageLetterR:
      return draw_letter(p, QStringLiteral("R"), rgb(0xe8645a), rgb(0xb0261d));
    case kImageLetterA:
      return draw_letter(p, QStringLiteral("A"), rgb(0x5b9be0), rgb(0x22579e));
    case kImageTickedPage:
      return draw_ticked_page(p);
    case kImageRedBall:
      draw_ball(p, rgb(0xd8262b));
      return draw_ball_highlight(p);
    case kImageGreenBall:
      draw_ball(p, rgb(0x23a334));
      return draw_ball_highlight(p);
    case kImageRedYellowBall:
      return draw_split_ball(p);
    case kImageTornPageKey:
      return draw_torn_page_key(p);
    case kImagePenInkBlot:
      return draw_pen_ink_blot(p);
    case kImageFilingCabinet:
      return draw_filing_cabinet(p);
    case kImageLightGreenBall:
      draw_ball(p, rgb(0x8fe27a));
      return draw_ball_highlight(p);
    case kImageSkull:
      return draw_skull(p);
    default:
      return;
  }
}

bool has_picture(int index) {
  return index >= kImageQuestion && index <= kImageSkull;
}

QPixmap blank_square(int device_pixels) {
  QPixmap pm(device_pixels, device_pixels);
  pm.fill(Qt::transparent);
  return pm;
}

// The window icon in a 32-unit square: a blue tile holding a small list with state balls.
void draw_window_picture(QPainter& p) {
  QLinearGradient tile(0, 1, 0, 31);
  tile.setColorAt(0, rgb(0x4a8ee6));
  tile.setColorAt(1, rgb(0x1d4c98));
  p.setPen(QPen(rgb(0x163a73), 1.0));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5.5, 5.5);
  p.setPen(QPen(rgb(0x9db3d3), 1.0));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(5.5, 5.5, 21, 21), 1.5, 1.5);
  const QColor balls[] = {rgb(0x23a334), rgb(0xd8262b), rgb(0x23a334)};
  for (int i = 0; i < 3; ++i) {
    const qreal y = 11.0 + 5.5 * i;
    p.setPen(QPen(balls[i].darker(160), 1.0));
    p.setBrush(balls[i]);
    p.drawEllipse(QPointF(10.5, y), 2.2, 2.2);
    p.setPen(QPen(rgb(0x6d7886), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.0, y), QPointF(i == 1 ? 19.5 : 22.5, y));
  }
}

}  // namespace

QPixmap draw_list_image(int index, int device_pixels) {
  QPixmap pm = blank_square(device_pixels);
  if (!has_picture(index)) return pm;
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(device_pixels / kUnits, device_pixels / kUnits);
  draw_image(p, index);
  return pm;
}

QPixmap draw_window_icon(int device_pixels) {
  QPixmap pm = blank_square(device_pixels);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(device_pixels / 32.0, device_pixels / 32.0);
  draw_window_picture(p);
  return pm;
}

QIcon window_icon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(draw_window_icon(size));
  return icon;
}

const QIcon& ImageStrip::icon(int index) const {
  if (index < 0 || index >= kImageCount) return none_;
  const auto i = static_cast<std::size_t>(index);
  if (!drawn_[i]) {
    drawn_[i] = true;
    if (has_picture(index)) {
      for (int size : {16, 24, 32, 48}) icons_[i].addPixmap(draw_list_image(index, size));
    }
  }
  return icons_[i];
}

}  // namespace noemie::gui
