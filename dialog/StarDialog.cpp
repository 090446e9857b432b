#include "dialog/StarDialog.h"

#include "frame/SuiteTable.h"
#include "settings/StarSettings.h"

namespace corvanta {

namespace {

inline constexpr int32_t kStarDialogId = 16100;
inline constexpr int32_t kOkItem = 1;

// The items of the dialog are made here when it opens; until they are, the dialog is the
// empty frame of its template.
SPErr InitStarDialog(ADMDialogRef) { return kSPNoError; }

}  // namespace

SPErr RunStarDialog(AIFilterMessage* message) {
    if (!SettingsOf(message->parameters))
        if (SPErr error = CreateStarSettings(&message->parameters)) return error;
    StarSettings& settings = *SettingsOf(message->parameters);
    const StarSettings snapshot = settings;
    if (!ADMDialog()) return kSPSuiteNotFoundError;

    const int32_t item = ADMDialog()->Modal(message->d.self, "QM07_Corvanta", kStarDialogId,
                                            kADMModalDialogStyle, InitStarDialog, &settings);
    if (item == kOkItem) return kSPNoError;

    const SPErr error = UndoSuite() ? UndoSuite()->UndoChanges() : kSPSuiteNotFoundError;
    settings = snapshot;
    settings.previewDrawn = 0;
    return error ? error : kSPUserCanceledError;
}

}  // namespace corvanta
