#include "CText.h"

#include "app/AnsiQt.h"

#include <QLineEdit>

CText::CText(QWidget* parent)
    : ValueDialog(kTemplateId, 220, 46, parent), edit_(new QLineEdit(this)) {
    setResourceId(*edit_, kEditId);
    setValueControl(edit_);
}

void CText::exchangeValueIn() {
    edit_->setText(AnsiQt::toQString(text));
}

void CText::accept() {
    text = AnsiQt::fromQString(edit_->text());
    QDialog::accept();
}
