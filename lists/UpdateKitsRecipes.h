// UpdateKitsRecipes: the form of one kit or recipe, called by
// BrowseKitsRecipes with a request.  The description is its only field;
// the uniqueness of BRW:BrewKey (case ignored) is its only check.  After an
// insert it offers to add another record at once.
#pragma once

#include "platform/browse/UpdateForm.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace vm {

class UpdateKitsRecipes : public RecordForm<BrandRecord> {
  Q_OBJECT
 public:
  static constexpr const char* kProcedure = "UpdateKitsRecipes";

  UpdateKitsRecipes(Request request, const BrandRecord& selected, QWidget* parent = nullptr);

  QLineEdit* description() const { return description_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void layoutControls();

  QTabWidget* tabs_ = nullptr;
  QLabel* prompt_ = nullptr;
  QLineEdit* description_ = nullptr;
  QLabel* hint1_ = nullptr;
  QLabel* hint2_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QToolButton* help_ = nullptr;
};

}  // namespace vm
