#include "CText.h"

#include "framework/AnsiQt.h"

#include <QLineEdit>
#include <limits>

CText::CText(QWidget* parent)
    : ValueDialog(kTemplateId, 220, 46, parent), edit_(new QLineEdit(this)) {
    setResourceId(*edit_, kEditId);
    // Texts have no length limit of their own.
    edit_->setMaxLength(std::numeric_limits<int>::max());
    setValueControl(edit_);
}

void CText::exchangeValueIn() {
    edit_->setText(AnsiQt::toQString(text));
}

void CText::accept() {
    text = AnsiQt::fromQString(edit_->text());
    if (refuseUnfit(*edit_, rule == ValueRules::Rule::Name ? "name" : "text"))
        return;
    const Status keeps = ValueRules::check(text, rule);
    if (!keeps.ok) {
        refuse(keeps.error, edit_);
        return;
    }
    QDialog::accept();
}
