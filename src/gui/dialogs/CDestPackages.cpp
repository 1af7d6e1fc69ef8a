#include "CDestPackages.h"

#include "config/ApplicationDesc.h"
#include "config/EntryList.h"
#include "config/PackageDesc.h"
#include "config/TextUtil.h"
#include "framework/AnsiQt.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

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
}

void CDestPackages::applyTo(ApplicationDesc& application) const {
    application.dstPackages = selection;
}

bool CDestPackages::isSelected(std::string_view name, std::string_view selection) {
    // The whole name between blanks: a stored PKG10 must not tick PKG1, or
    // OK would add a destination nobody chose.
    if (name.empty())
        return false;
    const std::string padded = " " + TextUtil::upper(selection) + " ";
    return padded.find(" " + TextUtil::upper(name) + " ") != std::string::npos;
}

void CDestPackages::exchangeFieldsIn() {
    list_->clear();
    for (const std::string& name : names) {
        auto* item = new QTreeWidgetItem(list_, {AnsiQt::toQString(name)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, isSelected(name, selection) ? Qt::Checked : Qt::Unchecked);
    }
}

void CDestPackages::accept() {
    std::string ticked;
    const int rows = std::min(list_->topLevelItemCount(), static_cast<int>(names.size()));
    for (int row = 0; row < rows; ++row) {
        if (list_->topLevelItem(row)->checkState(0) != Qt::Checked)
            continue;
        // The name as held, not as the list shows it.
        ticked += names[static_cast<std::size_t>(row)];
        ticked += ' ';
    }
    selection = ticked;
    QDialog::accept();
}
