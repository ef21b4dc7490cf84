#include "Prompt.h"

#include "Text1252.h"

namespace cv {

void ShowBox(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon) {
  prompter.Message(icon, From1252(caption), From1252(text), MsgOk);
}

bool AskBoxYesNo(Prompter& prompter, const std::string& text, const std::string& caption, MsgIcon icon) {
  return prompter.Message(icon, From1252(caption), From1252(text), MsgYes | MsgNo) == MsgAnswer::Yes;
}

MsgAnswer AskBoxYesNoCancel(Prompter& prompter, const std::string& text, const std::string& caption,
                            MsgIcon icon) {
  MsgAnswer a = prompter.Message(icon, From1252(caption), From1252(text), MsgYes | MsgNo | MsgCancel);
  return a == MsgAnswer::Ok ? MsgAnswer::Cancel : a;
}

bool AskToSaveChanges(Prompter& prompter, const std::string& text, const std::string& caption,
                      const std::function<bool()>& save) {
  switch (AskBoxYesNoCancel(prompter, text, caption, MsgIcon::Information)) {
    case MsgAnswer::Yes:
      return save();
    case MsgAnswer::No:
      return true;
    default:
      return false;
  }
}

}  // namespace cv
