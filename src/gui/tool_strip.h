#pragma once
// The strip of filter and command controls above the list, inside the tool frame (control
// 1907): the kind-mask boxes under "RSP   ARL/ARX", the "Référence" and "Depuis" radio
// groups, "Toujours visible", "Abrégé", "Exporter" and the "Marquer" group. The strip only
// holds and lays out the controls; ViewerWindow connects them.

#include <QFrame>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QPushButton;

namespace noemie::gui {

class ToolStrip final : public QFrame {
  Q_OBJECT

 public:
  explicit ToolStrip(QWidget* parent = nullptr);

  // The kind radios, with the kind filter (0 to 3) as button id.
  QButtonGroup* kind_buttons() const { return kind_buttons_; }
  // The age radios, with the age filter (0 to 3) as button id.
  QButtonGroup* age_buttons() const { return age_buttons_; }

  QCheckBox* mask_box(int id) const;  // 1923, 1924, 1926 or 1927; nullptr otherwise
  QCheckBox* always_on_top() const { return always_on_top_; }
  QCheckBox* abrege() const { return abrege_; }
  QPushButton* export_button() const { return export_; }
  QPushButton* mark_done() const { return mark_done_; }
  QPushButton* mark_not_done() const { return mark_not_done_; }

  // The kind mask from the four boxes: 4 for 1923, 8 for 1924, 1 for 1926, 2 for 1927, each
  // counted when checked (hidden boxes included).
  int kind_mask() const;
  // Checks each box from its bit of `mask`.
  void set_kind_mask(int mask);

  // The look after start-up: boxes 1927 and 1924 hidden (their space kept, so the group
  // keeps two rows like its neighbours), and the text of box 1923 cleared.
  void hide_unused_mask_boxes();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QGroupBox* make_mask_group();
  QGroupBox* make_kind_group();
  QGroupBox* make_age_group();
  QWidget* make_options();
  QGroupBox* make_mark_group();
  // Puts the two visible mask boxes under the words "RSP" and "ARL/ARX" of their group's
  // title, and the option boxes on the same rows as the radio buttons.
  void align_rows();

  QButtonGroup* kind_buttons_ = nullptr;
  QButtonGroup* age_buttons_ = nullptr;
  QGroupBox* mask_group_ = nullptr;
  QGroupBox* kind_group_ = nullptr;
  QWidget* options_ = nullptr;
  QCheckBox* mask_arl_ = nullptr;
  QCheckBox* mask_archives_ = nullptr;
  QCheckBox* mask_rsp_ = nullptr;
  QCheckBox* mask_hidden_ = nullptr;
  QCheckBox* always_on_top_ = nullptr;
  QCheckBox* abrege_ = nullptr;
  QPushButton* export_ = nullptr;
  QPushButton* mark_done_ = nullptr;
  QPushButton* mark_not_done_ = nullptr;
};

}  // namespace noemie::gui
