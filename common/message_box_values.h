// Message-box styles the program passes and the buttons that close a box or a modal run, as
// the platform numbers them: portable code decides with them, the windows pass them on.
#pragma once

namespace velmora {

constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconHand = 0x10;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbTaskModal = 0x2000;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;

}  // namespace velmora
