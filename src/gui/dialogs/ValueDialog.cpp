#include "ValueDialog.h"

#include "framework/AnsiQt.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

// Dialog units of the default dialog font in pixels.
int dluToPixelsX(int dlu) {
    return dlu * 3 / 2;
}

int dluToPixelsY(int dlu) {
    return dlu * 13 / 8;
}

} // namespace

ValueDialog::ValueDialog(int templateId, int widthDlu, int heightDlu, QWidget* parent)
    : QDialog(parent) {
    setProperty("resourceId", templateId);
    setWindowTitle(QStringLiteral("Dialog"));
    resize(dluToPixelsX(widthDlu), dluToPixelsY(heightDlu));

    auto* buttons = new QVBoxLayout;
    QPushButton* ok = addButton(QStringLiteral("OK"), kOkId);
    QPushButton* cancel = addButton(QStringLiteral("Cancel"), kCancelId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ValueDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ValueDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(buttons);
}

QPushButton* ValueDialog::addButton(const QString& text, int id) {
    auto* button = new QPushButton(text, this);
    setResourceId(*button, id);
    return button;
}

void ValueDialog::setValueControl(QWidget* control) {
    auto* box = qobject_cast<QHBoxLayout*>(layout());
    auto* column = new QVBoxLayout;
    column->addWidget(control);
    column->addStretch();
    box->insertLayout(0, column, 1);
}

void ValueDialog::setResourceId(QObject& object, int id) {
    object.setObjectName(QString::number(id));
    object.setProperty("resourceId", id);
}

std::string_view ValueDialog::captionText() const {
    return std::string_view(caption).substr(0, kCaptionLimit);
}

void ValueDialog::exchangeIn() {
    setWindowTitle(AnsiQt::toQString(captionText()));
    exchangeValueIn();
}

void ValueDialog::refuse(std::string_view message, QWidget* focus, std::string_view caption,
                         ModalSeam::Icon icon) {
    ModalSeam::showMessage(this, AnsiQt::toQString(message), AnsiQt::toQString(caption), icon);
    if (focus != nullptr)
        focus->setFocus();
}

void ValueDialog::showEvent(QShowEvent* event) {
    // A window restored by the system is shown again without reopening.
    if (!event->spontaneous())
        exchangeIn();
    QDialog::showEvent(event);
}
