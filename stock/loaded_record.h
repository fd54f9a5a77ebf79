#pragma once

#include "stock/records.h"
#include "stock/stock_loader.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::stock {

// Why a loaded field's text cannot be stored as it stands.
enum class Unstorable { None, NotANumber, TooWide, NotInList };

struct LoadedRecord {
    records::ObjectRecord record;
    // Per field of the kind's table; None where the field was stored as loaded.
    std::vector<Unstorable> faults;
};

// What an editor with no graphics stores after a load left its fields as
// loaded shows them and nothing else was typed: the fields' texts through
// their lengths, empty fields and unticked lists at their defaults, the
// unit editor's passengers at 0 when its vehicle boxes are open. A field
// whose text cannot be stored, or whose value its list lacks, takes the
// value of fallback instead (a list of several keeps the entries it holds),
// and its fault is recorded. The name, the internal name and the replaced object
// are left to the caller.
LoadedRecord loadedRecord(EntryKind kind, const StockObject& loaded, const records::ObjectRecord& fallback);

// The same without a fallback: a field that cannot be stored keeps its
// default.
records::ObjectRecord loadedRecord(EntryKind kind, const StockObject& loaded);

// Every stock object an editor of the kind knows, as its lists show them:
// the catalogue for units and buildings, the list of objects to replace for
// the others.
std::vector<std::string> objectList(EntryKind kind);

// The position of the object in the list the editor offers to be replaced
// (the catalogue for units and buildings, without graphics), if it is
// offered there.
std::optional<std::int32_t> replacementPosition(EntryKind kind, const std::string& identifier);

}
