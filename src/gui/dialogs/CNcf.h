#pragma once

#include "PathDialog.h"
#include "framework/Catalogue.h"

#include <string>
#include <string_view>

class QLineEdit;
struct PackageDesc;

// Edits the pair of command files a package runs at one moment: one on the
// source server, one on the target servers. Either may be empty; a given one
// must be in volume form, so a local file is refused.
class CNcf : public PathDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 172;
    static constexpr int kSourceId = 1033;
    static constexpr int kSourceBrowseId = 1035;
    static constexpr int kTargetId = 1034;
    static constexpr int kTargetBrowseId = 1013;

    // When the engine runs the pair: before the jobs, after them, or when
    // the package is suspended.
    using Moment = NcfMoment;

    explicit CNcf(QWidget* parent = nullptr, const PathBrowser* browser = nullptr);

    std::string runOnSource; // Windows-1252
    std::string runOnTarget; // Windows-1252

    // Fills both members from the package's pair for the moment.
    void loadFrom(const PackageDesc& package, Moment moment);
    // Writes both members into the package's pair for the moment.
    void applyTo(PackageDesc& package, Moment moment) const;

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    bool refuseLocal(std::string_view path, std::string_view caption, QLineEdit* field);

    QLineEdit* source_;
    QLineEdit* target_;
};
