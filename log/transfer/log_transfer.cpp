#include "log_transfer.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "atomic_file.h"
#include "entry_key.h"
#include "export_target.h"
#include "log_change.h"
#include "log_export.h"

Failure ExportTo(const LogSession& session, const std::string& destination) {
    if (Failure refused = CheckExportTarget(session.Path(), destination)) {
        return refused;
    }
    return ReplaceFileAtomically(destination, ExportLog(session.Book()));
}

ImportPlan PlanImportInto(const LogSession& session, std::string_view bytes,
                          const ImportOptions& options) {
    try {
        return PlanImport(bytes, session.Book(), options);
    } catch (const std::bad_alloc&) {
        ImportPlan refused;
        refused.unusable = SystemError("Cannot import into", session.Path(), ENOMEM).Text();
        return refused;
    }
}

ImportResult ImportPlanned(LogSession& session, const ImportPlan& plan) {
    ImportResult result;
    result.change = session.Make(LogChange::Import(plan.entries, plan.units, plan.inLog));
    if (result.change.readBack.ok()) {
        try {
            const std::vector<bool> held = HeldCopies(session.Book(), plan.entries, plan.inLog);
            result.added = static_cast<int32_t>(std::count(held.begin(), held.end(), true));
        } catch (const std::bad_alloc&) {
            // Saved and read back, but too little memory is left to count what arrived: every
            // planned entry was made to the log.
            result.added = static_cast<int32_t>(plan.entries.size());
        }
    }
    return result;
}
