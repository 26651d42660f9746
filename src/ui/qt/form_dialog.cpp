#include "ui/qt/form_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "ui/forms/stacked_layout.h"
#include "ui/qt/artwork.h"
#include "ui/qt/field_validator.h"
#include "ui/qt/help_text.h"
#include "ui/qt/text_convert.h"

namespace qx::ui::qt {
namespace {

QRect PixelRect(const DialogUnits& u, const ControlTemplate& c) {
  return QRect(u.PxX(c.x), u.PxY(c.y), u.PxX(c.width), u.PxY(c.height));
}

// A picture control shows its bitmap at the bitmap's size when the template gives none.
constexpr int kPictureWidthDu = 60;
constexpr int kPictureHeightDu = 48;
// The gap between an edit and the label placed beside it.
constexpr int kLabelGapDu = 3;
constexpr int kMarginDu = 4;

// A checkbox label wraps inside its box like a multi-line button's text.
QString WrapCheckBoxLabel(const QCheckBox& box, const QString& label, int width) {
  QStyleOptionButton option;
  option.initFrom(&box);
  const int indicator = box.style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, &box) +
                        box.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, &box);
  return WrapToWidth(label, box.fontMetrics(), std::max(20, width - indicator - 4));
}

}  // namespace

int DialogUnits::PxX(int units) const { return static_cast<int>(std::lround(units * x)); }
int DialogUnits::PxY(int units) const { return static_cast<int>(std::lround(units * y)); }

DialogUnits DialogUnitsFor(int font_points) {
  if (font_points <= 0) return DialogUnits{};
  // The character cell of the template's font: 13 pixels high for 8 points, 16 for 10.
  const double height = std::round(font_points * 96.0 / 72.0 * 1.2);
  const double width = std::round(height * 0.45);
  DialogUnits u;
  u.x = width / 4.0;
  u.y = height / 8.0;
  u.font_pixels = std::max(11, static_cast<int>(std::lround(height * 0.8)));
  return u;
}

QFont FormFont(int pixel_size) {
  QFont font;
  font.setFamilies(
      {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(pixel_size);
  return font;
}

// The form's Qt widgets as the driver addresses them: control ids, UTF-16 texts.
class FormDialog::Native : public NativeForm {
 public:
  explicit Native(FormDialog& dialog) : dialog_(dialog) {}

  std::u16string Text(int id) const override;
  void SetText(int id, std::u16string_view text) override;
  bool GetCheck(int id) const override;
  void SetCheck(int id, bool checked) override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetFocus(int id) override;
  int FocusedControl() const override;
  void SetTitle(std::u16string_view title) override;
  void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) override;
  void SetListRowTips(int id, const std::vector<std::string>& tips) override;
  int GetListSelection(int id) const override;
  void SetListSelection(int id, int row) override;
  void EndModal(int result) override;
  void Hide() override;
  void Restore() override;

 private:
  QTreeWidget* List(int id) const { return qobject_cast<QTreeWidget*>(dialog_.Control(id)); }

  FormDialog& dialog_;
};

FormDialog::FormDialog(Presenter& presenter)
    : QDialog(nullptr),
      presenter_(presenter),
      form_(presenter.Template()),
      native_(std::make_unique<Native>(*this)),
      driver_(presenter, *native_),
      units_(DialogUnitsFor(form_.font_points)) {
  Build();
}

FormDialog::~FormDialog() = default;

QWidget* FormDialog::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

int FormDialog::ControlId(const QWidget* widget) const {
  if (!widget) return -1;
  for (const auto& [id, w] : controls_)
    if (w == widget) return id;
  return -1;
}

void FormDialog::Build() {
  setObjectName(QString::fromStdString(form_.name));
  setFont(FormFont(units_.font_pixels));
  ApplyWindowIcon(*this);
  setWindowTitle(ToQString(form_.title));
  // The main window can be minimised and so appears in the task bar; the other forms are
  // dialogs with only a close button.
  if (form_.has_minimize)
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
  else
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  laid_out_ = HasPlaces(form_);

  std::vector<QWidget*> widgets;
  for (std::size_t i = 0; i < form_.controls.size(); ++i) {
    const ControlTemplate& c = form_.controls[i];
    QWidget* w = MakeControl(c, static_cast<int>(i));
    widgets.push_back(w);
    if (c.id >= 0 && !controls_.count(c.id)) controls_[c.id] = w;
  }

  // An edit's label: the static text the template names as its buddy, or one made here.
  for (const ControlTemplate& c : form_.controls) {
    if (c.kind != ControlKind::kEdit) continue;
    QWidget* edit = Control(c.id);
    if (c.buddy >= 0) {
      if (auto* label = qobject_cast<QLabel*>(Control(c.buddy))) label->setBuddy(edit);
    } else if (!c.label.empty() && laid_out_) {
      auto* label = new QLabel(ToQString(c.label), this);
      label->setObjectName(QStringLiteral("label%1").arg(c.id));
      label->setTextFormat(Qt::PlainText);
      label->setBuddy(edit);
      PlaceEditLabel(*label, c);
    }
  }

  if (laid_out_) {
    for (std::size_t i = 0; i < form_.controls.size(); ++i) Place(*widgets[i], form_.controls[i]);
    // Frames stay behind the controls they surround.
    for (QWidget* w : widgets)
      if (qobject_cast<QGroupBox*>(w)) w->lower();
    QSize size(units_.PxX(form_.width), units_.PxY(form_.height));
    if (form_.width <= 0 || form_.height <= 0) {
      const QRect used = childrenRect();
      size = QSize(used.right() + units_.PxX(kMarginDu), used.bottom() + units_.PxY(kMarginDu));
    }
    setFixedSize(size);
  } else {
    AutoLayout(widgets);
  }
}

QWidget* FormDialog::MakeControl(const ControlTemplate& c, int index) {
  const QString label = ToQString(c.label);
  QWidget* widget = nullptr;
  switch (c.kind) {
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton: {
      auto* button = new QPushButton(label, this);
      button->setAutoDefault(true);
      if (c.kind == ControlKind::kDefaultPushButton && !default_set_) {
        button->setDefault(true);
        default_set_ = true;
      }
      if (c.id >= 0)
        connect(button, &QPushButton::clicked, this, [this, id = c.id] { driver_.Pressed(id); });
      widget = button;
      break;
    }
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(label, this);
      if (c.id >= 0)
        connect(box, &QCheckBox::clicked, this, [this, id = c.id] { driver_.Pressed(id); });
      widget = box;
      break;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(this);
      if (c.max_length > 0) edit->setMaxLength(c.max_length);
      auto* validator = new FieldValidator(c.digits_only, edit);
      edit->setValidator(validator);
      edit->installEventFilter(this);
      edit->setAccessibleName(label);
      edit_ids_[edit] = c.id;
      // The validator judges each edit against the text before it.
      connect(edit, &QLineEdit::textChanged, validator, &FieldValidator::SetBase);
      connect(edit, &QLineEdit::textChanged, this, [this, id = c.id] { driver_.TextChanged(id); });
      widget = edit;
      break;
    }
    case ControlKind::kStaticText:
    case ControlKind::kCenteredText: {
      auto* text = new QLabel(label, this);
      text->setTextFormat(Qt::PlainText);
      text->setWordWrap(laid_out_);
      text->setAlignment(c.kind == ControlKind::kCenteredText ? Qt::AlignHCenter | Qt::AlignTop
                                                              : Qt::AlignLeft | Qt::AlignTop);
      widget = text;
      break;
    }
    case ControlKind::kPicture: {
      auto* picture = new QLabel(this);
      picture->setAlignment(Qt::AlignCenter);
      widget = picture;
      break;
    }
    case ControlKind::kGroupBox:
      widget = new QGroupBox(label, this);
      break;
    case ControlKind::kList:
      widget = MakeList(c);
      break;
  }
  widget->setObjectName(c.id >= 0 ? QStringLiteral("ctl%1").arg(c.id)
                                  : QStringLiteral("static%1").arg(index));
  if (!c.help.empty()) AttachHelp(*widget, ToQString(c.help));
  return widget;
}

// A list is a tree without branches: one row per item, a title per column. A double click
// or Enter on a row activates it; Enter there does not also press the form's default button.
QWidget* FormDialog::MakeList(const ControlTemplate& c) {
  auto* list = new QTreeWidget(this);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QStringList titles;
  for (const std::string& title : c.column_titles) titles << ToQString(title);
  list->setColumnCount(static_cast<int>(std::max<std::size_t>(1, c.column_titles.size())));
  list->setHeaderLabels(titles);
  for (std::size_t i = 0; i < c.column_widths.size(); ++i)
    if (c.column_widths[i] > 0)
      list->setColumnWidth(static_cast<int>(i), units_.PxX(c.column_widths[i]));
  list->header()->setStretchLastSection(true);
  list->header()->setSectionsClickable(true);
  list->header()->setSectionsMovable(false);
  connect(list->header(), &QHeaderView::sectionClicked, this,
          [this, id = c.id](int column) { driver_.ListHeaderClicked(id, column); });
  connect(list, &QTreeWidget::itemDoubleClicked, this,
          [this, list, id = c.id](QTreeWidgetItem* item, int) {
            driver_.ListRowActivated(id, list->indexOfTopLevelItem(item));
          });
  list->installEventFilter(this);
  list_ids_[list] = c.id;
  return list;
}

void FormDialog::Place(QWidget& widget, const ControlTemplate& c) {
  QRect r = PixelRect(units_, c);
  if (c.kind == ControlKind::kPicture) {
    if (c.width <= 0 || c.height <= 0)
      r.setSize(QSize(units_.PxX(kPictureWidthDu), units_.PxY(kPictureHeightDu)));
    static_cast<QLabel&>(widget).setPixmap(DrawLogo(r.size(), devicePixelRatioF()));
  } else if (c.width <= 0 || c.height <= 0) {
    r.setSize(widget.sizeHint());
  }
  if (auto* box = qobject_cast<QCheckBox*>(&widget))
    box->setText(WrapCheckBoxLabel(*box, box->text(), r.width()));
  widget.setGeometry(r);
}

void FormDialog::PlaceEditLabel(QWidget& label, const ControlTemplate& edit) {
  const QRect e = PixelRect(units_, edit);
  const int left = units_.PxX(kMarginDu);
  const int right = e.left() - units_.PxX(kLabelGapDu);
  const QSize hint = label.sizeHint();
  if (right - left >= hint.width()) {
    label.setGeometry(right - hint.width(), e.top() + (e.height() - hint.height()) / 2,
                      hint.width(), hint.height());
  } else {
    // No room beside it: the label goes just above the field.
    label.setGeometry(e.left(), std::max(0, e.top() - hint.height() - 2), hint.width(),
                      hint.height());
  }
}

// Forms whose template gives no positions are stacked in a grid: an edit beside its label,
// each run of push buttons in a grid of its own.
void FormDialog::AutoLayout(const std::vector<QWidget*>& widgets) {
  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  int row = 0;
  QGridLayout* buttons = nullptr;
  int button_row = 0;
  for (const StackedRow& stacked : StackRows(form_)) {
    const ControlTemplate& c = form_.controls[stacked.controls.front()];
    QWidget* w = widgets[stacked.controls.front()];
    if (stacked.kind == StackedRow::kButtons) {
      if (!stacked.continues_buttons) {
        buttons = new QGridLayout;
        grid->addLayout(buttons, row++, 0, 1, 2);
        button_row = 0;
      }
      for (std::size_t k = 0; k < stacked.controls.size(); ++k)
        buttons->addWidget(widgets[stacked.controls[k]], button_row, static_cast<int>(k));
      ++button_row;
    } else if (c.kind == ControlKind::kPicture) {
      static_cast<QLabel*>(w)->setPixmap(DrawLogo(
          QSize(units_.PxX(kPictureWidthDu), units_.PxY(kPictureHeightDu)), devicePixelRatioF()));
      grid->addWidget(w, row++, 0, 1, 2, Qt::AlignHCenter);
    } else if (stacked.kind == StackedRow::kField && !c.label.empty() && c.buddy < 0) {
      auto* label = new QLabel(ToQString(c.label), this);
      label->setObjectName(QStringLiteral("label%1").arg(c.id));
      label->setTextFormat(Qt::PlainText);
      label->setBuddy(w);
      grid->addWidget(label, row, 0);
      grid->addWidget(w, row++, 1);
    } else {
      grid->addWidget(w, row++, 0, 1, 2);
    }
  }
}

void FormDialog::CenterOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

int FormDialog::Run(const std::function<void(FormDialog&)>& on_shown) {
  driver_.Open();
  if (driver_.closed()) return driver_.result();
  adjustSize();
  CenterOnScreen();
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  if (on_shown) on_shown(*this);
  // Our own loop rather than exec(): hiding the form while another one runs must not end it.
  if (!driver_.closed()) {
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
  }
  return driver_.result();
}

void FormDialog::reject() { driver_.Escape(); }

void FormDialog::accept() { driver_.Enter(); }

void FormDialog::keyPressEvent(QKeyEvent* event) {
  const bool plain = event->modifiers() == Qt::NoModifier ||
                     (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    driver_.Enter();
    return;
  }
  if (plain && event->key() == Qt::Key_Escape) {
    driver_.Escape();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FormDialog::closeEvent(QCloseEvent* event) {
  if (driver_.closed()) {
    event->accept();
    return;
  }
  // The presenter decides; it closes the form through the view when it wants to.
  event->ignore();
  driver_.CloseRequested();
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && !driver_.closed()) {
    auto list = list_ids_.find(watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (list != list_ids_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      auto* tree = static_cast<QTreeWidget*>(watched);
      const int row = tree->currentItem() ? tree->indexOfTopLevelItem(tree->currentItem()) : -1;
      if (row >= 0) {
        driver_.ListRowActivated(list->second, row);
        return true;
      }
    }
  }
  if (event->type() == QEvent::FocusOut) {
    auto it = edit_ids_.find(watched);
    if (it != edit_ids_.end()) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      driver_.FocusLeft(it->second, reason != Qt::ActiveWindowFocusReason &&
                                        reason != Qt::PopupFocusReason &&
                                        reason != Qt::MenuBarFocusReason);
    }
  }
  return QDialog::eventFilter(watched, event);
}

// --- FormDialog::Native ---

std::u16string FormDialog::Native::Text(int id) const {
  QWidget* w = dialog_.Control(id);
  QString text;
  if (auto* edit = qobject_cast<QLineEdit*>(w))
    text = edit->text();
  else if (auto* label = qobject_cast<QLabel*>(w))
    text = label->text();
  else if (auto* button = qobject_cast<QAbstractButton*>(w))
    text = button->text();
  else if (auto* group = qobject_cast<QGroupBox*>(w))
    text = group->title();
  return text.toStdU16String();
}

void FormDialog::Native::SetText(int id, std::u16string_view text) {
  QWidget* w = dialog_.Control(id);
  const QString value = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    // A stored text is shown whole, whatever the field would take as typed.
    if (auto* validator = edit->findChild<FieldValidator*>(QString(), Qt::FindDirectChildrenOnly))
      validator->SetBase(value.left(edit->maxLength()));
    edit->setText(value);
    edit->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(value);
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(value);
  }
}

bool FormDialog::Native::GetCheck(int id) const {
  auto* box = qobject_cast<QCheckBox*>(dialog_.Control(id));
  return box && box->isChecked();
}

void FormDialog::Native::SetCheck(int id, bool checked) {
  if (auto* box = qobject_cast<QCheckBox*>(dialog_.Control(id))) box->setChecked(checked);
}

void FormDialog::Native::SetEnabled(int id, bool enabled) {
  if (QWidget* w = dialog_.Control(id)) w->setEnabled(enabled);
}

bool FormDialog::Native::IsEnabled(int id) const {
  QWidget* w = dialog_.Control(id);
  return w && w->isEnabledTo(&dialog_);
}

void FormDialog::Native::SetFocus(int id) {
  if (QWidget* w = dialog_.Control(id)) w->setFocus(Qt::OtherFocusReason);
}

int FormDialog::Native::FocusedControl() const { return dialog_.ControlId(dialog_.focusWidget()); }

void FormDialog::Native::SetTitle(std::u16string_view title) {
  dialog_.setWindowTitle(QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size())));
}

void FormDialog::Native::EndModal(int result) {
  (void)result;
  dialog_.hide();
  if (dialog_.loop_) dialog_.loop_->exit(0);
}

void FormDialog::Native::SetListRows(int id, const std::vector<std::vector<std::string>>& rows) {
  QTreeWidget* list = List(id);
  if (!list) return;
  list->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const std::vector<std::string>& row : rows) {
    auto* item = new QTreeWidgetItem;
    for (std::size_t i = 0; i < row.size(); ++i)
      item->setText(static_cast<int>(i), ToQString(row[i]));
    items << item;
  }
  list->addTopLevelItems(items);
  list->setCurrentItem(nullptr);
  list->clearSelection();
}

void FormDialog::Native::SetListRowTips(int id, const std::vector<std::string>& tips) {
  QTreeWidget* list = List(id);
  if (!list) return;
  const int rows = std::min(list->topLevelItemCount(), static_cast<int>(tips.size()));
  for (int row = 0; row < rows; ++row) {
    const std::string& tip = tips[static_cast<std::size_t>(row)];
    if (tip.empty()) continue;
    // The whole row answers the hover, whichever cell the mouse is on.
    QTreeWidgetItem* item = list->topLevelItem(row);
    const QString text = TipText(ToQString(tip));
    for (int column = 0; column < list->columnCount(); ++column) item->setToolTip(column, text);
  }
}

int FormDialog::Native::GetListSelection(int id) const {
  QTreeWidget* list = List(id);
  if (!list) return -1;
  const QList<QTreeWidgetItem*> chosen = list->selectedItems();
  return chosen.isEmpty() ? -1 : list->indexOfTopLevelItem(chosen.constFirst());
}

void FormDialog::Native::SetListSelection(int id, int row) {
  QTreeWidget* list = List(id);
  if (!list) return;
  QTreeWidgetItem* item = row >= 0 ? list->topLevelItem(row) : nullptr;
  if (!item) {
    list->clearSelection();
    list->setCurrentItem(nullptr);
    return;
  }
  list->setCurrentItem(item);
  list->scrollToItem(item);
}

void FormDialog::Native::Hide() { dialog_.hide(); }

void FormDialog::Native::Restore() {
  dialog_.show();
  dialog_.raise();
  dialog_.activateWindow();
}

}  // namespace qx::ui::qt
