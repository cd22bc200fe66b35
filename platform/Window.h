// The window base every window of the program is built on, and the ways a
// window is shown.
//
// A window is a `Window` subclass named after its procedure ("BrowseBrews").
// It lays its controls out in dialog units (place(), units()), names its help
// keyword and topic (setHelp(), addHelpButton()), registers the controls
// whose field events it wants (watch()) and overrides onField() for its
// checks.  It is shown in one of two ways:
//
//   startWindow(w)                 "started": an independent MDI child of the
//                                  frame; the caller carries on.
//   openWindow(w, caller, done)    "opened": a dialog that blocks its caller
//                                  (the caller is disabled; the frame disables
//                                  its menu bar and toolbar) until it closes;
//                                  done(answer) is called then.  No nested
//                                  event loop: the caller continues in done.
//
// Either way the window's position and state are fetched from .\Browse.ini
// under its procedure name before it is first shown and written back when it
// closes.  One-instance windows are requested through startOnce/openOnce or
// checked with bringToFront(): a second request brings the open window to
// the front (restored when minimised) and ends.
//
// Field events: a watched control's focus, change and accept are delivered
// to onField().  When onField() moves the focus (select(), or any setFocus),
// the rest of that event is cancelled: an action bound with onAccepted()
// does not run, so a pressed OK whose check selects a field does not save.
// A focus check that moves the focus away from a button also stops the click
// that brought the focus there.  Per kind of control:
//   entry          focus; change on each keystroke; accept on Enter or leaving
//                  it after a change
//   spin box       focus; change on an arrow or keystroke; accept as an entry
//   drop-down /    focus; change then accept on a choice from the list; an
//   combination    editable box also as an entry
//   text area      focus; change on each keystroke; accept on leaving it
//   button, check  focus; accept on a press
//   box, radio
// The history key (Ctrl+', key code 734) on a watched control calls
// onHistoryKey(control) instead of typing the quote.
//
// Set the window's font before laying it out: the dialog units come from it.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DialogUnits.h"

class QAbstractButton;
class QMdiArea;
class QMdiSubWindow;
class QToolButton;

namespace vm {

enum class FieldEvent { Focus, Change, Accept };

// Ctrl together with the quote key: key code 734 (the Ctrl flag 0x200 plus
// the virtual key 0xDE).
inline constexpr int kHistoryKeyCode = 734;
bool isHistoryKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey = 0);

class Window : public QWidget {
  Q_OBJECT
 public:
  explicit Window(std::string procedure, QWidget* parent = nullptr);
  ~Window() override;

  const std::string& procedure() const { return procedure_; }

  // --- Layout in dialog units of this window's font.
  DialogUnits units() const { return DialogUnits::of(this); }
  QRect duRect(int x, int y, int w, int h) const;
  // Places a child control at (x, y, w, h) dialog units; -1 = natural size.
  void place(QWidget* control, int x, int y, int w = -1, int h = -1);
  // The designed client size (dialog units) and, optionally, position
  // (relative to the MDI area or the owner window).  Without a position the
  // window opens where the window system puts it (cascaded / centred).
  void setDesignSize(int w, int h);
  void setDesignPosition(int x, int y);
  void setResizable(bool on) { resizable_ = on; }
  bool isResizable() const { return resizable_; }

  // --- Help: keyword for the help button, topic for F1 and F12.
  void setHelp(std::string keyword, std::string topic, std::string notFoundTitle = "Help topic",
               std::string notFoundText = "Not found");
  // An icon-only button with the tool tip "Help about this window."
  QToolButton* addHelpButton(int x, int y, int w = 14, int h = 14);
  void showHelpKeyword();
  void showHelpTopic();

  // --- Field events.
  void watch(QWidget* control);
  // The rest of an accept: runs after onField(control, Accept) unless that
  // cancelled the event.  Buttons passed here are watched as well.
  void onAccepted(QWidget* control, std::function<void()> action);
  // Moves the focus to `control` and cancels the rest of the current event.
  void select(QWidget* control);
  // Delivers one event as the window system would; false when cancelled.
  bool dispatch(QWidget* control, FieldEvent event);

  // --- Closing.  `answer` is what an opened window hands back.
  void setAnswer(int answer) { answer_ = answer; }
  int answer() const { return answer_; }
  // Closes the window (its MDI frame too when it is a child).
  void finish();
  void finish(int answer) {
    answer_ = answer;
    finish();
  }
  bool isClosing() const { return closed_; }

  // The widget that is moved and sized: the MDI frame of a child, or the
  // window itself when it is a dialog.
  QWidget* host() const;
  QMdiSubWindow* subWindow() const;

  // Applies the designed and then the saved placement; called by
  // startWindow/openWindow before the first show.
  void preparePlacement();

 signals:
  void closed(int answer);

 protected:
  virtual void onField(QWidget* control, FieldEvent event);
  virtual void onHistoryKey(QWidget* field);
  // The window has been shown for the first time (its open event).
  virtual void onOpened() {}
  // Last chance to refuse a close (a form asking to save); true = close.
  virtual bool canClose() { return true; }
  // The window is closing for good (after its placement has been saved).
  virtual void onClosing() {}

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* watchedControl(QObject* o) const;
  void savePlacement();

  std::string procedure_;
  bool resizable_ = false;
  QSize designSize_;
  std::optional<QPoint> designPos_;
  std::string helpKeyword_, helpTopic_, notFoundTitle_ = "Help topic", notFoundText_ = "Not found";
  std::vector<QPointer<QWidget>> watched_;
  std::map<QWidget*, std::function<void()>> acceptActions_;
  bool cancelled_ = false;
  int dispatchDepth_ = 0;
  QPointer<QWidget> focusCancelledOn_;
  bool placementPrepared_ = false;
  bool openedSignalled_ = false;
  bool closed_ = false;
  int answer_ = 0;
};

// --- The frame and the windows it hosts.

// A caller that blocks something other than itself while an opened window
// is up (the frame: its menu bar and toolbar).
class BlockableCaller {
 public:
  virtual ~BlockableCaller() = default;
  virtual void setCalleeOpen(bool open) = 0;
};

void setMdiArea(QMdiArea* area);
QMdiArea* mdiArea();

void startWindow(Window* window);
void openWindow(Window* window, QWidget* caller, std::function<void(int answer)> done = {});

// The open window of that procedure, if any.
Window* findWindow(std::string_view procedure);
// Brings the open window of that procedure to the front (restored when
// minimised); false when none is open.
bool bringToFront(std::string_view procedure);
std::vector<Window*> openWindows();
// Closes every open window, saving each one's placement (frame exit).
void closeAllWindows();

// Starts a one-instance window made by `make` unless one is open already.
template <class W, class... Args>
W* startOnce(std::string_view procedure, Args&&... args) {
  if (bringToFront(procedure)) return nullptr;
  auto* w = new W(std::forward<Args>(args)...);
  startWindow(w);
  return w;
}

// --- Placement of any top-level widget (the frame uses it for "Main").
// Applies the saved placement of `procedure`; false when none applies.
// `origin` is the point positions are relative to.
bool restorePlacement(QWidget* target, std::string_view procedure, const DialogUnits& units,
                      bool resizable, QPoint origin = {});
void savePlacement(QWidget* target, std::string_view procedure, const DialogUnits& units,
                   bool resizable, QPoint origin = {});

}  // namespace vm
