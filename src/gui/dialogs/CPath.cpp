#include "CPath.h"

#include "framework/AnsiQt.h"
#include "text/TextUtil.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

CPath::CPath(QWidget* parent, const PathBrowser* browser)
    : PathDialog(kTemplateId, 273, 50, parent, browser), edit_(addPathEdit(kPathId)) {
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* note = addPickNote(*edit_);
    layout->addWidget(edit_, 0, 0);
    layout->addWidget(addBrowseButton(
                          kBrowseId, edit_, [] { return false; }, LocalPolicy::Ignore, note),
                      0, 1);
    layout->addWidget(note, 1, 0, 1, 2);
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
