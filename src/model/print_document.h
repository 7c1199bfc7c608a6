// How a print document ends, from what the spooler accepted on the way.
#pragma once

namespace ondrix {

struct PrintProgress {
  bool documentStarted;  // StartDoc succeeded
  bool pageStarted;      // StartPage succeeded
  bool pageEnded;        // EndPage, asked only of a started page, succeeded
  bool cancelled;        // the user cancelled while the page was drawn
};

enum class DocumentEnd {
  None,   // never started: there is nothing to end
  End,    // EndDoc: the page goes to the printer
  Abort,  // AbortDoc: cancelled, or a page the spooler refused, never sent empty
};

DocumentEnd EndOfDocument(const PrintProgress& progress);

}  // namespace ondrix
