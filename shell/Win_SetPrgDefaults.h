// Program defaults: the units, temperature scale and alcohol basis, the
// fermentation override, tool tips and how the brew browser opens.  Every
// control works on its global directly, so a click changes it for every
// window at once; "&OK" writes them to .\Vatmark.ini.  Opened on the frame
// (or on the start-up prompt); one instance.
//
// Once the defaults have been saved, a changed measurement choice is
// questioned when "&OK" receives the focus, if any brew has been recorded:
// the stored brews are never converted, so the user has to mean it.
#pragma once

#include <cstdint>

#include "platform/Window.h"
#include "store/Tables.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace vm {

class Win_SetPrgDefaults : public Window {
  Q_OBJECT
 public:
  Win_SetPrgDefaults();
  ~Win_SetPrgDefaults() override;

  static constexpr const char* kUnitsTitle = "Change Units ?";
  static constexpr const char* kUnitsText =
      "Are you sure you want to make this change ?|If changed all existing volumes will need to "
      "be manually converted and all existing records updated accordingly.||Make the change ?";
  static constexpr const char* kTempTitle = "Change Temperature ?";
  static constexpr const char* kTempText =
      "Are you sure you want to make this change ?|If changed all existing temperatures will need "
      "to be manually converted and all existing records updated accordingly.||Make the change ?";
  static constexpr const char* kAlcTitle = "Change % Alc?";
  static constexpr const char* kAlcText =
      "Are you sure you want to make this change ?|If changed all existing percentages for each "
      "brew will need to recalculated from the update window.||Make the change ?";
  static constexpr const char* kQuestionButtons = "No|YES";

  QCheckBox* openAtBrowseBox() const { return openAtBrowse_; }
  QCheckBox* overrideBox() const { return override_; }
  QCheckBox* toolTipBox() const { return toolTips_; }
  QCheckBox* displayAllBox() const { return displayAll_; }
  QRadioButton* abvRadio() const { return abv_; }
  QRadioButton* abwRadio() const { return abw_; }
  QRadioButton* metricRadio() const { return metric_; }
  QRadioButton* imperialRadio() const { return imperial_; }
  QRadioButton* celsiusRadio() const { return celsius_; }
  QRadioButton* fahrenheitRadio() const { return fahrenheit_; }
  QPushButton* okButton() const { return ok_; }
  QToolButton* helpButton() const { return help_; }

 protected:
  void onField(QWidget* control, FieldEvent event) override;
  void onClosing() override;

 private:
  void showGlobals();
  void askAboutChanges();
  bool holdsBrews();
  void save();

  QCheckBox* openAtBrowse_;
  QCheckBox* override_;
  QCheckBox* toolTips_;
  QRadioButton* abv_;
  QRadioButton* abw_;
  QRadioButton* metric_;
  QRadioButton* imperial_;
  QRadioButton* celsius_;
  QRadioButton* fahrenheit_;
  QCheckBox* displayAll_;
  QPushButton* ok_;
  QToolButton* help_;
  QButtonGroup* alcGroup_;
  QButtonGroup* unitsGroup_;
  QButtonGroup* tempGroup_;

  // The measurement choices as they were when the window opened; guarded
  // only when the defaults had been saved before.
  bool guarded_ = false;
  std::uint8_t openedUnits_ = 0;
  std::uint8_t openedTemp_ = 0;
  std::uint8_t openedAlc_ = 0;

  BrewTable brews_;
  bool brewsOpen_ = false;
};

}  // namespace vm
