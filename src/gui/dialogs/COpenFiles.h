#pragma once

#include "FieldDialog.h"
#include "config/ValueTable.h"

#include <array>
#include <string>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
struct PackageDesc;

// Edits a package's open-file handling: the method and, for ALERT, CLEAR and
// DISABLECLEAR, the delay in seconds. OK refuses a delay that is not a whole
// number from 0 to 600, even while the delay is hidden.
class COpenFiles : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 154;
    static constexpr int kMethodId = 1041;
    static constexpr int kAfterId = 1038;
    static constexpr int kDelayId = 1040;
    static constexpr int kSecondsId = 1039;
    static constexpr int kDelayLimit = ValueTable::kOpenFileDelayLimit;
    static constexpr auto kMethods = ValueTable::kOpenFileMethods;

    explicit COpenFiles(QWidget* parent = nullptr);

    std::string method; // one of kMethods; "OFF" after OK when none was chosen
    int delay = 0;      // seconds

    // The members from ofHandler and ofHandlerDelay.
    void loadFrom(const PackageDesc& package);
    // The members into the same two fields; the row then shows
    // DetailContent::openFileText of the package.
    void applyTo(PackageDesc& package) const;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    // The delay is shown for the methods that wait before acting.
    void showDelayFor(int index);

    QComboBox* method_;
    QLabel* after_;
    QLineEdit* delay_;
    QLabel* seconds_;
};
