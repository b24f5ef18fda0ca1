#include "gui/error_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/noemie/report_mail.h"
#include "gui/dialog_keys.h"
#include "gui/list_images.h"
#include "gui/text_bridge.h"
#include "gui/viewer_controls.h"

namespace noemie::gui {
namespace {

// Control identifiers of the dialog.
enum ErrorControl : int {
  kIdDescriptionGroup = 2502,
  kIdOk = 2504,
  kIdSend = 2505,
  kIdAttachHint = 2506,
  kIdSendGroup = 2507,
  kIdDescription = 2501,
  kIdProduct = 2508,
  kIdVersion = 2509,
  kIdFileLabel = 2510,
  kIdPath = 2511,
  kIdOffsetLabel = 2512,
  kIdPosition = 2513,
  kIdPlaceGroup = 2514,
  kIdStatsGroup = 2515,
  kIdStartLabel = 2516,
  kIdStart = 2517,
};

// Dialog units, the measure of the dialog's layout: horizontally a quarter of the font's
// average character width, vertically an eighth of its height.
int dialog_units_x(const QWidget* w, int units) {
  return (units * w->fontMetrics().averageCharWidth() + 2) / 4;
}
int dialog_units_y(const QWidget* w, int units) {
  return (units * w->fontMetrics().height() + 4) / 8;
}

template <typename T>
T* named(T* widget, int id) {
  widget->setObjectName(control_name(id));
  return widget;
}

QLabel* make_text(int id, const char* cp1252, QWidget* parent) {
  return named(new QLabel(to_qstring(cp1252), parent), id);
}

// A sunken value field.
QLabel* make_value(int id, const QString& text, Qt::Alignment align, QWidget* parent) {
  auto* label = named(new QLabel(text, parent), id);
  label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  label->setAlignment(align | Qt::AlignVCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMargin(2);
  return label;
}

// A one-line sunken field for a path: a path too long for it is shown with its middle cut
// out, and the whole path is the field's tooltip.
class PathField final : public QLabel {
 public:
  PathField(const QString& path, QWidget* parent) : QLabel(parent), path_(path) {
    setObjectName(control_name(kIdPath));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setMargin(2);
    setToolTip(path_);
    setAccessibleName(path_);
    setMinimumWidth(dialog_units_x(this, 120));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }

  const QString& path() const { return path_; }

  QSize sizeHint() const override {
    return QSize(dialog_units_x(this, 242), QLabel::sizeHint().height());
  }
  QSize minimumSizeHint() const override {
    return QSize(dialog_units_x(this, 120), QLabel::minimumSizeHint().height());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect r = contentsRect().adjusted(margin(), 0, -margin(), 0);
    const QString shown = fontMetrics().elidedText(path_, Qt::ElideMiddle, r.width());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, shown);
  }

 private:
  QString path_;
};

// The description as shown: its line breaks as Qt draws them, the trailing one dropped.
QString description_text(const std::string& cp1252) {
  QString text = to_display_text(cp1252);
  while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text;
}

}  // namespace

QString ErrorDialog::caption() {
  return to_qstring("Erreur lors du traitement d'un retour NOEMIE");
}

ErrorDialog::ErrorDialog(const FaultReport& fault, std::function<void()> send, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      send_(std::move(send)) {
  setObjectName(QStringLiteral("Noemie_Err_Dlg"));
  setWindowTitle(caption());
  setWindowIcon(window_icon());
  setModal(true);

  auto* column = new QVBoxLayout(this);

  // "Velmora " and the version, side by side at the top.
  auto* title_row = new QHBoxLayout;
  title_row->addStretch(1);
  title_row->addWidget(make_text(kIdProduct, "Velmora ", this));
  QLabel* version = make_value(kIdVersion, to_qstring(version_text()), Qt::AlignHCenter, this);
  version->setMinimumWidth(dialog_units_x(this, 50));
  title_row->addWidget(version);
  title_row->addStretch(1);
  column->addLayout(title_row);

  auto* place = named(new QGroupBox(to_qstring("Emplacement de l'erreur"), this), kIdPlaceGroup);
  auto* place_grid = new QGridLayout(place);
  place_grid->addWidget(make_text(kIdFileLabel, "Fichier", place), 0, 0);
  place_grid->addWidget(new PathField(path_to_qstring(fault.path), place), 0, 1, 1, 2);
  place_grid->addWidget(make_text(kIdOffsetLabel, "Offset", place), 1, 0);
  QLabel* position =
      make_value(kIdPosition, QString::number(fault.position), Qt::AlignHCenter, place);
  position->setMinimumWidth(dialog_units_x(this, 56));
  place_grid->addWidget(position, 1, 1);
  place_grid->setColumnStretch(2, 1);
  column->addWidget(place);

  auto* describe =
      named(new QGroupBox(to_qstring("Description de l'erreur"), this), kIdDescriptionGroup);
  auto* describe_box = new QVBoxLayout(describe);
  QLabel* description =
      make_value(kIdDescription, description_text(fault.description), Qt::AlignHCenter, describe);
  description->setWordWrap(true);
  description->setMinimumHeight(dialog_units_y(this, 33));
  describe_box->addWidget(description);
  column->addWidget(describe);

  auto* stats = named(new QGroupBox(to_qstring("Statistiques"), this), kIdStatsGroup);
  auto* stats_row = new QHBoxLayout(stats);
  stats_row->addWidget(make_text(kIdStartLabel,
                                 "Offset du d\xE9"
                                 "but 'R\xE9"
                                 "el' du fichier :",
                                 stats));
  QLabel* start = make_value(kIdStart, QString::number(fault.start), Qt::AlignHCenter, stats);
  start->setMinimumWidth(dialog_units_x(this, 56));
  stats_row->addWidget(start);
  stats_row->addStretch(1);
  column->addWidget(stats);

  auto* report = named(new QGroupBox(to_qstring("Faire part de cette erreur \xE0 l'auteur"), this),
                       kIdSendGroup);
  auto* report_row = new QHBoxLayout(report);
  auto* send_button = named(new QPushButton(to_qstring("Envoyer"), report), kIdSend);
  send_button->setAutoDefault(false);
  report_row->addWidget(send_button);
  report_row->addWidget(
      make_text(kIdAttachHint, "Ne pas oublier de joindre le fichier posant probl\xE8me", report));
  report_row->addStretch(1);
  auto* report_line = new QHBoxLayout;
  report_line->addSpacing(dialog_units_x(this, 29));
  report_line->addWidget(report, 1);
  report_line->addSpacing(dialog_units_x(this, 19));
  column->addLayout(report_line);

  auto* ok = named(new QPushButton(to_qstring("OK"), this), kIdOk);
  ok->setAutoDefault(false);
  ok->setDefault(false);
  ok->setMinimumWidth(dialog_units_x(this, 124));
  column->addWidget(ok, 0, Qt::AlignHCenter);

  // "OK" first: focused at opening and ahead of "Envoyer" in the tab order.
  setTabOrder(ok, send_button);
  ok->setFocus();

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(send_button, &QPushButton::clicked, this, [this] {
    if (send_) send_();
  });

  // A fixed frame: the layout decides its size.
  column->setSizeConstraint(QLayout::SetFixedSize);
}

void ErrorDialog::keyPressEvent(QKeyEvent* event) {
  if (!swallow_default_keys(event)) QDialog::keyPressEvent(event);
}

}  // namespace noemie::gui
