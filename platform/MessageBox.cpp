// The message service.  A real box is the one place where the program waits
// for the user inside a call (the caller needs the answer to go on); every
// window, by contrast, is shown without a nested loop.
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

namespace vm {

namespace {
MessageScript* g_script = nullptr;

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

std::vector<std::string> messageButtons(const std::string& buttons) {
  std::vector<std::string> out;
  if (buttons.empty()) return {"&OK"};
  std::string::size_type start = 0;
  while (true) {
    auto bar = buttons.find('|', start);
    out.push_back(
        buttons.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return out;
}

MessageScript::MessageScript() : previous_(g_script) {
  g_script = this;
}
MessageScript::~MessageScript() {
  g_script = previous_;
}
MessageScript& MessageScript::answer(int button) {
  answers_.push_back(button);
  return *this;
}

int message(const Message& m, QWidget* owner) {
  return message(m.title, m.text, m.icon, m.buttons, m.defaultButton, owner);
}

int message(const std::string& title, const std::string& text, MessageIcon icon,
            const std::string& buttons, int defaultButton, QWidget* owner) {
  ShownMessage shown{title, text, icon, messageButtons(buttons), defaultButton, 0};
  const int count = static_cast<int>(shown.buttons.size());
  const int fallback = defaultButton >= 1 && defaultButton <= count ? defaultButton : 1;

  if (g_script) {
    int answer = fallback;
    if (!g_script->answers_.empty()) {
      answer = g_script->answers_.front();
      g_script->answers_.pop_front();
    }
    shown.answer = answer;
    g_script->shown_.push_back(shown);
    return answer;
  }
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return fallback;

  QMessageBox box(owner);
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text).replace('|', '\n'));
  box.setIcon(qtIcon(icon));
  std::vector<QAbstractButton*> made;
  for (const auto& b : shown.buttons)
    made.push_back(box.addButton(QString::fromStdString(b), QMessageBox::ActionRole));
  if (defaultButton >= 1 && defaultButton <= count)
    box.setDefaultButton(static_cast<QPushButton*>(made[defaultButton - 1]));
  // The close box and Escape give the answer a "No" or "Cancel" would, or
  // the last button's.
  QAbstractButton* escape = made.back();
  for (auto* b : made) {
    const QString t = b->text().remove('&');
    if (t.compare("Cancel", Qt::CaseInsensitive) == 0) escape = b;
  }
  box.setEscapeButton(escape);
  box.exec();
  for (int i = 0; i < count; ++i)
    if (box.clickedButton() == made[i]) return i + 1;
  return fallback;
}

}  // namespace vm
