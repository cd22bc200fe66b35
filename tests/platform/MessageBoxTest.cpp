#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(MessageBox, ButtonListsKeepOrderAndAccessKeys) {
  EXPECT_EQ(messageButtons(""), (std::vector<std::string>{"&OK"}));
  EXPECT_EQ(messageButtons("&Yes|&No"), (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_EQ(messageButtons("No|YES"), (std::vector<std::string>{"No", "YES"}));
  EXPECT_EQ(messageButtons("&Yes|&No|&Cancel").size(), 3u);
}

TEST(MessageBox, ScriptAnswersInOrderAndRecordsWhatWasShown) {
  MessageScript script;
  script.answer(2).answer(1);
  EXPECT_EQ(message("Save Record", "a|b", MessageIcon::Question, "&Yes|&No|&Cancel", 3), 2);
  EXPECT_EQ(message("T", "x", MessageIcon::Error, "&Yes|&No"), 1);
  // An empty queue answers with the default button, or the first.
  EXPECT_EQ(message("T", "x", MessageIcon::Information, "&Yes|&No|&Cancel", 3), 3);
  EXPECT_EQ(message("T", "x", MessageIcon::Exclamation), 1);
  ASSERT_EQ(script.shown().size(), 4u);
  const ShownMessage& first = script.shown()[0];
  EXPECT_EQ(first.title, "Save Record");
  EXPECT_EQ(first.text, "a|b");
  EXPECT_EQ(first.icon, MessageIcon::Question);
  EXPECT_EQ(first.defaultButton, 3);
  EXPECT_EQ(first.answer, 2);
  EXPECT_EQ(script.shown()[3].buttons, (std::vector<std::string>{"&OK"}));
}

TEST(MessageBox, ScriptsNestAndUnwind) {
  MessageScript outer;
  {
    MessageScript inner;
    message("inner", "", MessageIcon::Information);
    EXPECT_EQ(inner.shown().size(), 1u);
  }
  message("outer", "", MessageIcon::Information);
  ASSERT_EQ(outer.shown().size(), 1u);
  EXPECT_EQ(outer.shown()[0].title, "outer");
}

}  // namespace
}  // namespace vm
