#include "elements/support/debug_message.h"

#include "platform/message_box.h"
#include "platform/services.h"

namespace lumi {

void DebugMessage(const Text& text) { platform::Current().message_box->Show(text, "String-Debug"); }

}  // namespace lumi
