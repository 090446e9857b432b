// "AI Filter Suite" v2: the filters plug-ins add to the filter menu, kept in the session until
// their plug-in is removed. A filter's menu item shares its id, so each filter has exactly one.
#include <cstring>

#include "AIFilterSuite.h"
#include "suites/RecordLayouts.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

std::string FromPascal(const unsigned char* text) { return std::string(reinterpret_cast<const char*>(text + 1), text[0]); }

SPErr SPAPI AddFilter(SPPluginRef self, const char* name, const PlatformAddFilterData* data, int32_t options,
                      AIFilterHandle* filter) {
    return Boundary(Op::FilterAdd, kSPOutOfMemoryError, [&](Runtime& rt) -> SPErr {
        if (!filter) return kSPBadParameterError;
        *filter = nullptr;
        if (!name || !data || !data->category || !data->title || options != 0) return kSPBadParameterError;
        // A filter belongs to a plug-in the host loaded: a ref it never gave, or one of a plug-in
        // already removed, would leave a filter no unloading ever takes away.
        if (!rt.FindPlugin(self)) return kSPBadParameterError;
        if (data->title[0] == 0) return kSPBadParameterError;
        for (const FilterRecord& f : rt.filters)
            if (f.live && f.info.key == name) return kSPBadParameterError;
        FilterRecord record;
        record.info.plugin = self;
        record.info.key = name;
        record.info.category = FromPascal(data->category);
        record.info.title = FromPascal(data->title);
        const auto id = static_cast<uint32_t>(rt.filters.size() + 1);
        record.info.handle = MakeHandle<AIFilterHandle>(HandleKind::Filter, id);
        record.info.menuItem = MakeHandle<AIMenuItemHandle>(HandleKind::MenuItem, id);
        rt.filters.push_back(std::move(record));
        *filter = rt.filters.back().info.handle;
        return kSPNoError;
    });
}

SPErr SPAPI GetFilterMenuItem(AIFilterHandle filter, AIMenuItemHandle* menuItem) {
    return Boundary(Op::FilterGetMenuItem, kSPOutOfMemoryError, [&](Runtime& rt) -> SPErr {
        const FilterRecord* f = rt.FindFilter(filter);
        if (!f || !menuItem) return kSPBadParameterError;
        *menuItem = f->info.menuItem;
        return kSPNoError;
    });
}

const AIFilterSuite kTable = {AddFilter, GetFilterMenuItem};

}  // namespace

const void* FilterSuiteTable() { return &kTable; }

}  // namespace easel
