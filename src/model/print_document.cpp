#include "model/print_document.h"

namespace ondrix {

DocumentEnd EndOfDocument(const PrintProgress& progress) {
  if (!progress.documentStarted) {
    return DocumentEnd::None;
  }
  if (progress.cancelled || !progress.pageStarted || !progress.pageEnded) {
    return DocumentEnd::Abort;
  }
  return DocumentEnd::End;
}

}  // namespace ondrix
