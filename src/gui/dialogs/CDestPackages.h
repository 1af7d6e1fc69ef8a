#pragma once

#include "FieldDialog.h"

#include <string>
#include <string_view>
#include <vector>

class QTreeWidget;
struct ApplicationDesc;
struct PackageDesc;
template <typename T> class EntryList;

// Ticks the packages an application is distributed to, from a list of all
// packages of the configuration. Any combination is accepted.
class CDestPackages : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 165;
    static constexpr int kListId = 1024;

    explicit CDestPackages(QWidget* parent = nullptr);

    // Every package name in the configuration's order; its size is the count.
    std::vector<std::string> names;
    // In: the application's dstPackages with one blank put in front.
    // Out: the ticked names in list order, each followed by one blank.
    std::string selection;

    // names from the packages, selection from the application's dstPackages.
    void loadFrom(const EntryList<PackageDesc>& packages, std::string_view dstPackages);
    // selection into the application's dstPackages.
    void applyTo(ApplicationDesc& application) const;

    // Whether a name is shown ticked: it occurs in the selection, ignoring
    // case, first at position 1 or later. Inside a longer name counts too;
    // an empty name never does.
    static bool isSelected(std::string_view name, std::string_view selection);

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    QTreeWidget* list_;
};
