// "ADM Basic Suite" v2: the plug-in's string lists, read from its module's resources, and
// alerts. Easel has no window yet, so an alert goes to stderr and is recorded for tests.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ADMBasic.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI GetIndexString(SPPluginRef plugin, int32_t listId, int32_t index, char* buffer, int32_t maxLength) {
    return Boundary(Op::ADMGetIndexString, kSPOutOfMemoryError, [&](Runtime& rt) -> SPErr {
        const PluginRecord* p = rt.FindPlugin(plugin);
        if (!p || !p->resources || !buffer || maxLength < 1 || listId < 0 || listId > 0xFFFF)
            return kSPBadParameterError;
        // A list is its string listId (the comment every list starts with) and those after it;
        // the format cannot tell an absent string from an empty one, so the head must be there.
        const std::optional<std::string> head = p->resources->String(static_cast<uint32_t>(listId));
        if (!head || head->empty()) return kSPBadParameterError;
        std::string text;
        const int64_t id = int64_t{listId} + index;
        if (index >= 0 && id <= 0xFFFF)
            text = p->resources->String(static_cast<uint32_t>(id)).value_or(std::string());
        const size_t n = std::min(text.size(), static_cast<size_t>(maxLength) - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
        return kSPNoError;
    });
}

void SPAPI MessageAlert(const char* text) {
    Runtime* rt = Runtime::live;
    const char* shown = text ? text : "";
    std::fprintf(stderr, "alert: %s\n", shown);
    if (!rt) return;
    try {
        rt->alerts.emplace_back(shown);
    } catch (...) {
        // Cannot fail: an alert that cannot be recorded has still been shown.
    }
}

const ADMBasicSuite kTable = {GetIndexString, MessageAlert};

}  // namespace

const void* ADMBasicSuiteTable() { return &kTable; }

}  // namespace easel
