#include <QLineEdit>
#include <QPushButton>

#include "platform/browse/UpdateForm.h"
#include "tests/platform/browse/BrowseFixture.h"

namespace vm::test {
namespace {

// A form over two fields of the brews, which carry the table's own checks,
// and a window check of its own: the batch name may not be "x".
class BrewForm : public RecordForm<BrewRecord> {
 public:
  BrewForm(Request r, const BrewRecord& b) : RecordForm("UpdateTestBrews", r, b) {
    setTitles("Add Brew", "Change Brew", "View Brew");
    sugar = new QLineEdit(this);
    stock = new QLineEdit(this);
    name = new QLineEdit(this);
    ok = new QPushButton("&OK", this);
    cancel = new QPushButton("&Cancel", this);
    place(name, 4, 4, 100, 12);
    place(sugar, 4, 20, 40, 12);
    place(stock, 4, 36, 40, 12);
    place(ok, 4, 52, 40, 14);
    place(cancel, 50, 52, 40, 14);
    bind(name, brew::kBrewBatchName, "@s25");
    bind(sugar, brew::kPrimerSugarKg, "@N6.2");
    bind(stock, brew::kStockOnHand, "@s25");
    setButtons(ok, cancel);
    setDesignSize(120, 80);
  }
  void setDefaults() override { record().stockOnHand = "1"; }
  bool checkWindow() override {
    if (name->text() == "x") {
      select(name);
      return false;
    }
    return true;
  }
  QLineEdit *sugar, *stock, *name;
  QPushButton *ok, *cancel;
};

class UpdateFormTest : public BrowseFixture {
 protected:
  // Runs a request; the answer lands in `answer`.
  BrewForm* run(Request r, const BrewRecord& b = {}) {
    answer = 0;
    written.reset();
    auto* f = new BrewForm(r, b);
    form = f;
    f->run(&caller, [this](int a, std::optional<FieldValue> w) {
      answer = a;
      written = w;
    });
    settle();
    return form;
  }
  std::vector<BrewRecord> brews() {
    BrewTable t;
    t.open();
    std::vector<BrewRecord> out;
    t.scan(View{brew::kKeyRecord, {}}, [&](const BrewRecord& r) {
      out.push_back(r);
      return true;
    });
    return out;
  }
  // The caller sits inside a window, as a browse sits in the frame: the
  // caller is disabled while the form is open, the frame is not.
  QWidget top;
  QWidget caller{&top};
  QPointer<BrewForm> form;
  int answer = 0;
  std::optional<FieldValue> written;
};

TEST_F(UpdateFormTest, InsertPrimesWritesAndAnswersCompleted) {
  top.show();
  BrewForm* f = run(Request::Insert);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->windowTitle(), "Add Brew");
  EXPECT_FALSE(caller.isEnabled());  // the caller waits
  EXPECT_EQ(f->stock->text(), "1");
  ASSERT_EQ(brews().size(), 1u);  // the numbers are taken at once
  f->name->setText("Summer");
  f->ok->click();
  settle();
  EXPECT_FALSE(form);
  EXPECT_EQ(answer, kRequestCompleted);
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, FieldValue{std::int64_t{1}});
  EXPECT_TRUE(caller.isEnabled());
  auto all = brews();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].brewBatchName, "Summer");
  EXPECT_EQ(all[0].batchNumber, 1);
  EXPECT_TRUE(script.shown().empty());  // no "Record Added" unless asked for
}

TEST_F(UpdateFormTest, AbandonedInsertGivesItsNumbersBack) {
  // Unchanged: closes at once; changed: "Save Record", No.
  for (int saveAnswer : {0, 2}) {
    SCOPED_TRACE(saveAnswer);
    script.clear();
    BrewForm* f = run(Request::Insert);
    ASSERT_TRUE(f);
    if (saveAnswer) {
      f->name->setText("Abandoned");
      script.answer(saveAnswer);
    }
    f->cancel->click();
    settle();
    EXPECT_FALSE(form);
    EXPECT_EQ(answer, kRequestCancelled);
    EXPECT_TRUE(brews().empty());
    ASSERT_EQ(script.shown().size(), saveAnswer ? 1u : 0u);
    if (saveAnswer) {
      EXPECT_EQ(script.shown()[0].title, "Save Record");
      EXPECT_EQ(script.shown()[0].defaultButton, 3);
    }
  }
  BrewForm* f = run(Request::Insert);
  f->ok->click();
  settle();
  ASSERT_EQ(brews().size(), 1u);
  EXPECT_EQ(brews()[0].recordNumber, 1);
  EXPECT_EQ(brews()[0].batchNumber, 1);
}

TEST_F(UpdateFormTest, SaveRecordCancelKeepsTheFormAndYesSaves) {
  BrewRecord b;
  b.brewBatchName = "Old";
  b.stockOnHand = "1";
  BrewTable t;
  t.open();
  ASSERT_EQ(t.insert(b), Status::Ok);
  BrewForm* f = run(Request::Change, b);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->windowTitle(), "Change Brew");
  EXPECT_EQ(f->name->text(), "Old");
  f->name->setText("New");
  script.answer(3);
  f->close();
  settle();
  ASSERT_TRUE(form);
  EXPECT_TRUE(f->isVisible());
  script.answer(1);
  f->close();
  settle();
  EXPECT_FALSE(form);
  EXPECT_EQ(answer, kRequestCompleted);
  EXPECT_EQ(brews()[0].brewBatchName, "New");
}

TEST_F(UpdateFormTest, ChecksRefuseAndKeepWhatWasTyped) {
  BrewForm* f = run(Request::Insert);
  f->show();
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  // The table's range check on the priming sugar.
  f->sugar->setText("100.01");
  f->ok->click();
  settle();
  ASSERT_TRUE(form);
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Range Error");
  EXPECT_EQ(script.shown()[0].text, "The value of ALE:PrimerSugarKG must be in range 0 .. 100.");
  EXPECT_EQ(f->sugar->text(), "100.01");
  EXPECT_TRUE(f->sugar->hasFocus());
  // The window's own check.
  f->sugar->setText("100");
  f->name->setText("x");
  f->ok->click();
  settle();
  ASSERT_TRUE(form);
  EXPECT_EQ(script.shown().size(), 1u);
  EXPECT_TRUE(f->name->hasFocus());
  f->name->setText("Fine");
  f->ok->click();
  settle();
  EXPECT_FALSE(form);
  EXPECT_EQ(brews()[0].primerSugarKg, Decimal(100));
}

TEST_F(UpdateFormTest, DeleteAsksWithoutShowingTheForm) {
  BrewRecord b;
  b.stockOnHand = "1";
  BrewTable t;
  t.open();
  ASSERT_EQ(t.insert(b), Status::Ok);
  script.answer(2);
  run(Request::Delete, b);
  EXPECT_EQ(answer, kRequestCancelled);
  EXPECT_EQ(brews().size(), 1u);
  script.answer(1);
  run(Request::Delete, b);
  EXPECT_EQ(answer, kRequestCompleted);
  EXPECT_TRUE(brews().empty());
  ASSERT_EQ(script.shown().size(), 2u);
  EXPECT_EQ(script.shown()[1].title, "Confirm Delete");
  EXPECT_EQ(script.shown()[1].text, "Are you sure you want to delete the highlighted record?");
}

TEST_F(UpdateFormTest, ViewShowsReadOnlyAndHistoryKeyPutsBackTheLastSavedValue) {
  BrewForm* f = run(Request::Insert);
  f->name->setText("Remembered");
  f->sugar->setText("2.5");
  f->ok->click();
  settle();

  f = run(Request::View, brews()[0]);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->windowTitle(), "View Brew");
  EXPECT_TRUE(f->name->isReadOnly());
  f->ok->click();
  settle();
  EXPECT_EQ(answer, kRequestCancelled);

  f = run(Request::Insert);
  f->show();
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  f->sugar->setFocus();
  QTest::keyClick(f->sugar, Qt::Key_Apostrophe, Qt::ControlModifier);
  EXPECT_EQ(f->sugar->text(), "2.50");
  EXPECT_EQ(f->name->text(), "");
  QTest::keyClick(f->name, Qt::Key_Apostrophe, Qt::ControlModifier);
  EXPECT_EQ(f->name->text(), "Remembered");
  script.answer(2);
  f->cancel->click();
  settle();
}

}  // namespace
}  // namespace vm::test
