#include "platform/browse/StoreMessageBoxes.h"

#include <QTest>

#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "store/StoreMessages.h"

namespace vm::test {
namespace {

TEST(StoreMessageBoxes, OnlyAMessageThatEndsTheProgramRunsTheEndingAction) {
  installStoreMessageBoxes();
  int ended = 0;
  setFatalStoreErrorAction([&] { ++ended; });
  MessageScript script;
  script.answer(1).answer(1).answer(1);

  storeMessages().show(duplicateKeyMessage("BRW:BrewKey"));
  storeMessages().show(fileAccessMessage("BREWSV3", "file is not a database", false));
  QTest::qWait(20);
  EXPECT_EQ(ended, 0);

  storeMessages().show(fileAccessMessage("BREWSV3", "file is not a database", true));
  EXPECT_EQ(ended, 0);  // not while the caller is still handling the failure
  QTest::qWait(20);
  EXPECT_EQ(ended, 1);
  ASSERT_EQ(script.shown().size(), 3u);
  EXPECT_EQ(script.shown()[2].title, "File Access Error");

  setFatalStoreErrorAction({});
}

}  // namespace
}  // namespace vm::test
