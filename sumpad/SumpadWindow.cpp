#include "sumpad/SumpadWindow.h"

#include "sumpad/DisplayText.h"

#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSvgRenderer>
#include <vector>

using sumpad::Key;

namespace {

// The window's own font sets the dialog unit. Arial 9 makes the 97-unit
// display wide enough for its fifteen characters in Arial 14.
QFont windowFont() {
  QFont f(QStringLiteral("Arial"), 9);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

QFont captionFont(int points) {
  QFont f(QStringLiteral("Arial"), points);
  f.setStyleHint(QFont::SansSerif);
  f.setBold(true);
  return f;
}

struct ButtonSpec {
  Key key;
  const char* caption;  // UTF-8
  const char* hint;     // empty: no tool tip
  int x, y;
  int points;
  // Keypad keys that press the button. They are matched by hand in the
  // window's key handler: on X11 the shortcut map drops the keypad flag from
  // a key before matching, so a keypad-only QShortcut would never fire there.
  std::vector<Qt::Key> keypadKeys;
  std::vector<QKeySequence> shortcuts;
};

std::vector<ButtonSpec> buttonSpecs() {
  std::vector<ButtonSpec> layout;
  static const int digitPos[10][2] = {{9, 90},  {9, 75},  {26, 75}, {43, 75}, {9, 60},
                                      {26, 60}, {43, 60}, {9, 46},  {26, 46}, {43, 46}};
  static const char* const digits[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
  for (int d = 0; d < 10; ++d)
    layout.push_back({sumpad::digitKey(d),
                      digits[d],
                      "",
                      digitPos[d][0],
                      digitPos[d][1],
                      11,
                      {static_cast<Qt::Key>(Qt::Key_0 + d)},
                      {}});
  // Keyboards with a decimal comma send a comma from the keypad's point key.
  layout.push_back({Key::Point, ".", "", 26, 90, 12, {Qt::Key_Period, Qt::Key_Comma}, {}});
  layout.push_back({Key::ClearEntry, "CE", "Clear", 9, 17, 10, {}, {}});
  layout.push_back({Key::Pi, "\u03c0", "Pi", 62, 90, 12, {}, {}});
  layout.push_back({Key::ChangeSign, "+/-", "Change Sign", 62, 75, 10, {}, {}});
  layout.push_back({Key::Square, "x\u00b2", "Square", 43, 31, 10, {}, {}});
  layout.push_back({Key::SquareRoot, "\u221a", "Square Root", 26, 31, 12, {}, {}});
  layout.push_back({Key::Reciprocal, "1/x", "Reciprocal", 62, 46, 10, {}, {}});
  layout.push_back({Key::TimesTen, "10X", "Times 10", 9, 31, 10, {}, {}});
  layout.push_back({Key::Percent, "%", "Percent", 78, 32, 12, {}, {}});
  layout.push_back({Key::Log10, " lg", "", 26, 17, 11, {}, {}});
  layout.push_back({Key::Ln, " ln", "Ln", 62, 60, 11, {}, {}});
  layout.push_back({Key::MemoryRecall, "MR", "", 43, 17, 10, {}, {}});
  layout.push_back({Key::MemoryStore, " M", "", 62, 17, 10, {}, {}});
  layout.push_back({Key::MemoryAdd, " M+", "Add To Memmory", 78, 17, 10, {}, {}});
  layout.push_back({Key::Add, "+", "Add", 78, 90, 12, {Qt::Key_Plus}, {}});
  layout.push_back({Key::Subtract, "-", "Subtract", 78, 46, 12, {Qt::Key_Minus}, {}});
  layout.push_back({Key::Multiply, "x", "Multiply", 78, 75, 12, {Qt::Key_Asterisk}, {}});
  layout.push_back({Key::Divide, "/", "Divide", 78, 60, 12, {Qt::Key_Slash}, {}});
  layout.push_back({Key::Power, "Exp", "Power", 62, 31, 8, {}, {}});
  // Key_Enter is the keypad's Enter, Key_Return the main one.
  layout.push_back({Key::Equals,
                    "=",
                    "",
                    43,
                    90,
                    12,
                    {},
                    {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                     QKeySequence(QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter))}});
  return layout;
}

QPixmap renderSvg(const QString& path, const QSize& size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

// Button size and the window's size, in dialog units; the window is the key
// grid and display with the display's 6-unit margin all round.
constexpr int kButtonW = 18;
constexpr int kButtonH = 15;
constexpr int kWindowW = 109;
constexpr int kWindowH = 111;

}  // namespace

static void initResources() {
  Q_INIT_RESOURCE(sumpad);
}

SumpadWindow::SumpadWindow(QWidget* parent) : QWidget(parent) {
  initResources();
  setWindowTitle(QStringLiteral("Calculator"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64})
    icon.addPixmap(renderSvg(QStringLiteral(":/sumpad/calc.svg"), QSize(side, side)));
  setWindowIcon(icon);

  setFont(windowFont());
  const QFontMetrics fm(font());
  unitX_ = fm.averageCharWidth() / 4.0;
  unitY_ = fm.height() / 8.0;

  display_ = new QLineEdit(this);
  display_->setObjectName(QStringLiteral("display"));
  display_->setFont(QFont(QStringLiteral("Arial"), 14));
  display_->setMaxLength(static_cast<int>(sumpad::kDisplayWidth));
  display_->setTextMargins(1, 0, 1, 0);
  display_->setGeometry(dialogRect(6, 2, 97, 13));
  connect(display_, &QLineEdit::textEdited, this, [this] { typedChange_ = true; });
  connect(display_, &QLineEdit::editingFinished, this, [this] {
    if (typedChange_) commitTypedText();
  });

  for (const ButtonSpec& button : buttonSpecs()) {
    auto* b = new QPushButton(QString::fromUtf8(button.caption), this);
    b->setObjectName(QStringLiteral("key%1").arg(static_cast<int>(button.key)));
    b->setFont(captionFont(button.points));
    b->setGeometry(dialogRect(button.x, button.y, kButtonW, kButtonH));
    if (*button.hint) b->setToolTip(QString::fromUtf8(button.hint));
    const Key key = button.key;
    connect(b, &QPushButton::clicked, this, [this, key] { pressKey(key); });
    for (Qt::Key k : button.keypadKeys) keypadKeys_[k] = b;
    for (const QKeySequence& seq : button.shortcuts) {
      auto* sc = new QShortcut(seq, this);
      connect(sc, &QShortcut::activated, b, &QPushButton::click);
    }
    buttons_[key] = b;
  }

  // Tab order follows the control order of the grid, display last.
  QWidget* previous = nullptr;
  for (auto& [key, b] : buttons_) {
    if (previous) setTabOrder(previous, b);
    previous = b;
  }
  setTabOrder(previous, display_);

  setFixedSize(dialogRect(0, 0, kWindowW, kWindowH).size());
  refresh();
  button(Key::Digit0)->setFocus();
}

QPushButton* SumpadWindow::button(Key key) const {
  auto it = buttons_.find(key);
  return it == buttons_.end() ? nullptr : it->second;
}

QRect SumpadWindow::dialogRect(int x, int y, int w, int h) const {
  const int left = qRound(x * unitX_);
  const int top = qRound(y * unitY_);
  return QRect(left, top, qRound((x + w) * unitX_) - left, qRound((y + h) * unitY_) - top);
}

void SumpadWindow::pressKey(Key key) {
  // A shortcut (Enter) can fire while the display still holds typed text;
  // that text is taken first, as leaving the field would have done.
  if (typedChange_) commitTypedText();
  if (calc_.press(key)) button(Key::Digit0)->setFocus();
  refresh();
}

void SumpadWindow::commitTypedText() {
  typedChange_ = false;
  calc_.enterDisplayText(display_->text().toStdString());
  refresh();
  // Leaving the field by clicking elsewhere already moves the focus; only
  // move it when the field still has it.
  if (display_->hasFocus()) button(Key::Digit0)->setFocus();
}

void SumpadWindow::refresh() {
  display_->setText(QString::fromStdString(calc_.displayText()));
  display_->setCursorPosition(0);
}

void SumpadWindow::keyPressEvent(QKeyEvent* event) {
  // Reached when the focused key button passes the key on; the display keeps
  // keypad keys for itself while it has the focus, as text typed into it.
  if (event->modifiers() == Qt::KeypadModifier) {
    auto it = keypadKeys_.find(static_cast<Qt::Key>(event->key()));
    if (it != keypadKeys_.end()) {
      it->second->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void SumpadWindow::resizeEvent(QResizeEvent* event) {
  background_ = renderSvg(QStringLiteral(":/sumpad/clouds.svg"), size());
  QWidget::resizeEvent(event);
}

void SumpadWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}
