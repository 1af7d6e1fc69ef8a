#include "COpenFiles.h"

#include "config/PackageDesc.h"
#include "framework/AnsiQt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <iterator>

COpenFiles::COpenFiles(QWidget* parent)
    : FieldDialog(kTemplateId, "Open files handling method", 241, 45, parent),
      method_(new QComboBox), after_(new QLabel(QStringLiteral("after"))), delay_(new QLineEdit),
      seconds_(new QLabel(QStringLiteral("s"))) {
    setResourceId(*method_, kMethodId);
    method_->setEditable(false);
    for (const std::string_view m : kMethods)
        method_->addItem(AnsiQt::toQString(m));
    setResourceId(*after_, kAfterId);
    setResourceId(*delay_, kDelayId);
    delay_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), delay_));
    setResourceId(*seconds_, kSecondsId);
    connect(method_, &QComboBox::currentIndexChanged, this, &COpenFiles::showDelayFor);

    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(method_);
    row->addWidget(after_);
    row->addWidget(delay_);
    row->addWidget(seconds_);
    setValueControl(panel);
}

void COpenFiles::loadFrom(const PackageDesc& package) {
    method = package.ofHandler;
    delay = package.ofHandlerDelay;
}

void COpenFiles::applyTo(PackageDesc& package) const {
    package.ofHandler = method;
    package.ofHandlerDelay = delay;
}

void COpenFiles::exchangeFieldsIn() {
    delay_->setText(QString::number(delay));
    const auto match = std::find(kMethods.begin(), kMethods.end(), method);
    chooseStored(*method_,
                 match == kMethods.end() ? -1
                                         : static_cast<int>(std::distance(kMethods.begin(), match)),
                 method);
    showDelayFor(method_->currentIndex());
}

void COpenFiles::accept() {
    if (choosesStored(*method_)) {
        refuse("Please choose a method.", method_);
        return;
    }
    const int index = method_->currentIndex();
    const std::optional<int> typedDelay = readInteger(*delay_, 0, kDelayLimit);
    if (!typedDelay)
        return;
    // A package that gives no method keeps giving none.
    if (index >= 0)
        method = kMethods[static_cast<std::size_t>(index)];
    delay = *typedDelay;
    QDialog::accept();
}

void COpenFiles::showDelayFor(int index) {
    const bool delayed = index >= static_cast<int>(ValueTable::kFirstDelayedMethod);
    after_->setVisible(delayed);
    delay_->setVisible(delayed);
    seconds_->setVisible(delayed);
}
