// StoreMessages: the installed message service and the standard texts.
#include "store/StoreMessages.h"

#include <atomic>

namespace vm {

namespace {

// Answers with the last button so that an unattended run never retries
// forever and never confirms anything it was not told to.
class SilentMessages : public StoreMessages {
 public:
  int show(const Message& message) override {
    int buttons = 1;
    for (char c : message.buttons)
      if (c == '|') ++buttons;
    return buttons;
  }
};

SilentMessages silent;
std::atomic<StoreMessages*> installed{nullptr};

}  // namespace

StoreMessages& storeMessages() {
  StoreMessages* s = installed.load();
  return s ? *s : silent;
}

void setStoreMessages(StoreMessages* service) {
  installed.store(service);
}

std::string substitute(
    std::string_view text,
    std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    if (text[i] == '%') {
      for (const auto& [name, value] : values) {
        if (!name.empty() && text.substr(i, name.size()) == name) {
          out += value;
          i += name.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

namespace sm = standard_message;

Message confirmDeleteMessage() {
  return {"Confirm Delete", MessageIcon::Question, sm::kConfirmDeleteText, sm::kYesNo, 1};
}
Message saveRecordMessage() {
  return {"Save Record", MessageIcon::Question, sm::kSaveRecordText, sm::kYesNoCancel, 3};
}
Message recordAddedMessage() {
  return {"Record Added", MessageIcon::Question, sm::kRecordAddedText, sm::kYesNo, 1};
}
Message addNewRecordMessage() {
  return {"Add New Record?", MessageIcon::Question, sm::kAddNewRecordText, sm::kYesNo, 1};
}
Message rangeErrorMessage(std::string_view field, std::string_view range) {
  return {"Range Error", MessageIcon::Information,
          substitute(sm::kRangeErrorText, {{"%Field", field}, {"%Message", range}}), "", 1};
}
Message valueErrorMessage(std::string_view field, std::string_view list) {
  return {"Value Error", MessageIcon::Information,
          substitute(sm::kValueErrorText, {{"%Field", field}, {"%Message", list}}), "", 1};
}
Message duplicateKeyMessage(std::string_view key) {
  return {"Duplicate Key Error", MessageIcon::Exclamation,
          substitute(sm::kDuplicateKeyText, {{"%Message", key}}), "", 1};
}
Message autoIncrementMessage(std::string_view file, std::string_view key,
                             std::string_view errorText) {
  return {"Auto Increment Error", MessageIcon::Exclamation,
          substitute(sm::kAutoIncrementText,
                     {{"%File", file}, {"%Key", key}, {"%ErrorText", errorText}}),
          sm::kYesNo, 1};
}
Message recordInsertMessage(std::string_view file, std::string_view errorText) {
  return {"Record Insert Error", MessageIcon::Exclamation,
          substitute(sm::kRecordInsertText, {{"%File", file}, {"%ErrorText", errorText}}), "", 1};
}
Message recordUpdateMessage() {
  return {"Record Update Error", MessageIcon::Exclamation, sm::kRecordUpdateText, sm::kYesNo, 1};
}
Message recordDeleteMessage() {
  return {"Record Delete Error", MessageIcon::Exclamation, sm::kRecordDeleteText, sm::kYesNo, 1};
}
Message fileAccessMessage(std::string_view file, std::string_view errorText, bool fatal) {
  std::string text = substitute(sm::kFileAccessText, {{"%File", file}, {"%ErrorText", errorText}});
  if (fatal) text += sm::kFatalSuffix;
  return {"File Access Error", MessageIcon::Error, text, "", 1};
}
Message noRecordsMessage() {
  return {"No Records", MessageIcon::Information, sm::kNoRecordsText, "", 1};
}

}  // namespace vm
