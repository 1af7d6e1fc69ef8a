#include "CPassword.h"

#include "framework/AnsiQt.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* passwordEdit(int resourceId) {
    auto* edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    ValueDialog::setResourceId(*edit, resourceId);
    return edit;
}

} // namespace

CPassword::CPassword(QWidget* parent)
    : FieldDialog(kTemplateId, "Password", 210, 71, parent),
      newPassword_(passwordEdit(kNewPasswordId)), retyped_(passwordEdit(kRetypedId)) {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("New password:"), newPassword_);
    form->addRow(QStringLiteral("Retype password:"), retyped_);
    form->addRow(new QLabel(QStringLiteral("Leave both empty to keep the present password.")));
    setValueControl(panel);
}

void CPassword::exchangeFieldsIn() {
    newPassword_->setText(AnsiQt::toQString(newPassword));
    retyped_->setText(AnsiQt::toQString(retyped));
}

void CPassword::accept() {
    // Compared as typed, before characters the code page lacks become '?'.
    if (newPassword_->text() != retyped_->text()) {
        refuse("The passwords entered are different", nullptr, "Error");
        return;
    }
    // A '?' in place of a character would be stored, and the engine's login
    // would fail later without a word.
    if (!AnsiQt::fits(newPassword_->text())) {
        refuse(kOutsideCodePage, newPassword_, "Error");
        return;
    }
    newPassword = AnsiQt::fromQString(newPassword_->text());
    retyped = AnsiQt::fromQString(retyped_->text());
    QDialog::accept();
}
