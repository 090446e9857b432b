#include "frame/Registration.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/Globals.h"
#include "frame/PascalString.h"
#include "frame/SuiteTable.h"

namespace corvanta {

namespace {

void SPAPI DefaultItemNotify(ADMItemRef item, ADMNotifierRef notifier) { ADMItem()->DefaultNotify(item, notifier); }

struct ErrorDialogData {
    const char* message;
    const char* codeText;
};

SPErr SPAPI InitErrorDialog(ADMDialogRef dialog) {
    const auto* data = static_cast<const ErrorDialogData*>(ADMDialog()->GetUserData(dialog));
    ADMItem()->SetNotifyProc(ADMDialog()->GetItem(dialog, 1), DefaultItemNotify);
    if (data) {
        ADMItem()->SetText(ADMDialog()->GetItem(dialog, 2), data->message);
        ADMItem()->SetText(ADMDialog()->GetItem(dialog, 3), data->codeText);
    }
    return kSPNoError;
}

SPErr SPAPI InitAboutDialog(ADMDialogRef dialog) {
    ADMItem()->SetNotifyProc(ADMDialog()->GetItem(dialog, 1), DefaultItemNotify);
    return kSPNoError;
}

// Without the host's conversion a plain reading of the leading number serves.
float ReadNumber(const char* text) {
    char buffer[257];
    std::snprintf(buffer, sizeof buffer, "%s", text);
    AIReal value = 0.0f;
    if (UserSuite() && CToPascal(buffer) &&
        UserSuite()->StringToReal(reinterpret_cast<const unsigned char*>(buffer), &value) == kSPNoError)
        return value;
    return std::strtof(text, nullptr);
}

}  // namespace

SPErr RegisterFilter(SPMessageData* message) {
    if (!ADMBasic() || !FilterSuite() || !MenuSuite() || !gGlobals) return kSPSuiteNotFoundError;
    char category[65] = {};
    char title[65] = {};
    int32_t added = 0;
    ADMBasic()->GetIndexString(message->self, kFilterStringList, 1, category, sizeof category);
    if (category[0] != '\0') {
        ADMBasic()->GetIndexString(message->self, kFilterStringList, 2, title, sizeof title);
        CToPascal(category);
        CToPascal(title);
        const PlatformAddFilterData data{reinterpret_cast<const unsigned char*>(category),
                                         reinterpret_cast<const unsigned char*>(title)};
        if (SPErr error = FilterSuite()->AddFilter(message->self, kFilterKey, &data, 0, &gGlobals->filterHandle))
            return error;
        added = 1;
        AIMenuItemHandle item = nullptr;
        if (SPErr error = FilterSuite()->GetFilterMenuItem(gGlobals->filterHandle, &item)) return error;
        if (SPErr error = MenuSuite()->UpdateMenuItemAutomatically(item, kAutoEnableMenuItemAction, 0, 0, 0, 0,
                                                                   kIfOpenDocument, 0))
            return error;
    }
    gGlobals->filterCount = added;
    return kSPNoError;
}

SPErr TextToCode(const char* codeString) {
    if (codeString[0] == '-' || (codeString[0] >= '0' && codeString[0] <= '9')) {
        const float value = ReadNumber(codeString);
        // Truncated toward zero, then only the low 16 bits count, as a signed number.
        const double truncated = std::trunc(static_cast<double>(value));
        const int64_t whole = std::isfinite(truncated) && std::fabs(truncated) < 9.0e18 ? static_cast<int64_t>(truncated) : 0;
        return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(whole) & 0xFFFFu));
    }
    // Short strings are padded with zero bytes rather than read past their end.
    char c[4] = {};
    for (int i = 0; i < 4 && codeString[i] != '\0'; ++i) c[i] = codeString[i];
    return SPFourCharCode(c[0], c[1], c[2], c[3]);
}

void CodeToText(SPErr code, char* text) {
    const int32_t high = code >> 16;
    if (high == 0 || high == -1) {
        unsigned char converted[256] = {};
        if (UserSuite() &&
            UserSuite()->RealToString(static_cast<AIReal>(code), 0, converted) == kSPNoError) {
            std::memcpy(text, converted, sizeof converted);
            PascalToC(text);
            return;
        }
        std::snprintf(text, 256, "%d", static_cast<int>(code));
        return;
    }
    const uint32_t bits = static_cast<uint32_t>(code);
    for (int i = 0; i < 4; ++i) text[i] = static_cast<char>((bits >> (24 - 8 * i)) & 0xFFu);
    text[4] = '\0';
}

void ReportError(SPMessageData* message, SPErr code) {
    if (code == kSPNoError || code == kSPUserCanceledError || !ADMBasic() || !ADMDialog() || !ADMItem())
        return;
    // Walk the pairs until the first empty code string; without a match the last message,
    // the catch-all, is shown.
    char codeString[256];
    int32_t index = 1;
    int32_t messageIndex = 0;
    for (;; index += 2) {
        codeString[0] = '\0';
        ADMBasic()->GetIndexString(message->self, kErrorStringList, index, codeString, sizeof codeString);
        if (codeString[0] == '\0') {
            messageIndex = index - 1;
            break;
        }
        if (TextToCode(codeString) == code) {
            messageIndex = index + 1;
            break;
        }
    }
    char text[256] = {};
    if (messageIndex < 1 ||
        ADMBasic()->GetIndexString(message->self, kErrorStringList, messageIndex, text, sizeof text) != kSPNoError)
        return;
    char codeText[256] = {};
    CodeToText(code, codeText);
    ErrorDialogData data{text, codeText};
    ADMDialog()->Modal(message->self, "Error Dialog", kErrorDialogId, kADMModalDialogStyle, InitErrorDialog, &data);
}

SPErr ShowAbout(SPMessageData* message) {
    if (ADMDialog() && ADMItem())
        ADMDialog()->Modal(message->self, "About Dialog", kAboutDialogId, kADMModalDialogStyle, InitAboutDialog, nullptr);
    return kSPNoError;
}

}  // namespace corvanta
