// StoreMessages: how the record store talks to the user.  The store never
// draws a window; it hands a Message to whatever StoreMessages the program
// installed (the window layer shows a real message box, tests record the
// message and answer from a script).  Also the texts of the standard
// record-store messages, which the browse and form machinery show as well.
//
// Text conventions: "|" in a text starts a new line; a button list such as
// "&Yes|&No" names the buttons in order and the answer is the 1-based
// position of the button pressed; an empty list means one OK button.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace vm {

enum class MessageIcon { Information, Question, Exclamation, Error };

struct Message {
  std::string title;
  MessageIcon icon = MessageIcon::Information;
  std::string text;
  std::string buttons;    // "" = OK only
  int defaultButton = 1;  // 1-based
};

class StoreMessages {
 public:
  virtual ~StoreMessages() = default;
  // Shows `message` and returns the 1-based position of the button pressed.
  virtual int show(const Message& message) = 0;
};

// The service the store shows its messages through.  Until one is installed
// the store uses a silent one that answers with the last button (OK, or No
// to a Yes/No question), so nothing ever waits for a person.
StoreMessages& storeMessages();
// Installs `service` (not owned; nullptr puts the silent one back).
void setStoreMessages(StoreMessages* service);

// `text` with every "%Name" of `values` replaced, each replacement made once
// per occurrence in the original text (replacement texts are not searched
// again).
std::string substitute(std::string_view text,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// The standard messages.  Placeholders already filled in from the arguments.
namespace standard_message {
inline constexpr const char* kConfirmDeleteText =
    "Are you sure you want to delete the highlighted record?";
inline constexpr const char* kSaveRecordText = "Do you want to save the changes to this record?";
inline constexpr const char* kRecordAddedText =
    "This record has been added to the file. Do you want to add another record?";
inline constexpr const char* kAddNewRecordText =
    "Record match not found, do you wish to add a new one?";
inline constexpr const char* kRangeErrorText = "The value of %Field must be in range %Message.";
inline constexpr const char* kValueErrorText =
    "The value of %Field must be in the list : %Message.";
inline constexpr const char* kDuplicateKeyText =
    "Adding this record creates a duplicate entry for the key: %Message";
inline constexpr const char* kAutoIncrementText =
    "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: "
    "%ErrorText.|Try Again?";
inline constexpr const char* kRecordInsertText =
    "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText.";
inline constexpr const char* kRecordUpdateText =
    "An error was experienced changing this record. Do you want to try to save again?";
inline constexpr const char* kRecordDeleteText =
    "An error was experienced deleting this record. Do you want to try to delete it again?";
inline constexpr const char* kFileAccessText =
    "File %File could not be opened.  Error: %ErrorText.";
inline constexpr const char* kFatalSuffix = "  Press OK to end this application";
inline constexpr const char* kNoRecordsText = "There are no records available to process.";
inline constexpr const char* kYesNo = "&Yes|&No";
inline constexpr const char* kYesNoCancel = "&Yes|&No|&Cancel";
}  // namespace standard_message

Message confirmDeleteMessage();  // Yes, No
Message saveRecordMessage();     // Yes, No, Cancel; Cancel the default
Message recordAddedMessage();    // Yes, No
Message addNewRecordMessage();   // Yes, No; Yes the default
Message rangeErrorMessage(std::string_view field, std::string_view range);
Message valueErrorMessage(std::string_view field, std::string_view list);
Message duplicateKeyMessage(std::string_view key);
Message autoIncrementMessage(std::string_view file, std::string_view key,
                             std::string_view errorText);  // Yes, No
Message recordInsertMessage(std::string_view file, std::string_view errorText);
Message recordUpdateMessage();  // Yes, No
Message recordDeleteMessage();  // Yes, No
// With `fatal` the text ends in "  Press OK to end this application".
Message fileAccessMessage(std::string_view file, std::string_view errorText, bool fatal = true);
Message noRecordsMessage();

}  // namespace vm
