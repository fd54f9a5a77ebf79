#include "general/general_window.h"

#include "common/cp1252.h"
#include "editors/choice_field.h"
#include "general/section_writers.h"
#include "editors/editor_form.h"
#include "editors/filtered_line_edit.h"
#include "project/project_window.h"
#include "shell/accessibility.h"
#include "shell/dialog_service.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace qx {
namespace {

using general::Field;
using general::Format;

// Entries of a list the game does not know are shown, but cannot be chosen.
ChoiceField::Options choiceOptions(const general::Group& group, const Field& field)
{
    ChoiceField::Options options;
    for (std::size_t i = 0; i < general::choiceList(group, field).size(); ++i) {
        if (!general::offered(field, i))
            options.unclickable.insert(i);
    }
    options.unclickableReason = field.format == Format::UnitChoice
                                    ? "A unit crate holds a vehicle, not a crate kind."
                                    : "The game knows no crate kind of this name: it reads it as Money.";
    return options;
}

bool isChoice(const Field& field)
{
    return field.format == Format::Section || field.format == Format::CrateChoice || field.format == Format::UnitChoice ||
           field.format == Format::TechLevel;
}

// Pages with more fields than fit scroll.
bool scrolls(EntryKind kind)
{
    return kind == EntryKind::SpecialWeapons || kind == EntryKind::ComputerPlayer;
}

}

TGeneral::TGeneral(Windows& windows)
    : windows_(windows)
{
    setObjectName("TGeneral");
    setWindowTitle("General Settings");
    auto* layout = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName("pages");
    pages->setAccessibleName("Pages");
    layout->addWidget(pages);
    for (const auto* group : general::pageOrder())
        buildPage(*group);
    resize(620, 520);
}

void TGeneral::buildPage(const general::Group& group)
{
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    Page page{&group, std::vector<QWidget*>(group.fields.size()), nullptr, 0};
    // The window shows the fields in the order of their record.
    std::vector<std::size_t> order(group.fields.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return group.fields[a].offset < group.fields[b].offset; });
    for (auto index : order) {
        const auto& field = group.fields[index];
        int row = grid->rowCount();
        QWidget* widget = nullptr;
        if (field.format == Format::YesNo || field.format == Format::OneOrZero) {
            widget = new QCheckBox(field.label);
            widget->setAccessibleName(spokenCaption(field.label));
            grid->addWidget(widget, row, 0, 1, 2);
        } else {
            if (isChoice(field))
                widget = new ChoiceField(general::choiceList(group, field), ChoiceField::Mode::One, choiceOptions(group, field));
            else {
                widget = new FilteredLineEdit(field.filter, field.maxLength, nullptr, field.limit);
                widget->setToolTip(QString::fromStdString(general::takesText(field)));
            }
            grid->addWidget(labelFor(field.label, widget), row, 0);
            grid->addWidget(widget, row, 1);
        }
        widget->setObjectName(*field.name ? field.name : "section");
        page.widgets[index] = widget;
    }
    page.add = new QPushButton("Add to Project");
    page.add->setObjectName(QString("AddButton") + QString::number(byteOf(group.kind)));
    grid->addWidget(page.add, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    auto kind = group.kind;
    connect(page.add, &QPushButton::clicked, this, [this, kind] { runCommand(*windows_.dialogs, [&] { store(kind); }); });
    QWidget* tab = content;
    if (scrolls(kind)) {
        auto* scroll = new QScrollArea;
        scroll->setWidget(content);
        scroll->setWidgetResizable(true);
        tab = scroll;
    }
    page.tab = pages->addTab(tab, group.caption);
    pages_.push_back(std::move(page));
}

const TGeneral::Page& TGeneral::pageOf(EntryKind kind) const
{
    return *std::find_if(pages_.begin(), pages_.end(), [&](const Page& page) { return page.group->kind == kind; });
}

QWidget* TGeneral::field(EntryKind kind, std::string_view name) const
{
    const auto& page = pageOf(kind);
    for (std::size_t i = 0; i < page.widgets.size(); ++i) {
        const auto& field = page.group->fields[i];
        bool section = field.format == Format::Section && name == "section";
        if (section || name == field.name || name == field.label)
            return page.widgets[i];
    }
    return nullptr;
}

QPushButton* TGeneral::addButton(EntryKind kind) const
{
    return pageOf(kind).add;
}

void TGeneral::resetPage(EntryKind kind)
{
    for (auto* widget : pageOf(kind).widgets) {
        if (auto* choice = qobject_cast<ChoiceField*>(widget))
            choice->reset();
        else if (auto* box = qobject_cast<QCheckBox*>(widget))
            box->setChecked(false);
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->clear();
    }
}

bool TGeneral::numbersStorable(const Page& page)
{
    bool storable = true;
    for (std::size_t i = 0; i < page.widgets.size(); ++i) {
        auto* edit = qobject_cast<FilteredLineEdit*>(page.widgets[i]);
        const auto& field = page.group->fields[i];
        if (edit && !general::storedValue(field, edit->text().toStdString())) {
            windows_.dialogs->error("Please enter " + QString::fromStdString(general::rangeText(field)) + " for " +
                                    spokenCaption(field.label) + "!");
            storable = false;
        }
    }
    return storable;
}

void TGeneral::fillDefaults(const Page& page)
{
    const auto stockRecord = general::stockGroup(*page.group, 0);
    for (std::size_t i = 0; i < page.widgets.size(); ++i) {
        const auto& field = page.group->fields[i];
        if (auto* edit = qobject_cast<FilteredLineEdit*>(page.widgets[i]); edit && edit->text().isEmpty())
            edit->setStoredText(field.defaultText);
        auto* choice = qobject_cast<ChoiceField*>(page.widgets[i]);
        if (choice && field.format != Format::Section && !choice->choice())
            choice->click(static_cast<std::size_t>(stockRecord.values[i]));
    }
}

general::GroupRecord TGeneral::recordOf(const Page& page) const
{
    general::GroupRecord record{page.group->kind, {}};
    for (std::size_t i = 0; i < page.widgets.size(); ++i) {
        const auto& field = page.group->fields[i];
        std::int32_t value = 0;
        if (auto* choice = qobject_cast<ChoiceField*>(page.widgets[i])) {
            auto chosen = choice->choice();
            value = chosen ? static_cast<std::int32_t>(*chosen) : field.format == Format::Section ? objects::kEmpty : 0;
        } else if (auto* box = qobject_cast<QCheckBox*>(page.widgets[i])) {
            value = box->isChecked() ? 1 : 0;
        } else if (auto* edit = qobject_cast<FilteredLineEdit*>(page.widgets[i])) {
            value = general::storedValue(field, edit->text().toStdString()).value_or(0);
        }
        record.values.push_back(value);
    }
    return record;
}

void TGeneral::store(EntryKind kind)
{
    const auto& page = pageOf(kind);
    const auto& group = *page.group;
    QString chosen;
    if (auto* section = qobject_cast<ChoiceField*>(field(kind, "section"))) {
        chosen = section->text();
        if (chosen.isEmpty())
            return;
    }
    if (!numbersStorable(page))
        return;
    DisabledWhile busy(this);
    fillDefaults(page);
    auto name = chosen.isEmpty() ? std::string(group.entryName) : toCp1252(chosen);
    windows_.prjform->storeEntry({kind, name, general::pack(recordOf(page)), {}},
                                 std::string(group.listLine) + toCp1252(chosen));
}

void TGeneral::loadEntry(int, const project::Entry& entry)
{
    const auto& page = pageOf(entry.kind);
    resetPage(entry.kind);
    auto record = general::unpackGroup(entry.kind, entry.data);
    for (std::size_t i = 0; i < page.widgets.size(); ++i) {
        const auto& field = page.group->fields[i];
        auto value = record.values[i];
        if (auto* choice = qobject_cast<ChoiceField*>(page.widgets[i])) {
            if (value >= 0 && static_cast<std::size_t>(value) < choice->list().size())
                choice->setTicked({static_cast<std::size_t>(value)});
        } else if (auto* box = qobject_cast<QCheckBox*>(page.widgets[i])) {
            box->setChecked(value != 0);
        } else if (auto* edit = qobject_cast<FilteredLineEdit*>(page.widgets[i])) {
            edit->setStoredText(QString::fromStdString(general::shownValue(field, value)));
        }
    }
    pages->setCurrentIndex(page.tab);
    showToFront(this);
    for (const auto& fault : general::playFaults(record))
        windows_.dialogs->information(QString::fromStdString(cp1252ToUtf8(fault)));
}

void TGeneral::closeEvent(QCloseEvent* event)
{
    for (const auto& page : pages_)
        resetPage(page.group->kind);
    event->accept();
}

}
