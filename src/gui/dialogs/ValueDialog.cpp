#include "ValueDialog.h"

#include "framework/AnsiQt.h"
#include "framework/AppSettings.h"
#include "framework/CaptionFit.h"
#include "framework/VisualTabOrder.h"
#include "text/OemCodePage.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

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
    ok_ = addButton(QStringLiteral("OK"), kOkId);
    cancel_ = addButton(QStringLiteral("Cancel"), kCancelId);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &ValueDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &ValueDialog::reject);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
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
    showRefusal(AnsiQt::toQString(message), focus, caption, icon);
}

void ValueDialog::showRefusal(const QString& message, QWidget* focus, std::string_view caption,
                              ModalSeam::Icon icon) {
    ModalSeam::showMessage(this, message, AnsiQt::toQString(caption), icon);
    if (focus != nullptr)
        focus->setFocus();
}

bool ValueDialog::refuseUnfit(QLineEdit& box, std::string_view what, const OemCodePage* oem) {
    // Stored in its place would be '?' or another character's byte, and
    // the engine would look for a path nobody wrote.
    const std::optional<QString> unfit = AnsiQt::firstUnfit(box.text(), oem);
    if (!unfit)
        return false;
    const QString page =
        oem != nullptr
            ? QStringLiteral("the OEM code page %1 of paths in the file").arg(oem->number())
            : QStringLiteral("the file's code page Windows-1252");
    showRefusal(QStringLiteral("The %1 cannot hold the character \"%2\": %3 has no such character.")
                    .arg(AnsiQt::toQString(what), *unfit, page),
                &box, SaveRules::kCaption, ModalSeam::Icon::Warning);
    box.setSelection(static_cast<int>(box.text().indexOf(*unfit)), static_cast<int>(unfit->size()));
    return true;
}

void ValueDialog::chooseStored(QComboBox& list, int index, std::string_view stored) {
    if (index < 0 && !stored.empty()) {
        list.addItem(
            QStringLiteral("%1 (in the file, not a choice)").arg(AnsiQt::toQString(stored)),
            QStringLiteral("stored"));
        index = list.count() - 1;
    }
    list.setCurrentIndex(index);
}

bool ValueDialog::choosesStored(const QComboBox& list) {
    return list.currentData().toString() == QLatin1String("stored");
}

void ValueDialog::showEvent(QShowEvent* event) {
    // A window restored by the system is shown again without reopening.
    if (!event->spontaneous()) {
        exchangeIn();
        focusValue();
        restoreSize();
    }
    QDialog::showEvent(event);
}

void ValueDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange)
        CaptionFit::widen(*this);
    QDialog::changeEvent(event);
}

void ValueDialog::hideEvent(QHideEvent* event) {
    // Only a size the user changed is written, so that merely opening a
    // dialog leaves the settings alone.
    if (!event->spontaneous() && size() != shownSize_)
        AppSettings::open()->setValue(sizeKey(), size());
    QDialog::hideEvent(event);
}

QString ValueDialog::sizeKey() const {
    return QStringLiteral("Dialogs/%1/size").arg(property("resourceId").toInt());
}

void ValueDialog::restoreSize() {
    const QSize stored = AppSettings::open()->value(sizeKey()).toSize();
    if (stored.isValid())
        resize(stored.expandedTo(minimumSizeHint()));
    CaptionFit::widen(*this);
    shownSize_ = size();
}

bool ValueDialog::focusNextPrevChild(bool next) {
    return VisualTabOrder::move(*this, {ok_, cancel_}, next) || QDialog::focusNextPrevChild(next);
}

void ValueDialog::focusValue() {
    // A tick box or a choice of modes leads to the value it governs: a
    // dialog that opens on "Enabled" beside its times lets the user type a
    // time at once.
    QList<QWidget*> controls = VisualTabOrder::stops(*this, {});
    controls.removeAll(ok_);
    controls.removeAll(cancel_);
    const auto value = std::find_if(controls.begin(), controls.end(), [](const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) == nullptr;
    });
    QWidget* target = value != controls.end() ? *value : controls.value(0);
    if (target == nullptr)
        return;
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(target))
        spin->selectAll();
}
