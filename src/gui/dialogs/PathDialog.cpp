#include "PathDialog.h"

#include "browse/BrowseButton.h"
#include "config/SaveRules.h"
#include "config/ValueRules.h"
#include "framework/AnsiQt.h"
#include "text/OemCodePage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>
#include <utility>

PathDialog::PathDialog(int templateId, int widthDlu, int heightDlu, QWidget* parent,
                       const PathBrowser* browser)
    : ValueDialog(templateId, widthDlu, heightDlu, parent), browser_(browser) {}

QLineEdit* PathDialog::addPathEdit(int id) {
    auto* edit = new QLineEdit(this);
    setResourceId(*edit, id);
    // Paths have no length limit of their own; a long one is not cut.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setPlaceholderText(QStringLiteral("VOLUME:\\path"));
    // Room for a typical path: a volume and a few folders.
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * kTypicalPathChars);
    return edit;
}

QPushButton* PathDialog::addBrowseButton(int id, QLineEdit* field, std::function<bool()> showFiles,
                                         LocalPolicy localPolicy, QLabel* note) {
    auto* button =
        new BrowseButton(browser_, *field, std::move(showFiles), localPolicy, this, note);
    setResourceId(*button, id);
    return button;
}

QLabel* PathDialog::addPickNote(const QLineEdit& field) {
    auto* note = new QLabel(this);
    note->setObjectName(field.objectName() + QStringLiteral("Note"));
    note->setWordWrap(true);
    note->hide();
    return note;
}

bool PathDialog::refuseUnquotable(std::string_view path, QWidget* focus) {
    const Status quotable = ValueRules::check(path, ValueRules::Rule::Quoted);
    if (quotable.ok)
        return false;
    refuse(quotable.error, focus);
    return true;
}

std::string PathDialog::textOf(const QLineEdit& field) {
    return AnsiQt::fromQString(field.text());
}

const OemCodePage& PathDialog::oem() {
    // The same choice the configuration document reads and writes with.
    static const OemCodePage page = OemCodePage::fromEnvironment();
    return page;
}
