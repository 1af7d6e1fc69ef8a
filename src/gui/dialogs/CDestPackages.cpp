#include "CDestPackages.h"

#include "config/ApplicationDesc.h"
#include "config/DestinationNames.h"
#include "config/PackageDesc.h"
#include "framework/AnsiQt.h"
#include "text/EntryList.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>
#include <utility>

namespace {

constexpr int kColumnWidth = 150;

} // namespace

CDestPackages::CDestPackages(QWidget* parent)
    : FieldDialog(kTemplateId, "Destination packages", 236, 95, parent),
      list_(new QTreeWidget(this)) {
    setResourceId(*list_, kListId);
    list_->setColumnCount(1);
    list_->setHeaderLabels({QStringLiteral("Package")});
    list_->headerItem()->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    list_->header()->setStretchLastSection(false);
    list_->setColumnWidth(0, kColumnWidth);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    setValueControl(list_);
}

void CDestPackages::loadFrom(const EntryList<PackageDesc>& packages, std::string_view dstPackages) {
    names.clear();
    for (const PackageDesc& package : packages)
        names.push_back(package.name);
    selection = " " + std::string(dstPackages);
    stored_ = dstPackages;
}

void CDestPackages::applyTo(ApplicationDesc& application) const {
    application.dstPackages = selection;
}

void CDestPackages::exchangeFieldsIn() {
    list_->clear();
    unknown_.clear();
    std::vector<bool> ticked(names.size(), false);
    for (const DestinationNames::Name& stored : DestinationNames::read(selection, names)) {
        if (stored.package >= 0)
            ticked[static_cast<std::size_t>(stored.package)] = true;
        else if (std::find(unknown_.begin(), unknown_.end(), stored.text) == unknown_.end())
            unknown_.push_back(stored.text);
    }
    for (std::size_t row = 0; row < names.size(); ++row) {
        const bool canTick = DestinationNames::canStand(names[row]);
        addRow(names[row], ticked[row], canTick ? std::string_view() : kBlankReason, canTick);
    }
    for (const std::string& name : unknown_)
        addRow(name, true, kNotInFile, true);
    if (stored_)
        kept_.load(*stored_, ticks());
}

std::vector<bool> CDestPackages::ticks() const {
    std::vector<bool> ticked;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        ticked.push_back(list_->topLevelItem(row)->checkState(0) == Qt::Checked);
    return ticked;
}

// A greyed row keeps the tick it was stored with.
void CDestPackages::addRow(const std::string& name, bool ticked, std::string_view note,
                           bool canTick) {
    QString text = AnsiQt::toQString(name);
    if (!note.empty())
        text += QStringLiteral(" (") + AnsiQt::toQString(note) + u')';
    auto* item = new QTreeWidgetItem(list_, {text});
    item->setToolTip(0, note.empty() ? QString() : AnsiQt::toQString(note));
    item->setFlags(canTick ? item->flags() | Qt::ItemIsUserCheckable
                           : item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
    item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void CDestPackages::accept() {
    std::string ticked;
    const std::size_t rows = static_cast<std::size_t>(list_->topLevelItemCount());
    for (std::size_t row = 0; row < rows && row < names.size() + unknown_.size(); ++row) {
        if (list_->topLevelItem(static_cast<int>(row))->checkState(0) != Qt::Checked)
            continue;
        // The name as held, not as the list shows it.
        ticked += row < names.size() ? names[row] : unknown_[row - names.size()];
        ticked += ' ';
    }
    selection = kept_.orRebuilt(ticks(), std::move(ticked));
    QDialog::accept();
}
