#pragma once

#include "config/SaveRules.h"
#include "framework/DataExchange.h"
#include "framework/ModalSeam.h"

#include <QDialog>
#include <QSize>
#include <cstddef>
#include <string>
#include <string_view>

class OemCodePage;
class QComboBox;
class QLineEdit;
class QPushButton;
class QHideEvent;
class QShowEvent;

// The small modal dialogs that edit one value: the caller fills `caption` and
// the value members, runs the dialog and reads the value back after OK.
// Members move into the controls once when the dialog opens (exchangeIn) and
// back once when OK is pressed (accept), before any check.
class ValueDialog : public QDialog, public DataExchange {
    Q_OBJECT

public:
    // The caption buffer holds 200 characters with its terminator.
    static constexpr std::size_t kCaptionLimit = 199;
    static constexpr int kOkId = 1;
    static constexpr int kCancelId = 2;

    // Windows-1252 text; only the first kCaptionLimit characters are used.
    std::string caption;

    // Members to controls. Runs whenever the dialog is shown, and through
    // the modal seam for a dialog a test drives without showing it.
    void exchangeIn() override;

    // The caption as the buffer holds it, cut to kCaptionLimit characters.
    std::string_view captionText() const;

    // Tags a control with its resource id, as object name and property.
    static void setResourceId(QObject& object, int id);

protected:
    ValueDialog(int templateId, int widthDlu, int heightDlu, QWidget* parent);

    // Puts the value control left of the OK and Cancel buttons.
    void setValueControl(QWidget* control);

    virtual void exchangeValueIn() = 0;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // A new caption widens the dialog until it shows whole.
    void changeEvent(QEvent* event) override;
    // Tab goes through the controls as they are read, then OK and Cancel.
    bool focusNextPrevChild(bool next) override;

    // Shows why OK is refused and puts the focus on the control at fault
    // (none when focus is null); the dialog stays open.
    void refuse(std::string_view message, QWidget* focus,
                std::string_view caption = SaveRules::kCaption,
                ModalSeam::Icon icon = ModalSeam::Icon::Warning);

    // Refuses a box whose text holds a character its file cannot store, and
    // names the character: a path goes to the file in the `oem` code page, any
    // other text in Windows-1252. True when it refused.
    bool refuseUnfit(QLineEdit& box, std::string_view what, const OemCodePage* oem = nullptr);

    // A stored keyword that is none of a list's items is shown as an item of
    // its own, chosen, that OK does not take.
    static void chooseStored(QComboBox& list, int index, std::string_view stored);
    static bool choosesStored(const QComboBox& list);

private:
    void showRefusal(const QString& message, QWidget* focus, std::string_view caption,
                     ModalSeam::Icon icon);
    QPushButton* addButton(const QString& text, int id);
    // The first value control takes the focus with its text selected.
    void focusValue();
    // Sizes the user set are kept per dialog kind.
    QString sizeKey() const;
    void restoreSize();

    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QSize shownSize_;
};
