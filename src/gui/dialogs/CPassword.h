#pragma once

#include "FieldDialog.h"

#include <string>
#include <string_view>

class QLineEdit;

// Sets a new password, typed twice; it never shows the present one. OK
// refuses two texts that differ, and characters the code page lacks. The
// caller scrambles newPassword and stores only that.
class CPassword : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 152;
    static constexpr int kNewPasswordId = 1006;
    static constexpr int kRetypedId = 1007;
    static constexpr std::string_view kOutsideCodePage =
        "The password can hold only Western European letters, digits and signs";

    explicit CPassword(QWidget* parent = nullptr);

    std::string newPassword; // Windows-1252 plain text, read after OK
    std::string retyped;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    QLineEdit* newPassword_;
    QLineEdit* retyped_;
};
