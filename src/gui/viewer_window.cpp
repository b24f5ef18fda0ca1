#include "gui/viewer_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWindow>

#include "app/window_texts.h"
#include "core/noemie/version.h"
#include "gui/dialog_keys.h"
#include "gui/list_view.h"
#include "gui/text_bridge.h"
#include "gui/tool_strip.h"
#include "gui/viewer_controls.h"

namespace noemie::gui {

ViewerWindow::ViewerWindow(viewer::ListControl& list, app::ViewerActions& actions,
                           const Screens& screens, QWidget* parent)
    : QWidget(parent, Qt::Window),
      list_(list),
      actions_(actions),
      screens_(screens),
      model_(list, actions, images_) {
  setObjectName(QStringLiteral("Listage_Noemie_Dlg"));
  setWindowTitle(caption());
  setWindowIcon(window_icon());
  // Tooltips explain the cells also while another window (the practice's own program, say)
  // is the active one.
  setAttribute(Qt::WA_AlwaysShowToolTips);

  // The list is made first so that it leads the tab order: list, then the tool strip.
  view_ = new ListView(model_, this);
  view_->setObjectName(control_name(kIdList));
  strip_ = new ToolStrip(this);

  auto* column = new QVBoxLayout(this);
  // The list starts at the tool frame's height + 10: 5 above the frame, 5 below it.
  column->setContentsMargins(app::kMargin, app::kMargin, app::kMargin, 0);
  column->setSpacing(app::kMargin);
  column->addWidget(strip_, 0, Qt::AlignLeft);
  column->addWidget(view_, 1);

  make_export_menu();
  connect_controls();
  resize(500, 400);
}

ViewerWindow::~ViewerWindow() = default;

QString ViewerWindow::caption() {
  return to_qstring(viewer_caption());
}

void ViewerWindow::make_export_menu() {
  export_menu_ = new QMenu(this);
  export_menu_->setObjectName(QStringLiteral("menu230"));
  struct Item {
    int command;
    const char* text;
    int mode;
  };
  const Item items[] = {{kCmdExportText, "&Fichier texte", 0},
                        {kCmdExportExcel, "&Fichier Excel", 1},
                        {kCmdExportHtml, "&Fichier HTML", 2}};
  for (const Item& item : items) {
    QAction* action = export_menu_->addAction(to_qstring(item.text));
    action->setObjectName(control_name(item.command));
    const int mode = item.mode;
    connect(action, &QAction::triggered, this, [this, mode] { actions_.export_chosen(mode); });
  }
}

void ViewerWindow::connect_controls() {
  // `clicked` comes from the user only (or click()), never from the check marks set at start.
  connect(strip_->kind_buttons(), &QButtonGroup::idClicked, this,
          [this](int filter) { actions_.kind_filter_chosen(filter); });
  connect(strip_->age_buttons(), &QButtonGroup::idClicked, this,
          [this](int filter) { actions_.age_filter_chosen(filter); });
  for (int id : {kIdMaskArl, kIdMaskArchives, kIdMaskRsp, kIdMaskHidden}) {
    connect(strip_->mask_box(id), &QCheckBox::clicked, this,
            [this] { actions_.kind_mask_changed(strip_->kind_mask()); });
  }
  connect(strip_->abrege(), &QCheckBox::clicked, this,
          [this](bool on) { actions_.abrege_toggled(on); });
  connect(strip_->always_on_top(), &QCheckBox::clicked, this,
          [this](bool on) { set_always_on_top(on); });
  connect(strip_->export_button(), &QPushButton::clicked, this,
          [this] { show_export_menu(QCursor::pos()); });
  connect(strip_->mark_done(), &QPushButton::clicked, this, [this] { actions_.mark_chosen(1); });
  connect(strip_->mark_not_done(), &QPushButton::clicked, this,
          [this] { actions_.mark_chosen(0); });
  connect(view_, &ListView::header_clicked, this,
          [this](int column) { actions_.header_clicked(column); });
  connect(view_, &ListView::cell_double_clicked, this,
          [this](int row, int x) { actions_.cell_double_clicked(row, x); });
}

void ViewerWindow::initialise(const app::ViewerStartState& state) {
  app::run_opening_sequence(*this, actions_, state);
}

void ViewerWindow::check_kind_radio(int type_liste) {
  strip_->kind_buttons()->button(type_liste)->setChecked(true);
}

void ViewerWindow::check_age_radio(int type_date) {
  strip_->age_buttons()->button(type_date)->setChecked(true);
}

void ViewerWindow::check_kind_mask(int mask) {
  strip_->set_kind_mask(mask);
}

void ViewerWindow::check_abrege(bool on) {
  strip_->abrege()->setChecked(on);
}

void ViewerWindow::check_always_on_top(bool on) {
  strip_->always_on_top()->setChecked(on);
}

std::vector<app::WindowRect> ViewerWindow::screens() const {
  std::vector<app::WindowRect> all;
  for (const QRect& screen : screens_.geometries()) all.push_back(to_window_rect(screen));
  return all;
}

app::WindowRect ViewerWindow::primary_available() const {
  return to_window_rect(screens_.primary_available());
}

app::Size ViewerWindow::minimum_size() {
  layout()->activate();
  update_minimum_size();
  const QMargins m = frame_margins();
  return {minimumWidth() + m.left() + m.right(), minimumHeight() + m.top() + m.bottom()};
}

void ViewerWindow::attach_tooltips() {
  view_->attach_tooltips();
}

void ViewerWindow::hide_unused_mask_boxes() {
  strip_->hide_unused_mask_boxes();
}

void ViewerWindow::focus_list() {
  // The keys belong to the list, not to the first box of the strip (where Space would
  // change the kind mask).
  view_->take_keyboard_focus();
  layout()->activate();
  update_minimum_size();
}

QMargins ViewerWindow::frame_margins() const {
  const QWindow* w = windowHandle();
  return w ? w->frameMargins() : QMargins();
}

void ViewerWindow::place_at(const app::WindowRect& outer) {
  wanted_rect_ = outer;
  const QMargins m = frame_margins();
  move(outer.x, outer.y);
  resize(outer.width - m.left() - m.right(), outer.height - m.top() - m.bottom());
  // Before the window is on screen its frame is not known: size it again once it is.
  placement_pending_ = m.isNull();
}

void ViewerWindow::put_above_list(QWidget* line) {
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->insertWidget(column->indexOf(view_), line);
  setTabOrder(view_, line);
}

void ViewerWindow::put_below_list(QWidget* line) {
  layout()->addWidget(line);
}

void ViewerWindow::update_minimum_size() {
  const QSize rule = minimum_client_size(strip_->geometry(), frame_margins());
  setMinimumSize(rule.expandedTo(layout()->totalMinimumSize()));
}

app::WindowRect ViewerWindow::closing_rect() const {
  const bool normal =
      !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  const QRect restored = normalGeometry();
  return app::closing_rect(normal, to_window_rect(frameGeometry()),
                           restored.isEmpty()
                               ? app::WindowRect{}
                               : to_window_rect(restored.marginsAdded(frame_margins())));
}

void ViewerWindow::set_always_on_top(bool on) {
  const QPoint pos = this->pos();
  const QSize size = this->size();
  const bool was_visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  // Changing a window flag may hide and re-create the native window: put it back as it was.
  move(pos);
  resize(size);
  if (was_visible && !isVisible()) show();
}

void ViewerWindow::show_export_menu(QPoint global_cursor) {
  export_menu_->popup(global_cursor + QPoint(0, app::kMenuDrop));
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    emit closing();
    view_->detach_tooltips();
    actions_.window_closing(closing_rect());
    closed_ = true;
  }
  event->accept();
  emit closed();
}

void ViewerWindow::keyPressEvent(QKeyEvent* event) {
  if (!swallow_default_keys(event)) QWidget::keyPressEvent(event);
}

void ViewerWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!watching_window_ && windowHandle()) {
    windowHandle()->installEventFilter(this);
    watching_window_ = true;
  }
  update_minimum_size();
}

void ViewerWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    layout()->activate();
    update_minimum_size();
  }
}

bool ViewerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose) {
    const QMargins m = frame_margins();
    if (placement_pending_ && !m.isNull()) {
      placement_pending_ = false;
      // The frame is known now: the stored rectangle is the outer one, so the client
      // area is the stored size less the frame.
      place_at(wanted_rect_);
    }
    update_minimum_size();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace noemie::gui
