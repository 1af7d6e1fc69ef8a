#include "CNcf.h"

#include "config/PackageDesc.h"
#include "framework/AnsiQt.h"
#include "text/TextUtil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CNcf::CNcf(QWidget* parent, const PathBrowser* browser)
    : PathDialog(kTemplateId, 286, 68, parent, browser), source_(addPathEdit(kSourceId)),
      target_(addPathEdit(kTargetId)) {
    auto* body = new QWidget(this);
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto files = [] { return true; };
    grid->addWidget(new QLabel(QStringLiteral("Run on source:"), body), 0, 0);
    grid->addWidget(source_, 0, 1);
    grid->addWidget(addBrowseButton(kSourceBrowseId, source_, files, LocalPolicy::Keep), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Run on target:"), body), 1, 0);
    grid->addWidget(target_, 1, 1);
    grid->addWidget(addBrowseButton(kTargetBrowseId, target_, files, LocalPolicy::Keep), 1, 2);
    setValueControl(body);
}

void CNcf::loadFrom(const PackageDesc& package, Moment moment) {
    const RowSpec& files = Catalogue::commandFiles(moment);
    runOnSource = package.*files.package;
    runOnTarget = package.*files.packageTarget;
}

void CNcf::applyTo(PackageDesc& package, Moment moment) const {
    const RowSpec& files = Catalogue::commandFiles(moment);
    package.*files.package = runOnSource;
    package.*files.packageTarget = runOnTarget;
}

void CNcf::exchangeValueIn() {
    source_->setText(AnsiQt::toQString(runOnSource));
    target_->setText(AnsiQt::toQString(runOnTarget));
}

void CNcf::accept() {
    runOnSource = textOf(*source_);
    runOnTarget = textOf(*target_);
    if (refuseUnfit(*source_, "path", &oem()) || refuseUnfit(*target_, "path", &oem()))
        return;
    // Judged as typed: leading blanks count towards the volume name.
    if (refuseLocal(runOnSource, "Run on source", source_) ||
        refuseLocal(runOnTarget, "Run on target", target_))
        return;
    if (refuseUnquotable(runOnSource, source_) || refuseUnquotable(runOnTarget, target_))
        return;
    QDialog::accept();
}

bool CNcf::refuseLocal(std::string_view path, std::string_view caption, QLineEdit* field) {
    if (path.empty() || TextUtil::isVolumeForm(path))
        return false;
    refuse("Local resources are not allowed here", field, caption);
    return true;
}
