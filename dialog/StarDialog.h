// StarDialog.h: the settings dialog over the filter's record.
#pragma once

#include "AIFilter.h"

namespace corvanta {

// Creates the record when the filter has none, keeps a copy, and runs the modal dialog
// "QM07_Corvanta" (resource 16100). OK keeps the edits and returns 0; any other end undoes the
// preview art of this message, restores the copy, clears previewDrawn and returns
// kSPUserCanceledError. A failing host call returns its code unchanged.
SPErr RunStarDialog(AIFilterMessage* message);

}  // namespace corvanta
