// Registration.h: how the plug-in presents itself outside the settings dialog: the filter in
// the host's menu, failure codes shown to the user, and the About box.
#pragma once

#include "SPMessage.h"

namespace corvanta {

inline constexpr int32_t kFilterStringList = 16000;  // 1: category, 2: title
inline constexpr int32_t kErrorStringList = 16050;   // pairs of code string and message
inline constexpr int32_t kAboutDialogId = 16050;
inline constexpr int32_t kErrorDialogId = 16051;
inline constexpr const char* kFilterKey = "QM07_Corvanta";

// Adds the filter named by the first pair of string list 16000 and lets the host enable its
// menu item while a document is open. Returns 0 or the first failing host code;
// kSPSuiteNotFoundError when a suite it needs is missing.
SPErr RegisterFilter(SPMessageData* message);

// Shows the error dialog with the message of code's entry in the error table and the code's
// text; nothing for 0, kSPUserCanceledError, a missing dialog service or an unreadable message.
void ReportError(SPMessageData* message, SPErr code);

// Shows the About box. Always returns 0.
SPErr ShowAbout(SPMessageData* message);

// A code string of the error table as a code: a number ("-108") is read by the host, cut to
// its low 16 bits and sign-extended; anything else is its first four characters.
SPErr TextToCode(const char* codeString);

// The text the error dialog shows for a code: the signed decimal number for codes from -65536
// to 65535, the four characters otherwise. text holds 256 bytes.
void CodeToText(SPErr code, char* text);

}  // namespace corvanta
