#pragma once

#include "FieldDialog.h"

#include <string>
#include <string_view>

class QLineEdit;

// Sets a new password, typed twice; it never shows the present one. OK
// refuses two texts that differ, and characters the code page lacks. The
// caller scrambles newPassword and stores only that. Both boxes left empty
// keep the present password: OK on the dialog as it opened changes nothing.
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

    // Whether OK left both boxes empty.
    bool keepsPresent() const { return newPassword.empty() && retyped.empty(); }

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    QLineEdit* newPassword_;
    QLineEdit* retyped_;
};
