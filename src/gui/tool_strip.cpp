#include "gui/tool_strip.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QVBoxLayout>

#include <cmath>

#include "gui/text_bridge.h"
#include "gui/viewer_controls.h"

namespace noemie::gui {
namespace {

// Texts of the controls, Windows-1252.
constexpr const char* kMaskTitle = "RSP   ARL/ARX";
constexpr const char* kMaskTitleLeft = "RSP";
constexpr const char* kMaskTitleRightLead = "RSP   ";
constexpr const char* kMaskTitleRight = "ARL/ARX";

template <typename T>
T* named(T* widget, int id) {
  widget->setObjectName(control_name(id));
  return widget;
}

QCheckBox* make_box(int id, const char* text, QWidget* parent) {
  auto* box = named(new QCheckBox(to_qstring(text), parent), id);
  // A hidden box keeps its place, so that the group keeps its two rows.
  QSizePolicy policy = box->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  box->setSizePolicy(policy);
  return box;
}

QRadioButton* make_radio(int id, const char* text, QButtonGroup* group, int filter,
                         QWidget* parent) {
  auto* radio = named(new QRadioButton(to_qstring(text), parent), id);
  group->addButton(radio, filter);
  return radio;
}

QGridLayout* two_row_grid(QWidget* parent) {
  auto* grid = new QGridLayout(parent);
  grid->setAlignment(Qt::AlignVCenter);
  return grid;
}

}  // namespace

ToolStrip::ToolStrip(QWidget* parent) : QFrame(parent) {
  setObjectName(control_name(kIdToolFrame));
  setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 4, 6, 6);
  row->setSpacing(6);
  row->addWidget(make_mask_group());
  row->addWidget(make_kind_group());
  row->addWidget(make_age_group());
  row->addWidget(make_options());
  row->addWidget(make_mark_group());
}

QGroupBox* ToolStrip::make_mask_group() {
  mask_group_ = named(new QGroupBox(to_qstring(kMaskTitle), this), kIdMaskGroup);
  mask_rsp_ = make_box(kIdMaskRsp, "", mask_group_);
  mask_hidden_ = make_box(kIdMaskHidden, "", mask_group_);
  mask_arl_ = make_box(kIdMaskArl, "Quorvet", mask_group_);
  mask_archives_ = make_box(kIdMaskArchives, "Archives", mask_group_);
  auto* grid = two_row_grid(mask_group_);
  grid->addWidget(mask_rsp_, 0, 0, Qt::AlignLeft);
  grid->addWidget(mask_arl_, 0, 1, Qt::AlignLeft);
  grid->addWidget(mask_hidden_, 1, 0, Qt::AlignLeft);
  grid->addWidget(mask_archives_, 1, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  return mask_group_;
}

QGroupBox* ToolStrip::make_kind_group() {
  kind_group_ = named(new QGroupBox(to_qstring("R\xE9"
                                               "f\xE9rence"),
                                    this),
                      kIdKindGroup);
  kind_buttons_ = new QButtonGroup(this);
  auto* grid = two_row_grid(kind_group_);
  grid->addWidget(make_radio(kIdKindAll, "Toutes", kind_buttons_, 0, kind_group_), 0, 0);
  grid->addWidget(make_radio(kIdKindPayments, "Paiements", kind_buttons_, 1, kind_group_), 0, 1);
  grid->addWidget(make_radio(kIdKindOthers, "Autres", kind_buttons_, 3, kind_group_), 1, 0);
  grid->addWidget(make_radio(kIdKindRejections, "Rejets", kind_buttons_, 2, kind_group_), 1, 1);
  return kind_group_;
}

QGroupBox* ToolStrip::make_age_group() {
  auto* group = named(new QGroupBox(to_qstring("Depuis"), this), kIdAgeGroup);
  age_buttons_ = new QButtonGroup(this);
  auto* grid = two_row_grid(group);
  grid->addWidget(make_radio(kIdAgeToday, "Aujourd'hui", age_buttons_, 3, group), 0, 0);
  grid->addWidget(make_radio(kIdAgeMonth, "1 mois", age_buttons_, 1, group), 0, 1);
  grid->addWidget(make_radio(kIdAgeWeek, "7 jours", age_buttons_, 2, group), 1, 0);
  grid->addWidget(make_radio(kIdAgeAlways, "Toujours", age_buttons_, 0, group), 1, 1);
  return group;
}

QWidget* ToolStrip::make_options() {
  options_ = new QWidget(this);
  always_on_top_ = make_box(kIdAlwaysOnTop, "Toujours visible", options_);
  abrege_ = make_box(kIdAbrege, "Abr\xE9g\xE9", options_);
  export_ = named(new QPushButton(to_qstring("Exporter"), options_), kIdExport);
  auto* grid = two_row_grid(options_);
  grid->addWidget(always_on_top_, 0, 0, 1, 2);
  grid->addWidget(abrege_, 1, 0);
  grid->addWidget(export_, 1, 1);
  return options_;
}

QGroupBox* ToolStrip::make_mark_group() {
  auto* group = named(new QGroupBox(to_qstring("Marquer"), this), kIdMarkGroup);
  mark_done_ = named(new QPushButton(to_qstring("trait\xE9s"), group), kIdMarkDone);
  mark_not_done_ = named(new QPushButton(to_qstring("non-trait\xE9s"), group), kIdMarkNotDone);
  auto* column = new QVBoxLayout(group);
  column->setAlignment(Qt::AlignVCenter);
  column->addWidget(mark_done_);
  column->addWidget(mark_not_done_);
  return group;
}

QCheckBox* ToolStrip::mask_box(int id) const {
  switch (id) {
    case kIdMaskArl:
      return mask_arl_;
    case kIdMaskArchives:
      return mask_archives_;
    case kIdMaskRsp:
      return mask_rsp_;
    case kIdMaskHidden:
      return mask_hidden_;
    default:
      return nullptr;
  }
}

int ToolStrip::kind_mask() const {
  int mask = 0;
  if (mask_arl_->isChecked()) mask += 4;
  if (mask_archives_->isChecked()) mask += 8;
  if (mask_rsp_->isChecked()) mask += 1;
  if (mask_hidden_->isChecked()) mask += 2;
  return mask;
}

void ToolStrip::set_kind_mask(int mask) {
  mask_rsp_->setChecked(mask & 1);
  mask_hidden_->setChecked(mask & 2);
  mask_arl_->setChecked(mask & 4);
  mask_archives_->setChecked(mask & 8);
}

void ToolStrip::hide_unused_mask_boxes() {
  mask_hidden_->hide();
  mask_archives_->hide();
  mask_arl_->setText(QString());
  align_rows();
}

void ToolStrip::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) align_rows();
}

void ToolStrip::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  align_rows();
}

void ToolStrip::align_rows() {
  ensurePolished();
  // The options have no group frame: give them the groups' margins so that their two rows
  // sit level with the radio buttons' rows.
  const QMargins group_margins = kind_group_->contentsMargins();
  options_->layout()->setContentsMargins(0, group_margins.top(), 0, group_margins.bottom());

  // Where the title's words lie: the style's label rectangle, scaled from the plain text
  // width to the label width (some styles draw titles in bold).
  QStyleOptionGroupBox opt;
  opt.initFrom(mask_group_);
  opt.text = mask_group_->title();
  opt.textAlignment = mask_group_->alignment();
  opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  opt.lineWidth = 1;
  const QRect label =
      style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, mask_group_);
  const QFontMetricsF fm(mask_group_->font());
  const qreal plain = fm.horizontalAdvance(opt.text);
  if (plain <= 0 || label.width() <= 0) return;
  const qreal scale = label.width() / plain;
  const qreal left_centre =
      label.left() + scale * fm.horizontalAdvance(to_qstring(kMaskTitleLeft)) / 2;
  const qreal right_centre =
      label.left() + scale * (fm.horizontalAdvance(to_qstring(kMaskTitleRightLead)) +
                              fm.horizontalAdvance(to_qstring(kMaskTitleRight)) / 2);
  const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, mask_rsp_);
  const int box_width = mask_rsp_->sizeHint().width();
  mask_rsp_->setFixedWidth(box_width);
  mask_hidden_->setFixedWidth(box_width);

  auto* grid = static_cast<QGridLayout*>(mask_group_->layout());
  const int content_left = mask_group_->contentsMargins().left();
  const int first = static_cast<int>(std::lround(left_centre - indicator / 2.0));
  const int second = static_cast<int>(std::lround(right_centre - indicator / 2.0));
  const QMargins m = grid->contentsMargins();
  grid->setContentsMargins(std::max(0, first - content_left), m.top(), m.right(), m.bottom());
  grid->setHorizontalSpacing(std::max(0, second - std::max(first, content_left) - box_width));
}

}  // namespace noemie::gui
