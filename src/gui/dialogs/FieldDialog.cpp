#include "FieldDialog.h"

#include "CNumber.h"
#include "framework/AnsiQt.h"

#include <QLineEdit>

FieldDialog::FieldDialog(int templateId, const char* templateCaption, int widthDlu, int heightDlu,
                         QWidget* parent)
    : ValueDialog(templateId, widthDlu, heightDlu, parent),
      templateCaption_(QString::fromLatin1(templateCaption)) {
    setWindowTitle(templateCaption_);
}

void FieldDialog::exchangeValueIn() {
    if (captionText().empty())
        setWindowTitle(templateCaption_);
    exchangeFieldsIn();
}

std::optional<int> FieldDialog::readInteger(QLineEdit& box, int lower, int upper) {
    const std::optional<std::int32_t> number =
        CNumber::parseInteger(AnsiQt::fromQString(box.text()));
    if (!number) {
        refuse("Please enter an integer.", &box);
    } else if (*number < lower || *number > upper) {
        refuse("Please enter an integer between " + std::to_string(lower) + " and " +
                   std::to_string(upper) + ".",
               &box);
    } else {
        return *number;
    }
    box.selectAll();
    return std::nullopt;
}
