#include "log_transfer.h"

#include <cerrno>
#include <new>

#include "atomic_file.h"
#include "entry_key.h"
#include "export_target.h"
#include "log_change.h"
#include "log_export.h"

namespace {

// How many of `entries` the book holds, by the import's rule of what makes two entries the same.
int32_t HeldCount(const LogBook& book, const std::vector<LogRecord>& entries) {
    EntrySet held(UsedCount(book), book.units);
    for (std::size_t i = 0; i < UsedCount(book); ++i) {
        held.Insert(book.records[i]);
    }
    int32_t count = 0;
    for (const LogRecord& r : entries) {
        count += held.Contains(r) ? 1 : 0;
    }
    return count;
}

}  // namespace

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
    result.change = session.Make(LogChange::Import(plan.entries, plan.units));
    if (result.change.readBack.ok()) {
        try {
            result.added = HeldCount(session.Book(), plan.entries);
        } catch (const std::bad_alloc&) {
            // Saved and read back, but too little memory is left to count what arrived: every
            // planned entry was made to the log.
            result.added = static_cast<int32_t>(plan.entries.size());
        }
    }
    return result;
}
