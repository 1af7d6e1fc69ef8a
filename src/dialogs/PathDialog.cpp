#include "PathDialog.h"

#include "app/AnsiQt.h"
#include "app/CPallworthApp.h"
#include "config/SaveRules.h"
#include "config/TextUtil.h"
#include "config/ValueRules.h"

#include <QLineEdit>
#include <QPushButton>
#include <limits>
#include <utility>

bool PathDialog::isVolumeForm(std::string_view text) {
    // A workstation path may hold a ':' further on (/srv/data:2024/x).
    const std::string_view start = TextUtil::trimLeft(text);
    if (!start.empty() && (start.front() == '/' || start.front() == '~'))
        return false;
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && colon >= 3;
}

QLineEdit* PathDialog::addPathEdit(int id) {
    auto* edit = new QLineEdit(this);
    setResourceId(*edit, id);
    // Paths have no length limit of their own; a long one is not cut.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

QPushButton* PathDialog::addBrowseButton(int id, QLineEdit* field, std::function<bool()> showFiles,
                                         LocalPolicy localPolicy) {
    auto* button = new QPushButton(this);
    setResourceId(*button, id);
    button->setAutoDefault(false);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(QStringLiteral("Browse"));
    // Without the application (a test) the button simply shows no picture.
    if (const CPallworthApp* app = CPallworthApp::instance())
        button->setIcon(app->browseIcon());
    connect(button, &QPushButton::clicked, this,
            [this, field, showFiles = std::move(showFiles), localPolicy] {
                BrowseForNetworkPath(this, field, showFiles(), localPolicy);
            });
    return button;
}

void PathDialog::refuse(std::string_view message, std::string_view caption, ModalSeam::Icon icon,
                        QWidget* focus) {
    ModalSeam::showMessage(this, AnsiQt::toQString(message), AnsiQt::toQString(caption), icon);
    if (focus)
        focus->setFocus();
}

bool PathDialog::refuseUnquotable(std::string_view path, QWidget* focus) {
    const std::string problem = ValueRules::problem(path, ValueRules::Rule::Quoted);
    if (problem.empty())
        return false;
    refuse(problem, SaveRules::kCaption, ModalSeam::Icon::Warning, focus);
    return true;
}

std::string PathDialog::textOf(const QLineEdit& field) {
    return AnsiQt::fromQString(field.text());
}
