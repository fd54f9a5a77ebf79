#include "editors/editor_form.h"

#include "common/cp1252.h"
#include "common/text.h"
#include "editors/filtered_line_edit.h"
#include "shell/accessibility.h"
#include "stock/line_helpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>

#include <algorithm>
#include <numeric>

namespace qx {
namespace {

using objects::Control;

bool isNumberField(const objects::Field& field)
{
    return field.control == Control::Number || field.control == Control::Decimal;
}

QString numberText(const objects::Field& field, std::int32_t value)
{
    if (field.emptyIs255 && value == objects::kEmpty)
        return {};
    return field.control == Control::Decimal ? commaText(value) : QString::number(value);
}

}

QString fromCp1252(const std::string& text)
{
    return QString::fromStdString(cp1252ToUtf8(text));
}

std::string toCp1252(const QString& text)
{
    return utf8ToCp1252(text.toStdString()).value_or(std::string());
}

QString commaText(std::int32_t hundredths)
{
    return QString::fromStdString(qx::commaText(hundredths, 100));
}

EditorForm::EditorForm(EntryKind kind, QTabWidget* pages, const ChoiceOptions& options)
    : table_(objects::tableOf(kind))
    , pages_(pages)
{
    pages_->setTabPosition(QTabWidget::South);
    for (const auto* caption : table_.pages) {
        auto* page = new QWidget;
        page->setObjectName(QString(caption).remove(' ').remove('/'));
        auto* grid = new QGridLayout(page);
        grid->setColumnStretch(1, 1);
        grids_.push_back(grid);
        pages_->addTab(page, caption);
    }
    std::vector<std::size_t> order(table_.fields.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const auto& x = table_.fields[a];
        const auto& y = table_.fields[b];
        return std::pair(x.page, x.row) < std::pair(y.page, y.row);
    });
    for (auto index : order) {
        const auto& field = table_.fields[index];
        if (field.control != Control::Replacement && field.control != Control::Derived)
            build(field, index, options);
    }
    for (auto* grid : grids_)
        grid->setRowStretch(grid->rowCount(), 1);
}

void EditorForm::build(const objects::Field& field, std::size_t index, const ChoiceOptions& options)
{
    auto* grid = grids_.at(field.page);
    int row = grid->rowCount();
    QWidget* widget = nullptr;
    QLabel* label = nullptr;
    if (field.control == Control::Box) {
        widget = new QCheckBox(field.label);
        widget->setAccessibleName(spokenCaption(field.label));
    } else {
        if (field.control == Control::OneChoice || field.control == Control::ManyChoices) {
            auto mode = field.control == Control::OneChoice ? ChoiceField::Mode::One : ChoiceField::Mode::Many;
            widget = new ChoiceField(field.menu(), mode, options ? options(field) : ChoiceField::Options{});
        } else {
            widget = new FilteredLineEdit(field.filter, field.maxLength);
        }
        label = labelFor(field.label, widget);
        label->setToolTip(field.hint);
        grid->addWidget(label, row, 0);
    }
    widget->setObjectName(field.id);
    widget->setToolTip(field.hint);
    grid->addWidget(widget, row, label ? 1 : 0, 1, label ? 1 : 2);
    built_.push_back({index, widget, label, row});
}

const EditorForm::Built* EditorForm::find(std::string_view id) const
{
    for (const auto& built : built_) {
        if (fieldOf(built).id == id)
            return &built;
    }
    return nullptr;
}

QWidget* EditorForm::widget(std::string_view id) const
{
    const auto* built = find(id);
    return built ? built->widget : nullptr;
}

FilteredLineEdit* EditorForm::field(std::string_view id) const
{
    return qobject_cast<FilteredLineEdit*>(widget(id));
}

ChoiceField* EditorForm::choice(std::string_view id) const
{
    return qobject_cast<ChoiceField*>(widget(id));
}

QCheckBox* EditorForm::box(std::string_view id) const
{
    return qobject_cast<QCheckBox*>(widget(id));
}

QLabel* EditorForm::label(std::string_view id) const
{
    const auto* built = find(id);
    return built ? built->label : nullptr;
}

QGridLayout* EditorForm::grid(int page) const
{
    return grids_.at(static_cast<std::size_t>(page));
}

int EditorForm::rowOf(std::string_view id) const
{
    const auto* built = find(id);
    return built ? built->row : -1;
}

void EditorForm::reset(const std::vector<std::string_view>& keep)
{
    for (const auto& built : built_) {
        if (std::find(keep.begin(), keep.end(), fieldOf(built).id) != keep.end())
            continue;
        if (auto* choice = qobject_cast<ChoiceField*>(built.widget))
            choice->reset();
        else if (auto* box = qobject_cast<QCheckBox*>(built.widget))
            box->setChecked(false);
        else if (auto* edit = qobject_cast<QLineEdit*>(built.widget))
            edit->clear();
    }
}

void EditorForm::fillDefaults()
{
    for (const auto& built : built_) {
        const auto& field = fieldOf(built);
        auto* choice = qobject_cast<ChoiceField*>(built.widget);
        if (choice && field.control == Control::OneChoice) {
            auto position = static_cast<std::size_t>(field.defaultValue);
            if (!choice->choice() && field.defaultValue != objects::kEmpty && position < choice->list().size())
                choice->click(position);
        } else if (auto* edit = qobject_cast<FilteredLineEdit*>(built.widget)) {
            if (isNumberField(field) && !field.emptyIs255 && edit->text().isEmpty())
                edit->setStoredText(numberText(field, field.defaultValue));
        }
    }
}

QStringList EditorForm::unstorableNumbers() const
{
    QStringList labels;
    for (const auto& built : built_) {
        const auto& field = fieldOf(built);
        auto* edit = qobject_cast<FilteredLineEdit*>(built.widget);
        if (edit && isNumberField(field) && !objects::storedNumber(field, edit->text().toStdString()))
            labels << "Please enter " + QString::fromStdString(objects::rangeText(field)) + " for " +
                          spokenCaption(field.label) + "!";
    }
    return labels;
}

void EditorForm::read(records::ObjectRecord& record) const
{
    for (const auto& built : built_) {
        const auto& field = fieldOf(built);
        auto& value = record.values.at(built.index);
        if (auto* choice = qobject_cast<ChoiceField*>(built.widget)) {
            if (field.control == Control::ManyChoices) {
                value.flags.assign(field.count, 0);
                for (auto position : choice->ticked())
                    value.flags.at(position) = 1;
            } else {
                auto chosen = choice->choice();
                value.number = chosen ? static_cast<std::int32_t>(*chosen) : field.defaultValue;
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(built.widget)) {
            value.number = box->isChecked() ? 1 : 0;
        } else if (auto* edit = qobject_cast<QLineEdit*>(built.widget)) {
            if (field.storage == objects::Storage::Text)
                value.text = toCp1252(edit->text());
            else
                value.number = objects::storedNumber(field, edit->text().toStdString()).value_or(field.defaultValue);
        }
    }
}

void EditorForm::fill(const records::ObjectRecord& record)
{
    for (const auto& built : built_) {
        const auto& field = fieldOf(built);
        const auto& value = record.values.at(built.index);
        if (auto* choice = qobject_cast<ChoiceField*>(built.widget)) {
            std::vector<std::size_t> positions;
            for (std::size_t i = 0; i < value.flags.size(); ++i) {
                if (value.flags[i] != 0)
                    positions.push_back(i);
            }
            auto position = static_cast<std::size_t>(static_cast<std::uint32_t>(value.number));
            if (field.control == Control::OneChoice && position < choice->list().size())
                positions = {position};
            // The tech level shows its number after an edit: -1 for "can't be built".
            QString text;
            if (field.load == objects::Load::TechLevel && !positions.empty())
                text = position == 0 ? "-1" : QString::number(position);
            choice->setTicked(positions, text);
        } else if (auto* box = qobject_cast<QCheckBox*>(built.widget)) {
            box->setChecked(value.number != 0);
        } else if (auto* edit = qobject_cast<FilteredLineEdit*>(built.widget)) {
            edit->setStoredText(field.storage == objects::Storage::Text ? fromCp1252(value.text) : numberText(field, value.number));
        }
    }
}

void EditorForm::apply(const stock::StockObject& object)
{
    for (const auto& shown : object.fields) {
        auto found = std::find_if(built_.begin(), built_.end(),
                                  [&](const Built& built) { return objects::plainLabel(fieldOf(built).label) == shown.label; });
        if (found == built_.end())
            continue;
        if (auto* choice = qobject_cast<ChoiceField*>(found->widget)) {
            choice->setTicked(shown.checked, fromCp1252(shown.text));
        } else if (auto* box = qobject_cast<QCheckBox*>(found->widget)) {
            box->setChecked(shown.box);
        } else if (auto* edit = qobject_cast<FilteredLineEdit*>(found->widget)) {
            edit->setStoredText(fromCp1252(shown.text));
        }
    }
}

}
