#pragma once

#include "editors/choice_field.h"
#include "stock/records.h"
#include "stock/object_fields.h"
#include "stock/stock_loader.h"

#include <QStringList>

#include <functional>
#include <map>
#include <string_view>

class QCheckBox;
class QGridLayout;
class QLabel;
class QTabWidget;

namespace qx {

class FilteredLineEdit;

// The fields of one object kind on the pages of its editor, built from the
// kind's table: each with its label (whose buddy it is), hint, filter,
// length and menu. Reading the window into a record, filling it from one,
// the defaults, the number checks and the stock loader's result are loops
// over the same table.
class EditorForm {
public:
    using ChoiceOptions = std::function<ChoiceField::Options(const objects::Field&)>;

    EditorForm(EntryKind kind, QTabWidget* pages, const ChoiceOptions& options = {});

    const objects::ObjectTable& table() const { return table_; }
    QWidget* widget(std::string_view id) const;
    FilteredLineEdit* field(std::string_view id) const;
    ChoiceField* choice(std::string_view id) const;
    QCheckBox* box(std::string_view id) const;
    QLabel* label(std::string_view id) const;
    QGridLayout* grid(int page) const;
    // The grid row of a field, for what an editor places beside it.
    int rowOf(std::string_view id) const;

    // Empties every field but those named, unticks every list, clears every box.
    void reset(const std::vector<std::string_view>& keep = {});
    // An empty number field gets its default, a list with nothing ticked its
    // default entry as if clicked; fields whose empty text is stored as 255
    // stay empty.
    void fillDefaults();
    // What to tell of each number field whose text cannot be stored, with
    // the range it takes, in window order.
    QStringList unstorableNumbers() const;
    // The built fields' values into the record (texts as Windows-1252).
    void read(records::ObjectRecord& record) const;
    // The record's values into the built fields, as an edit shows them.
    void fill(const records::ObjectRecord& record);
    // What the stock loader found, as it leaves an editor.
    void apply(const stock::StockObject& object);

private:
    struct Built {
        std::size_t index;
        QWidget* widget;
        QLabel* label;
        int row;
    };
    const Built* find(std::string_view id) const;
    const objects::Field& fieldOf(const Built& built) const { return table_.fields[built.index]; }
    void build(const objects::Field& field, std::size_t index, const ChoiceOptions& options);

    const objects::ObjectTable& table_;
    QTabWidget* pages_;
    std::vector<QGridLayout*> grids_;
    std::vector<Built> built_;  // in window order
};

// Hundredths as a field shows them: "5,75", "6", "0,75".
QString commaText(std::int32_t hundredths);

// Texts of the project are Windows-1252; a text without that form gives
// nothing (the editors refuse such names before they store them).
QString fromCp1252(const std::string& text);
std::string toCp1252(const QString& text);

}
