#pragma once

#include "FieldDialog.h"
#include "KeptText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTreeWidget;
struct ApplicationDesc;
struct PackageDesc;
template <typename T> class EntryList;

// Ticks the packages an application is distributed to, from a list of all
// packages of the configuration. Any combination is accepted. A package
// whose name holds a blank is greyed; stored names of no package of the
// file follow the packages, ticked, so OK does not drop them unseen.
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
    // selection into the application's dstPackages; the loaded text as it
    // stands while the same rows are ticked.
    void applyTo(ApplicationDesc& application) const;

    // Shown after a package that cannot be ticked, and after a stored name
    // of no package of this file.
    static constexpr std::string_view kBlankReason = "a name with a blank cannot be a destination";
    static constexpr std::string_view kNotInFile = "not in this file";

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    void addRow(const std::string& name, bool ticked, std::string_view note, bool canTick);

    QTreeWidget* list_;
    // The stored names of no package, shown after the packages.
    std::vector<std::string> unknown_;
    std::vector<bool> ticks() const;

    std::optional<std::string> stored_;
    KeptText<std::vector<bool>> kept_;
};
