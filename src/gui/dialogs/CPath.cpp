#include "CPath.h"

#include "config/TextUtil.h"
#include "framework/AnsiQt.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

CPath::CPath(QWidget* parent, const PathBrowser* browser)
    : PathDialog(kTemplateId, 273, 50, parent, browser), edit_(addPathEdit(kPathId)) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(addBrowseButton(
        kBrowseId, edit_, [] { return false; }, LocalPolicy::Ignore));
    setValueControl(row);
}

std::string CPath::logDirectory() const {
    if (path.empty() || path.back() == '\\')
        return path;
    return path + '\\';
}

void CPath::exchangeValueIn() {
    edit_->setText(AnsiQt::toQString(path));
}

void CPath::accept() {
    path = textOf(*edit_);
    if (refuseUnfit(*edit_, "path", &oem()))
        return;
    if (!TextUtil::isVolumeForm(TextUtil::trim(path))) {
        refuse(kInvalidPath, edit_, kValidationCaption, kValidationIcon);
        return;
    }
    if (refuseUnquotable(path, edit_))
        return;
    QDialog::accept();
}
