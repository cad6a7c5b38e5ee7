#pragma once

#include "MailerEntry.h"

#include <array>
#include <string>

namespace vell3 {

class TF_Main;

// The mailer entry as the main window shows it now: the recipient memo's
// displayed lines, city, state, the ZIP as its masked field reads, RE,
// comment, the restricted tick and the five fee texts as displayed.
mailing::MailerEntry EntryOfWindow(const TF_Main& window);

// The five sender lines as the "Your Name and Address" box shows them.
std::array<std::string, 5> SenderLinesOfWindow(const TF_Main& window);

} // namespace vell3
