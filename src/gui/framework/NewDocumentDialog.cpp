#include "NewDocumentDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

NewDocumentDialog::NewDocumentDialog(const QStringList& kinds, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(tr("New"));
    list_->setObjectName(QStringLiteral("kinds"));
    list_->addItems(kinds);
    list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("New"), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

int NewDocumentDialog::chosen() const {
    return list_->currentRow();
}
