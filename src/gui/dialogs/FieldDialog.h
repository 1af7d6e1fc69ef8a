#pragma once

#include "ValueDialog.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

// A value dialog with several fields. Its window caption is the one of its
// template unless the caller fills the caption buffer. Members change only
// when OK is accepted, so a refused OK followed by Cancel leaves them as the
// caller set them.
class FieldDialog : public ValueDialog {
    Q_OBJECT

protected:
    FieldDialog(int templateId, const char* templateCaption, int widthDlu, int heightDlu,
                QWidget* parent);

    // Members to controls, after the caption is set.
    virtual void exchangeFieldsIn() = 0;

    // A whole number from lower to upper in the box, or nothing after the
    // refusal has been shown with the focus on the box.
    std::optional<int> readInteger(QLineEdit& box, int lower, int upper);

private:
    void exchangeValueIn() final;

    QString templateCaption_;
};
