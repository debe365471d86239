// Records every box the code under test shows and answers from a script.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "common/prompts.h"

namespace velmora::testing {

struct ShownBox {
  enum Kind { kError, kErrorWithArg, kMessage } kind;
  int id;
  std::string arg;
  unsigned flags;
  OwnerWindow owner;
};

class RecordingPrompts : public Prompts {
 public:
  int ShowError(int code, unsigned flags, OwnerWindow owner = nullptr) override {
    boxes.push_back({ShownBox::kError, code, {}, flags, owner});
    return Next();
  }
  int ShowErrorWithArg(int code, const std::string& arg, unsigned flags, OwnerWindow owner = nullptr) override {
    boxes.push_back({ShownBox::kErrorWithArg, code, arg, flags, owner});
    return Next();
  }
  int ShowMessage(unsigned stringId, unsigned flags) override {
    boxes.push_back({ShownBox::kMessage, static_cast<int>(stringId), {}, flags, nullptr});
    return Next();
  }

  // The ids of the boxes shown, in order.
  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const ShownBox& b : boxes) ids.push_back(b.id);
    return ids;
  }

  std::vector<ShownBox> boxes;
  std::deque<int> answers;  // buttons to answer with, in order; then defaultAnswer
  int defaultAnswer = 1;    // IDOK

 private:
  int Next() {
    if (answers.empty()) return defaultAnswer;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace velmora::testing
